// Problems the user must be told about that arise where no window can be shown: stored state that could not be
// read and was kept aside, a save that fails. A notice is kept until the application installs a presenter,
// then handed to it once. Safe from any thread; the presenter runs on the posting thread (or, for notices
// posted before it was installed, inside setPresenter) and chooses itself where to show them.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace core {

struct UserNotice {
    std::string message;      // the problem, in a sentence
    std::string information;  // what happened to the data, and the system's reason
};

class UserNotices {
public:
    using Presenter = std::function<void(const UserNotice&)>;

    UserNotices() = delete;

    static void post(UserNotice notice);
    // Hands the notices kept so far to `presenter`, then every later one; an empty presenter keeps them again.
    static void setPresenter(Presenter presenter);
    // The notices kept (no presenter yet), which are then forgotten.
    static std::vector<UserNotice> takePending();
};

}  // namespace core
