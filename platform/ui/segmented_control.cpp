#include "platform/ui/segmented_control.h"

#include <QHBoxLayout>
#include <QToolButton>

#include "platform/ui/detail/qt_control.h"
#include "platform/ui/detail/qt_image.h"

namespace ui {

SegmentedControl::SegmentedControl(const gfx::Rect& frame) : Control(frame) {}

void SegmentedControl::awake()
{
    Control::awake();
    setDoubleValue(-1);
    rebuild();
}

void SegmentedControl::setSegmentCount(long count)
{
    segments_.resize(std::size_t(std::max(0L, count)));
    if (selectedSegment() >= count) setDoubleValue(-1);
    rebuild();
}

std::string SegmentedControl::labelForSegment(long s) const { return valid(s) ? segments_[std::size_t(s)].label : ""; }
gfx::ImageRef SegmentedControl::imageForSegment(long s) const
{
    return valid(s) ? segments_[std::size_t(s)].image : nullptr;
}
double SegmentedControl::widthForSegment(long s) const { return valid(s) ? segments_[std::size_t(s)].width : 0; }
long SegmentedControl::tagForSegment(long s) const { return valid(s) ? segments_[std::size_t(s)].tag : 0; }
bool SegmentedControl::isEnabledForSegment(long s) const { return valid(s) && segments_[std::size_t(s)].enabled; }
bool SegmentedControl::isSelectedForSegment(long s) const { return valid(s) && segments_[std::size_t(s)].selected; }

#define UI_SEGMENT_SETTER(name, type, field)                                                                           \
    void SegmentedControl::name(type value, long segment)                                                              \
    {                                                                                                                  \
        if (!valid(segment)) return;                                                                                   \
        segments_[std::size_t(segment)].field = value;                                                                 \
        rebuild();                                                                                                     \
    }

UI_SEGMENT_SETTER(setLabel, const std::string&, label)
UI_SEGMENT_SETTER(setImage, const gfx::ImageRef&, image)
UI_SEGMENT_SETTER(setWidth, double, width)
UI_SEGMENT_SETTER(setEnabled, bool, enabled)

#undef UI_SEGMENT_SETTER

void SegmentedControl::setTag(long tag, long segment)
{
    if (valid(segment)) segments_[std::size_t(segment)].tag = tag;
}

void SegmentedControl::setTrackingMode(SegmentSwitchTracking mode)
{
    mode_ = mode;
    rebuild();
}

long SegmentedControl::selectedSegment() const
{
    const long segment = integerValue();
    return valid(segment) ? segment : -1;
}

void SegmentedControl::setSelectedSegment(long segment)
{
    if (mode_ == SegmentSwitchTracking::selectOne)
        for (auto& s : segments_)
            s.selected = false;
    if (valid(segment)) segments_[std::size_t(segment)].selected = true;
    setDoubleValue(valid(segment) ? double(segment) : -1);
}

bool SegmentedControl::selectSegmentWithTag(long tag)
{
    for (long i = 0; i < segmentCount(); ++i)
        if (segments_[std::size_t(i)].tag == tag) {
            setSelectedSegment(i);
            return true;
        }
    return false;
}

void SegmentedControl::setSelected(bool selected, long segment)
{
    if (!valid(segment)) return;
    if (selected) return setSelectedSegment(segment);
    segments_[std::size_t(segment)].selected = false;
    if (selectedSegment() == segment)
        setDoubleValue(-1);
    else
        valueDidChange();
}

void SegmentedControl::pressSegment(long segment)
{
    if (!isEnabled() || !isEnabledForSegment(segment)) return;
    if (mode_ == SegmentSwitchTracking::selectAny) {
        segments_[std::size_t(segment)].selected = !segments_[std::size_t(segment)].selected;
        setDoubleValue(double(segment));
    } else if (mode_ == SegmentSwitchTracking::selectOne) {
        setSelectedSegment(segment);
    } else {
        setDoubleValue(double(segment));
    }
    userChangedValue(double(segment));
}

void SegmentedControl::rebuild()
{
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    std::weak_ptr<SegmentedControl> weak = sharedAs<SegmentedControl>();
    for (long i = 0; i < segmentCount(); ++i) {
        const Segment& s = segments_[std::size_t(i)];
        auto* button = new QToolButton;
        button->setText(QString::fromStdString(s.label));
        if (s.image) button->setIcon(QIcon(QPixmap::fromImage(qImageFromImage(*s.image))));
        button->setCheckable(mode_ != SegmentSwitchTracking::momentary);
        button->setEnabled(s.enabled);
        if (s.width > 0)
            button->setFixedWidth(int(s.width));
        else
            button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        QObject::connect(button, &QToolButton::clicked, [weak, i] {
            if (auto control = weak.lock()) control->pressSegment(i);
        });
        layout->addWidget(button);
    }
    setControlWidget(*this, row);
    valueDidChange();
}

void SegmentedControl::valueDidChange()
{
    QWidget* row = controlWidget(*this);
    if (!row) return;
    const auto buttons = row->findChildren<QToolButton*>(QString(), Qt::FindDirectChildrenOnly);
    for (int i = 0; i < buttons.size() && i < segmentCount(); ++i) {
        const QSignalBlocker quiet(buttons[i]);
        buttons[i]->setChecked(segments_[std::size_t(i)].selected);
    }
}

}  // namespace ui
