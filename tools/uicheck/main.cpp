// uicheck: builds a window of interface classes (a view drawing a marker at its bottom left, a button, a
// slider, a text field and a sheet), shows it on the display of the current platform, waits until the window
// system shows it, and checks the controls' frames (y-up) and the marker's pixels as the screen shows them.
// Prints every check; exits 0 when all pass, 1 otherwise.
//   uicheck            (QT_QPA_PLATFORM chooses the display, e.g. xcb under xvfb-run, or offscreen)
#include <cmath>
#include <cstdio>
#include <memory>
#include <string>

#include "appkit/window_extensions.h"
#include "platform/core/dispatch_queue.h"
#include "platform/core/main_loop.h"
#include "platform/gfx/context.h"
#include "platform/ui/application.h"
#include "platform/ui/button.h"
#include "platform/ui/slider.h"
#include "platform/ui/text_field.h"
#include "platform/ui/view.h"
#include "platform/ui/window.h"

namespace {

constexpr gfx::Pixel red = 0xffff0000;
constexpr gfx::Pixel blue = 0xff0000ff;
constexpr double markerSide = 12;

// Blue, with a red square at its bottom left corner: y-up drawing puts it at the bottom.
class MarkerView : public ui::View {
public:
    using View::View;
    void draw(const gfx::Rect&) override
    {
        gfx::Context* context = gfx::Context::current();
        if (!context) return;
        context->setFillColor(gfx::Color::rgb(0, 0, 1));
        context->fillRect(bounds());
        context->setFillColor(gfx::Color::rgb(1, 0, 0));
        context->fillRect({0, 0, markerSide, markerSide});
    }
};

class Checker {
public:
    bool check(bool passed, const std::string& what)
    {
        std::printf("%s  %s\n", passed ? "ok  " : "FAIL", what.c_str());
        failures_ += passed ? 0 : 1;
        return passed;
    }
    int failures() const { return failures_; }

private:
    int failures_ = 0;
};

std::string describe(const gfx::Rect& r)
{
    char text[96];
    std::snprintf(text, sizeof text, "(%g, %g, %g, %g)", r.minX(), r.minY(), r.width(), r.height());
    return text;
}

// Serves events until `done` holds or `seconds` pass; true when it held.
template <class Condition>
bool waitFor(Condition done, double seconds)
{
    for (double waited = 0; waited < seconds; waited += 0.05) {
        if (done()) return true;
        core::MainLoop::processEvents(0.05);
    }
    return done();
}

// The pixel at y-up point `p` of a content-area image whose row 0 is the top.
gfx::Pixel pixelAt(const gfx::Image& image, const gfx::Size& content, gfx::Point p)
{
    const double scale = image.width() / content.width;
    const int x = int(std::floor(p.x * scale));
    const int y = int(std::floor((content.height - p.y) * scale));
    if (x < 0 || y < 0 || x >= image.width() || y >= image.height()) return 0;
    return image.pixel(x, y);
}

int runChecks()
{
    Checker checker;
    const gfx::Size size{400, 300};
    auto window = kestrane::makeWindow("uicheck", size);
    auto content = window->contentView();
    auto marker = core::make<MarkerView>(gfx::Rect{20, 20, 120, 80});
    auto button = core::make<ui::Button>(gfx::Rect{20, 250, 110, 30});
    button->setTitle("Button");
    auto slider = core::make<ui::Slider>(gfx::Rect{160, 250, 200, 24});
    slider->setDoubleValue(0.5);
    auto field = core::make<ui::TextField>(gfx::Rect{20, 200, 220, 24});
    field->setStringValue("Text");
    for (const auto& view : {std::static_pointer_cast<ui::View>(marker), std::static_pointer_cast<ui::View>(button),
                             std::static_pointer_cast<ui::View>(slider), std::static_pointer_cast<ui::View>(field)})
        content->addSubview(view);
    window->makeKeyAndOrderFront(nullptr);

    if (!checker.check(waitFor([&] { return window->isExposed(); }, 10), "the window system shows the window"))
        return 1;
    checker.check(window->contentSize() == size,
                  "content size " + std::to_string(int(size.width)) + "x" + std::to_string(int(size.height)));

    // Frames, y-up in the content area: the button and slider near the top, the marker near the bottom.
    checker.check(button->convertRectTo(button->bounds(), nullptr) == button->frame(),
                  "button frame in the window " + describe(button->frame()));
    checker.check(content->hitTest({75, 265}) == button, "a point in the button's frame hits the button");
    checker.check(content->hitTest({260, 262}) == slider, "a point in the slider's frame hits the slider");
    checker.check(content->hitTest({130, 212}) == field, "a point in the text field's frame hits the text field");
    checker.check(content->hitTest({80, 60}) == marker, "a point in the marker's frame hits the marker view");
    const gfx::Rect buttonOnScreen = window->convertRectToScreen(button->frame());
    const gfx::Rect markerOnScreen = window->convertRectToScreen(marker->frame());
    checker.check(buttonOnScreen.minY() > markerOnScreen.maxY(),
                  "on the screen the button " + describe(buttonOnScreen) + " is above the marker " +
                      describe(markerOnScreen));

    // Pixels as the screen shows them: the red square at the marker's bottom left, blue above it.
    const gfx::Point inSquare{marker->frame().minX() + markerSide / 2, marker->frame().minY() + markerSide / 2};
    const gfx::Point aboveSquare{inSquare.x, marker->frame().maxY() - markerSide / 2};
    gfx::ImageRef shown;
    waitFor(
        [&] {
            shown = window->screenSnapshot();
            return shown && pixelAt(*shown, size, inSquare) == red;
        },
        10);
    if (checker.check(bool(shown), "the screen gives the window's image")) {
        char text[96];
        std::snprintf(text, sizeof text, "red marker at the bottom left of the view (pixel %08x)",
                      unsigned(pixelAt(*shown, size, inSquare)));
        checker.check(pixelAt(*shown, size, inSquare) == red, text);
        std::snprintf(text, sizeof text, "blue at the top left of the view (pixel %08x)",
                      unsigned(pixelAt(*shown, size, aboveSquare)));
        checker.check(pixelAt(*shown, size, aboveSquare) == blue, text);
    }
    auto drawn = window->snapshot();
    checker.check(drawn && pixelAt(*drawn, size, inSquare) == red && pixelAt(*drawn, size, aboveSquare) == blue,
                  "the window's own drawing agrees");

    // A sheet over the window, and its end.
    auto sheet = ui::Window::create({0, 0, 240, 100}, ui::StyleMask::titled);
    long returned = -1;
    window->beginSheet(sheet, [&](ui::ModalResponse response) { returned = long(response); });
    checker.check(waitFor([&] { return sheet->isVisible(); }, 10) && window->attachedSheet() == sheet,
                  "the sheet shows over the window");
    window->endSheet(sheet, ui::ModalResponses::ok);
    checker.check(waitFor([&] { return returned == long(ui::ModalResponses::ok); }, 10) && !sheet->isVisible(),
                  "the sheet closes with its return code");

    window->close();
    std::printf("%s\n", checker.failures() == 0 ? "uicheck: all checks passed" : "uicheck: some checks failed");
    return checker.failures() == 0 ? 0 : 1;
}

class Delegate : public ui::ApplicationDelegate {
public:
    int result = 1;
    void applicationDidFinishLaunching() override
    {
        core::DispatchQueue::main()->async([this] {
            result = runChecks();
            ui::Application::shared()->terminate();
        });
    }
};

}  // namespace

int main(int argc, char** argv)
{
    auto delegate = std::make_shared<Delegate>();
    ui::Application::shared()->run(argc, argv, delegate);
    return delegate->result;
}
