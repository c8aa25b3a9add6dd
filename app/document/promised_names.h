// The names that exports of this program have promised in folders but not yet written. Each name is chosen
// free of the files in the folder and of every name still promised there, so that two snaps of one time in
// one export, or two exports into one folder at once, never get the same name. Safe from any thread.
#pragma once

#include <set>
#include <string>

#include "platform/core/mutex.h"
#include "platform/core/url.h"

namespace vistrel {

class PromisedNames {
public:
    static PromisedNames& shared();

    // The URL of `name` in `folder`, or of its first free numbered alternative, promised until released.
    core::Url promise(const core::Url& folder, const std::string& name);
    // The file of that URL was written, or will never be.
    void release(const core::Url& url);

private:
    core::Mutex mutex_;  // guards the names promised
    std::set<std::string> promised_ GUARDED_BY(mutex_);
};

}  // namespace vistrel
