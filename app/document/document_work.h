// What the parts of a document (its exports, its sharing) may ask of the document that holds them: its busy
// work begun and ended, the progress shown, export errors shown, and the views of its window. The parts hold
// it weakly, so that none keeps its document, nor knows the whole Document. Implemented by Document; main
// thread only, but onMain and finishExport, which work on a queue calls.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "app/document/document_outlets.h"
#include "app/document/document_state.h"

namespace vistrel {

class DocumentWork {
public:
    virtual ~DocumentWork() = default;

    // Busy work begins: its state shows until it ends; several may run at once.
    virtual void beginBusyWork(DocumentState state) = 0;
    // Busy work ends: the state of the work still running shows, or, when none runs, snapping or selecting
    // by the selection.
    virtual void endBusyWork(DocumentState state) = 0;
    // The state's title, " : " and the whole percentage of the fraction done.
    virtual void updateProgress(double fraction) = 0;
    // Shows the export-errors sheet with the text; nothing for an empty text.
    virtual void showExportErrors(const std::string& text) = 0;
    // The views of the document window, set by the interface.
    virtual const DocumentOutlets& outlets() const = 0;

    // Runs `work` on the main thread with the document, when it is still there, and waits for it (from a
    // queue: never from the main thread itself while the queue waits for it).
    static void onMain(const std::weak_ptr<DocumentWork>& weak, const std::function<void(DocumentWork&)>& work);
};

// The end of an export on its queue: `ended` told, its errors shown, its busy work over.
void finishExport(const std::weak_ptr<DocumentWork>& document, std::string errors,
                  const std::function<void(std::string&)>& ended = {});

}  // namespace vistrel
