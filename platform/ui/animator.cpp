#include "platform/ui/animator.h"

#include "platform/ui/animation_engine.h"
#include "platform/ui/transaction.h"
#include "platform/ui/view.h"

namespace ui {

namespace {

// Runs `apply` with fractions 0...1 over the current transaction's duration, or once with 1 when actions are
// disabled or the duration is zero.
void animate(const std::shared_ptr<View>& view, const std::string& key, std::function<void(View&, double)> apply)
{
    const double duration = Transaction::animationDuration();
    auto& engine = AnimationEngine::shared();
    if (Transaction::disableActions() || duration <= 0) {
        engine.cancel(view.get(), key);
        apply(*view, 1);
        return;
    }
    std::weak_ptr<View> weak = view;
    engine.start(
        view.get(), key, duration, Transaction::animationTimingFunction(),
        [weak, apply](double fraction) {
            if (auto v = weak.lock()) apply(*v, fraction);
        },
        Transaction::currentGroup());
}

// Lands exactly on b at the end.
double mix(double a, double b, double f) { return f >= 1 ? b : a + (b - a) * f; }

}  // namespace

void Animator::setFrame(const gfx::Rect& frame)
{
    auto view = view_.lock();
    if (!view) return;
    const gfx::Rect from = view->frame();
    animate(view, "frame", [from, frame](View& v, double f) {
        v.setFrame({mix(from.origin.x, frame.origin.x, f), mix(from.origin.y, frame.origin.y, f),
                    mix(from.size.width, frame.size.width, f), mix(from.size.height, frame.size.height, f)});
    });
}

void Animator::setFrameOrigin(const gfx::Point& origin)
{
    if (auto view = view_.lock()) setFrame({origin, view->frame().size});
}

void Animator::setFrameSize(const gfx::Size& size)
{
    if (auto view = view_.lock()) setFrame({view->frame().origin, size});
}

void Animator::setBoundsOrigin(const gfx::Point& origin)
{
    auto view = view_.lock();
    if (!view) return;
    const gfx::Point from = view->bounds().origin;
    animate(view, "boundsOrigin", [from, origin](View& v, double f) {
        v.setBoundsOrigin({mix(from.x, origin.x, f), mix(from.y, origin.y, f)});
    });
}

void Animator::setAlphaValue(double alpha)
{
    auto view = view_.lock();
    if (!view) return;
    const double from = view->alphaValue();
    animate(view, "alphaValue", [from, alpha](View& v, double f) { v.setAlphaValue(mix(from, alpha, f)); });
}

}  // namespace ui
