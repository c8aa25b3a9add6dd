#include "app/document/application_parts.h"

#include "app/batch/batch_window_interface.h"
#include "app/document/document.h"
#include "app/document/document_window_interface.h"
#include "app/document/drop_window_interface.h"
#include "app/document/generate_popover_interface.h"
#include "app/document/movie_content.h"
#include "app/document/movie_open_panel.h"
#include "foundation/shortcuts.h"
#include "platform/core/type_identifier.h"

namespace vistrel {

void registerApplicationParts()
{
    static bool registered = false;
    if (registered) return;
    registered = true;
    registerDocumentWindowInterface();
    registerDropWindowInterface();
    registerGeneratePopoverInterface();
    registerBatchWindowInterface();
    kestrane::DC->registerDocumentType(
        Document::movieType, core::TypeIdentifier::movieExtensions(), [] { return core::make<Document>(); },
        whyNotAMovie);
    kestrane::DC->setOpenPanelSetUp(prepareMovieOpenPanel);
}

}  // namespace vistrel
