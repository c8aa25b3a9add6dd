#include "platform/ui/button.h"

#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>

#include "platform/ui/qt_control.h"
#include "platform/ui/qt_image.h"

namespace ui {

namespace {

bool keepsState(ButtonType type)
{
    return type == ButtonType::pushOnPushOff || type == ButtonType::toggle || type == ButtonType::switchButton ||
           type == ButtonType::radio || type == ButtonType::onOff;
}

}  // namespace

Button::Button(const gfx::Rect& frame) : Control(frame) {}

void Button::awake()
{
    Control::awake();
    setDoubleValue(0);
    rebuild();
}

void Button::rebuild()
{
    QAbstractButton* button;
    if (type_ == ButtonType::switchButton) {
        auto* box = new QCheckBox;
        box->setTristate(allowsMixed_);
        button = box;
    } else if (type_ == ButtonType::radio) {
        auto* radio = new QRadioButton;
        radio->setAutoExclusive(false);
        button = radio;
    } else {
        auto* push = new QPushButton;
        push->setFlat(!bordered_);
        push->setDefault(keyEquivalent_ == "\r");
        button = push;
    }
    button->setText(QString::fromStdString(title_));
    if (image_) button->setIcon(QIcon(QPixmap::fromImage(qImageFromImage(*image_))));
    // The state is ours: after a click valueDidChange shows what the type's rules made of it.
    std::weak_ptr<Button> weak = sharedAs<Button>();
    QObject::connect(button, &QAbstractButton::pressed, [weak] {
        if (auto b = weak.lock()) b->pressed();
    });
    QObject::connect(button, &QAbstractButton::clicked, [weak] {
        if (auto b = weak.lock()) b->released();
    });
    setControlWidget(*this, button);
    valueDidChange();
}

void Button::setTitle(const std::string& title)
{
    title_ = title;
    if (auto* button = qobject_cast<QAbstractButton*>(controlWidget(*this)))
        button->setText(QString::fromStdString(title));
}

void Button::setImage(const gfx::ImageRef& image)
{
    image_ = image;
    if (auto* button = qobject_cast<QAbstractButton*>(controlWidget(*this)))
        button->setIcon(image ? QIcon(QPixmap::fromImage(qImageFromImage(*image))) : QIcon());
}

void Button::setAlternateImage(const gfx::ImageRef& image) { alternateImage_ = image; }

void Button::setButtonType(ButtonType type)
{
    type_ = type;
    rebuild();
}

ControlState Button::state() const
{
    const long value = integerValue();
    return value > 0 ? ControlState::on : value < 0 ? ControlState::mixed : ControlState::off;
}

void Button::setState(ControlState state) { setIntegerValue(long(state)); }

void Button::setAllowsMixedState(bool allows)
{
    allowsMixed_ = allows;
    rebuild();
}

void Button::setBordered(bool bordered)
{
    bordered_ = bordered;
    if (auto* push = qobject_cast<QPushButton*>(controlWidget(*this))) push->setFlat(!bordered);
}

void Button::setKeyEquivalent(const std::string& key)
{
    keyEquivalent_ = key;
    if (auto* push = qobject_cast<QPushButton*>(controlWidget(*this))) push->setDefault(key == "\r");
}

bool Button::isHighlighted() const
{
    auto* button = qobject_cast<QAbstractButton*>(controlWidget(const_cast<Button&>(*this)));
    return button && button->isDown();
}

void Button::performClick(const std::shared_ptr<core::Object>&)
{
    if (!isEnabled()) return;
    pressed();
    released();
}

void Button::pressed()
{
    if (actionMask() & eventMaskFor(EventType::leftMouseDown)) sendAction(action(), target());
}

void Button::released()
{
    if (keepsState(type_)) {
        // Three states cycle on, off, mixed, on; radio buttons only turn on.
        ControlState next = state() == ControlState::on ? ControlState::off
                            : state() == ControlState::mixed || !allowsMixed_ ? ControlState::on
                                                                              : ControlState::mixed;
        if (type_ == ButtonType::radio) next = ControlState::on;
        setState(next);
        userChangedValue(double(next), false);
    }
    if (actionMask() & eventMaskFor(EventType::leftMouseUp)) sendAction(action(), target());
}

void Button::valueDidChange()
{
    auto* button = qobject_cast<QAbstractButton*>(controlWidget(*this));
    if (!button) return;
    if (auto* box = qobject_cast<QCheckBox*>(button)) {
        box->setCheckState(state() == ControlState::on      ? Qt::Checked
                           : state() == ControlState::mixed ? Qt::PartiallyChecked
                                                            : Qt::Unchecked);
        return;
    }
    if (auto* radio = qobject_cast<QRadioButton*>(button)) {
        radio->setChecked(state() == ControlState::on);
        return;
    }
    button->setDown(keepsState(type_) && state() == ControlState::on);
    if (alternateImage_ && image_)
        button->setIcon(QIcon(QPixmap::fromImage(qImageFromImage(state() == ControlState::on ? *alternateImage_ : *image_))));
}

gfx::Size Button::intrinsicContentSize() const
{
    auto* widget = controlWidget(const_cast<Button&>(*this));
    if (!widget) return View::intrinsicContentSize();
    const QSize hint = widget->sizeHint();
    return {double(hint.width()), double(hint.height())};
}

}  // namespace ui
