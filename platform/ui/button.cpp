#include "platform/ui/button.h"

#include <QCheckBox>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleOptionButton>

#include "platform/gfx/detail/qt_context.h"
#include "platform/ui/detail/qt_control.h"
#include "platform/ui/detail/qt_image.h"
#include "platform/ui/detail/qt_picture_icon.h"

namespace ui {

namespace {

bool keepsState(ButtonType type)
{
    return type == ButtonType::pushOnPushOff || type == ButtonType::toggle || type == ButtonType::switchButton ||
           type == ButtonType::radio || type == ButtonType::onOff;
}

QRect deviceRect(const gfx::Rect& frame)
{
    return QRectF(frame.minX(), frame.minY(), frame.width(), frame.height()).toAlignedRect();
}

// A push button painted by its Button: the bezel, then the title, in a y-down context over the widget.
class DrawnPushButton : public QPushButton {
public:
    explicit DrawnPushButton(std::weak_ptr<Button> owner) : owner_(std::move(owner)) {}

    // For the default drawing, during a paint: the style's pieces of a push button.
    QPainter* painter() const { return painter_; }
    void drawStyle(QStyle::ControlElement element, const QRect& rect, const QString* text = nullptr)
    {
        QStyleOptionButton option;
        initStyleOption(&option);
        option.rect = rect;
        if (text) option.text = *text;
        painter_->save();
        painter_->resetTransform();
        style()->drawControl(element, &option, painter_, this);
        painter_->restore();
    }

protected:
    void paintEvent(QPaintEvent* event) override
    {
        auto button = owner_.lock();
        if (!button) return QPushButton::paintEvent(event);
        QPainter painter(this);
        painter_ = &painter;
        gfx::PainterContext context(painter, QTransform(), QRectF(rect()));
        gfx::ContextScope scope(context);
        const gfx::Rect frame{0, 0, double(width()), double(height())};
        button->drawBezel(frame);
        button->drawTitle(gfx::AttributedString(button->title()), frame);
        painter_ = nullptr;
    }

private:
    std::weak_ptr<Button> owner_;
    QPainter* painter_ = nullptr;
};

DrawnPushButton* paintingButton(Button& button)
{
    auto* push = dynamic_cast<DrawnPushButton*>(controlWidget(button));
    return push && push->painter() ? push : nullptr;
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
        auto* push = new DrawnPushButton(sharedAs<Button>());
        push->setFlat(!bordered_);
        push->setDefault(keyEquivalent_ == "\r");
        button = push;
    }
    button->setText(QString::fromStdString(title_));
    // The state is ours: after a click valueDidChange shows what the type's rules made of it.
    std::weak_ptr<Button> weak = sharedAs<Button>();
    QObject::connect(button, &QAbstractButton::pressed, [weak] {
        if (auto b = weak.lock()) b->pressed();
    });
    QObject::connect(button, &QAbstractButton::clicked, [weak] {
        if (auto b = weak.lock()) b->released();
    });
    for (auto signal : {&QAbstractButton::pressed, &QAbstractButton::released})
        QObject::connect(button, signal, [weak] {
            if (auto b = weak.lock()) b->showImage();
        });
    setControlWidget(*this, button);
    valueDidChange();
    showImage();
}

void Button::showImage()
{
    auto* button = qobject_cast<QAbstractButton*>(controlWidget(*this));
    if (!button) return;
    const gfx::Size size = frame().standardized().size;
    if (scaling_ == ImageScaling::axesIndependently)
        button->setIconSize(QSize(int(std::lround(size.width)), int(std::lround(size.height))));
    if (picture_) {
        if (scaling_ != ImageScaling::axesIndependently) {
            const gfx::Size own = picture_->size();
            button->setIconSize(QSize(int(std::ceil(own.width)), int(std::ceil(own.height))));
        }
        button->setIcon(iconOfPicture(picture_, button));
        return;
    }
    const bool alternate =
        alternateImage_ && (type_ == ButtonType::momentaryChange ? button->isDown() : state() == ControlState::on);
    const gfx::ImageRef& shown = alternate ? alternateImage_ : image_;
    button->setIcon(shown ? QIcon(QPixmap::fromImage(qImageFromImage(*shown))) : QIcon());
}

void Button::setImageScaling(ImageScaling scaling)
{
    scaling_ = scaling;
    showImage();
}

void Button::setFrame(const gfx::Rect& frame)
{
    Control::setFrame(frame);
    if (scaling_ == ImageScaling::axesIndependently) showImage();
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
    showImage();
}

void Button::setPicture(const std::shared_ptr<Picture>& picture)
{
    picture_ = picture;
    showImage();
}

void Button::setAlternateImage(const gfx::ImageRef& image)
{
    alternateImage_ = image;
    showImage();
}

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
        ControlState next = state() == ControlState::on                       ? ControlState::off
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
    showImage();
}

void Button::drawBezel(const gfx::Rect& frame)
{
    if (!bordered_) return;
    if (auto* push = paintingButton(*this)) push->drawStyle(QStyle::CE_PushButtonBevel, deviceRect(frame));
}

gfx::Rect Button::drawTitle(const gfx::AttributedString& title, const gfx::Rect& frame)
{
    auto* push = paintingButton(*this);
    if (!push) return {};
    if (title.attributes() == gfx::TextAttributes{}) {
        const QString text = QString::fromStdString(title.text());
        push->drawStyle(QStyle::CE_PushButtonLabel, deviceRect(frame), &text);
        return frame;
    }
    const gfx::Size size = title.size();
    const gfx::Rect taken{frame.minX(), frame.minY() + (frame.height() - size.height) / 2, frame.width(), size.height};
    // Text stands upright in y-up space: draw it in one over the same painter.
    QPainter& painter = *push->painter();
    const double height = push->height();
    gfx::PainterContext upright(painter, QTransform(1, 0, 0, -1, 0, height), QRectF(push->rect()));
    gfx::drawText(upright, title, {taken.minX(), height - taken.maxY(), taken.width(), taken.height()});
    return taken;
}

gfx::Size Button::intrinsicContentSize() const
{
    auto* widget = controlWidget(const_cast<Button&>(*this));
    if (!widget) return View::intrinsicContentSize();
    const QSize hint = widget->sizeHint();
    return {double(hint.width()), double(hint.height())};
}

}  // namespace ui
