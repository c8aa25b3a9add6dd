#include "platform/ui/radio_group.h"

#include <QButtonGroup>
#include <QRadioButton>
#include <QVBoxLayout>

#include "platform/ui/detail/qt_control.h"

namespace ui {

RadioGroup::RadioGroup(const gfx::Rect& frame) : Control(frame) {}

void RadioGroup::awake()
{
    Control::awake();
    setDoubleValue(-1);
    rebuild();
}

void RadioGroup::setTitles(const std::vector<std::string>& titles)
{
    rows_.clear();
    for (std::size_t i = 0; i < titles.size(); ++i)
        rows_.push_back({titles[i], long(i)});
    if (selectedRow() < 0 && !rows_.empty()) setDoubleValue(0);
    rebuild();
}

std::string RadioGroup::titleOfRow(long row) const
{
    return row >= 0 && row < numberOfRows() ? rows_[std::size_t(row)].title : "";
}

long RadioGroup::tagOfRow(long row) const
{
    return row >= 0 && row < numberOfRows() ? rows_[std::size_t(row)].tag : -1;
}

void RadioGroup::setTag(long tag, long row)
{
    if (row >= 0 && row < numberOfRows()) rows_[std::size_t(row)].tag = tag;
}

long RadioGroup::selectedRow() const
{
    const long row = integerValue();
    return row >= 0 && row < numberOfRows() ? row : -1;
}

long RadioGroup::selectedTag() const { return tagOfRow(selectedRow()); }

void RadioGroup::selectCellAtRow(long row) { setDoubleValue(row >= 0 && row < numberOfRows() ? double(row) : -1); }

bool RadioGroup::selectCellWithTag(long tag)
{
    for (long row = 0; row < numberOfRows(); ++row)
        if (rows_[std::size_t(row)].tag == tag) {
            selectCellAtRow(row);
            return true;
        }
    return false;
}

void RadioGroup::pressRow(long row)
{
    if (!isEnabled() || row < 0 || row >= numberOfRows()) return;
    setDoubleValue(double(row));
    userChangedValue(double(row));
}

void RadioGroup::rebuild()
{
    auto* column = new QWidget;
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* group = new QButtonGroup(column);
    std::weak_ptr<RadioGroup> weak = sharedAs<RadioGroup>();
    for (long row = 0; row < numberOfRows(); ++row) {
        auto* radio = new QRadioButton(QString::fromStdString(rows_[std::size_t(row)].title));
        group->addButton(radio, int(row));
        layout->addWidget(radio);
    }
    QObject::connect(group, &QButtonGroup::idClicked, [weak](int row) {
        if (auto radios = weak.lock()) radios->pressRow(row);
    });
    setControlWidget(*this, column);
    valueDidChange();
}

void RadioGroup::valueDidChange()
{
    QWidget* column = controlWidget(*this);
    if (!column) return;
    const auto radios = column->findChildren<QRadioButton*>();
    for (int i = 0; i < radios.size(); ++i) {
        const QSignalBlocker quiet(radios[i]);
        radios[i]->setChecked(i == selectedRow());
    }
}

}  // namespace ui
