// A command registered on a responder: it calls its member function, with the sender when the function takes
// one, holds its responder only while it runs, and never keeps it alive otherwise.
#include <gtest/gtest.h>

#include "platform/ui/responder.h"

namespace {

constexpr ui::ActionName take{"take:"};
constexpr ui::ActionName forget{"forget:"};
constexpr ui::ActionName release{"release:"};

class Recorder : public ui::Responder {
public:
    void awake() override
    {
        Responder::awake();
        registerCommand(take, &Recorder::takeSender);
        registerCommand(forget, &Recorder::forgetSender);
        registerCommand(release, &Recorder::releaseOwner);
    }
    void takeSender(const std::shared_ptr<core::Object>& sender) { lastSender = sender; }
    void forgetSender() { lastSender = nullptr; }
    // Lets the owner go, then tells whether this object still lives.
    void releaseOwner()
    {
        owner->reset();
        *aliveAfterRelease = !weak_from_this().expired();
    }

    std::shared_ptr<core::Object> lastSender;
    std::shared_ptr<Recorder>* owner = nullptr;
    bool* aliveAfterRelease = nullptr;
};

TEST(Responder, ACommandCallsItsMemberAndHoldsItsResponderOnlyWhileItRuns)
{
    auto recorder = core::make<Recorder>();
    EXPECT_EQ(recorder.use_count(), 1);
    const auto sender = core::make<ui::Responder>();
    ASSERT_TRUE(recorder->tryToPerform(take, sender));
    EXPECT_EQ(recorder->lastSender, sender);
    ASSERT_TRUE(recorder->tryToPerform(forget, sender));
    EXPECT_EQ(recorder->lastSender, nullptr);

    const std::weak_ptr<Recorder> weak = recorder;
    bool aliveAfterRelease = false;
    recorder->owner = &recorder;
    recorder->aliveAfterRelease = &aliveAfterRelease;
    Recorder* performer = recorder.get();
    ASSERT_TRUE(performer->tryToPerform(release, nullptr));
    EXPECT_TRUE(aliveAfterRelease);
    EXPECT_TRUE(weak.expired());
}

}  // namespace
