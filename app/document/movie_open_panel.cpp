#include "app/document/movie_open_panel.h"

#include "app/document/defaults_keys.h"
#include "app/document/interface_builder.h"
#include "platform/core/home_folder.h"
#include "platform/core/type_identifier.h"

namespace vistrel {

void prepareMovieOpenPanel(ui::OpenPanel& panel)
{
    panel.setAllowedFileTypes(core::TypeIdentifier::movieExtensions());
    panel.setAllowedFileTypesTitle(interfaceText("OpenPanel.MoviesFilter"));
    panel.setAllowsOtherFileTypes(true);
    panel.setOtherFileTypesTitle(interfaceText("OpenPanel.AllFilesFilter"));
    panel.setDirectoryURL(core::Url::fileURL(core::moviesDirectory()));
    panel.setDirectoryDefaultsKey(LastOpenFolderKey);
}

}  // namespace vistrel
