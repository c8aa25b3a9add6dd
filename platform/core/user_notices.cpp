#include "platform/core/user_notices.h"

#include <mutex>

namespace core {

namespace {

struct State {
    std::mutex mutex;
    UserNotices::Presenter presenter;
    std::vector<UserNotice> pending;
};

State& state()
{
    // Never destroyed: notices may be posted while the program ends.
    static auto* instance = new State;
    return *instance;
}

}  // namespace

void UserNotices::post(UserNotice notice)
{
    Presenter presenter;
    {
        std::lock_guard lock(state().mutex);
        if (!state().presenter) {
            state().pending.push_back(std::move(notice));
            return;
        }
        presenter = state().presenter;
    }
    presenter(notice);
}

void UserNotices::setPresenter(Presenter presenter)
{
    std::vector<UserNotice> pending;
    {
        std::lock_guard lock(state().mutex);
        state().presenter = presenter;
        if (presenter) pending.swap(state().pending);
    }
    for (const auto& notice : pending)
        presenter(notice);
}

std::vector<UserNotice> UserNotices::takePending()
{
    std::lock_guard lock(state().mutex);
    std::vector<UserNotice> pending;
    pending.swap(state().pending);
    return pending;
}

}  // namespace core
