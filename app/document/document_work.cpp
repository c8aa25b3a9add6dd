#include "app/document/document_work.h"

#include "platform/core/dispatch_queue.h"

namespace vistrel {

void DocumentWork::onMain(const std::weak_ptr<DocumentWork>& weak, const std::function<void(DocumentWork&)>& work)
{
    core::DispatchQueue::main()->sync([&] {
        if (auto document = weak.lock()) work(*document);
    });
}

void finishExport(const std::weak_ptr<DocumentWork>& document, std::string errors,
                  const std::function<void(std::string&)>& ended)
{
    DocumentWork::onMain(document, [&](DocumentWork& d) {
        if (ended) ended(errors);
        d.showExportErrors(errors);
        d.endBusyWork(DocumentState::exporting);
    });
}

}  // namespace vistrel
