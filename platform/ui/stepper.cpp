#include "platform/ui/stepper.h"

#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

#include "platform/ui/detail/qt_control.h"

namespace ui {

Stepper::Stepper(const gfx::Rect& frame) : Control(frame) {}

void Stepper::awake()
{
    Control::awake();
    setDoubleValue(0);
    auto* box = new QWidget;
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    std::weak_ptr<Stepper> weak = sharedAs<Stepper>();
    for (int direction : {1, -1}) {
        auto* arrow = new QToolButton;
        arrow->setArrowType(direction > 0 ? Qt::UpArrow : Qt::DownArrow);
        arrow->setAutoRepeat(true);
        arrow->setObjectName(direction > 0 ? "up" : "down");
        arrow->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        QObject::connect(arrow, &QToolButton::clicked, [weak, direction] {
            if (auto stepper = weak.lock()) stepper->step(direction);
        });
        layout->addWidget(arrow);
    }
    setControlWidget(*this, box);
}

void Stepper::step(int direction)
{
    if (!isEnabled()) return;
    lastStep_ = direction > 0 ? 1 : -1;
    double value = doubleValue() + lastStep_ * increment_;
    if (value > max_)
        value = wraps_ ? min_ : max_;
    else if (value < min_)
        value = wraps_ ? max_ : min_;
    setDoubleValue(value);
    userChangedValue(value);
}

}  // namespace ui
