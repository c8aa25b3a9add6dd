#include "platform/core/user_notices.h"

#include "platform/core/mutex.h"

namespace core {

namespace {

struct State {
    Mutex mutex;  // guards the presenter and the notices waiting for one
    UserNotices::Presenter presenter GUARDED_BY(mutex);
    std::vector<UserNotice> pending GUARDED_BY(mutex);
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
        MutexLock lock(state().mutex);
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
        MutexLock lock(state().mutex);
        state().presenter = presenter;
        if (presenter) pending.swap(state().pending);
    }
    for (const auto& notice : pending)
        presenter(notice);
}

std::vector<UserNotice> UserNotices::takePending()
{
    MutexLock lock(state().mutex);
    std::vector<UserNotice> pending;
    pending.swap(state().pending);
    return pending;
}

}  // namespace core
