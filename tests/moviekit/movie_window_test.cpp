// A movie window turns its keys into the movie commands, sent along the responder chain; other keys go on.
#include "moviekit/movie_window.h"

#include "appkit/event_key_code.h"
#include "moviekit/movie_actions.h"

#include <gtest/gtest.h>

namespace {

// Stands where the movie view controller stands in a document window's chain.
class Recorder : public ui::Responder {
public:
    void keyDown(const ui::Event& event) override { keys.push_back(event.keyCode); }
    std::vector<std::uint16_t> keys;
};

}  // namespace

TEST(MovieWindow, SendsTheCommandOfEachOfItsKeysAndPassesOthersOn)
{
    auto window = orvalis::MovieWindow::create({0, 0, 200, 100}, ui::StyleMask::titled);
    auto recorder = core::make<Recorder>();
    std::vector<std::string> performed;
    using namespace orvalis::actions;
    const std::vector<std::string> keyActions = {seekPreviousFrame, seekNextFrame, playPause, setClipStart, setClipEnd};
    for (const auto& action : keyActions)
        recorder->registerAction(action, [&performed, action](const auto&) { performed.push_back(action); });
    window->setNextResponder(recorder);
    window->makeKeyAndOrderFront(nullptr);

    using Key = kestrane::EventKeyCode;
    for (std::uint16_t code : {Key::leftArrow, Key::rightArrow, Key::space, Key::letterI, Key::letterO, Key::letterA})
        window->sendEvent(
            ui::Event::keyEvent(ui::EventType::keyDown, {}, 0, 0, window->windowNumber(), "", "", false, code));
    EXPECT_EQ(performed, keyActions);
    EXPECT_EQ(recorder->keys, std::vector<std::uint16_t>{Key::letterA});
    window->close();
}
