#include "app/document/promised_names.h"

#include "foundation/file_manager_extensions.h"
#include "foundation/shortcuts.h"

namespace vistrel {

PromisedNames& PromisedNames::shared()
{
    static PromisedNames names;
    return names;
}

core::Url PromisedNames::promise(const core::Url& folder, const std::string& name)
{
    core::MutexLock lock(mutex_);
    const core::Url url = kestrane::alternative(*kestrane::FM.get(), folder.appendingPathComponent(name),
                                                [&](const core::Url& candidate)
                                                    REQUIRES(mutex_) { return promised_.contains(candidate.path()); });
    promised_.insert(url.path());
    return url;
}

void PromisedNames::release(const core::Url& url)
{
    core::MutexLock lock(mutex_);
    if (const auto found = promised_.find(url.path()); found != promised_.end()) promised_.erase(found);
}

}  // namespace vistrel
