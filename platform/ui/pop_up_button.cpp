#include "platform/ui/pop_up_button.h"

#include <QComboBox>

#include "platform/ui/detail/qt_control.h"

namespace ui {

PopUpButton::PopUpButton(const gfx::Rect& frame) : Control(frame) {}

void PopUpButton::awake()
{
    Control::awake();
    setDoubleValue(-1);
    auto* box = new QComboBox;
    std::weak_ptr<PopUpButton> weak = sharedAs<PopUpButton>();
    QObject::connect(box, QOverload<int>::of(&QComboBox::activated), [weak](int index) {
        if (auto button = weak.lock()) button->userChangedValue(double(index));
    });
    setControlWidget(*this, box);
}

void PopUpButton::addItem(const std::string& title)
{
    items_.push_back(core::make<MenuItem>(title, "", ""));
    refill();
    if (indexOfSelectedItem() < 0) selectItemAtIndex(0);
}

void PopUpButton::addItems(const std::vector<std::string>& titles)
{
    for (auto& title : titles)
        addItem(title);
}

void PopUpButton::removeAllItems()
{
    items_.clear();
    refill();
    setDoubleValue(-1);
}

std::vector<std::string> PopUpButton::itemTitles() const
{
    std::vector<std::string> titles;
    for (auto& item : items_)
        titles.push_back(item->title());
    return titles;
}

std::shared_ptr<MenuItem> PopUpButton::itemAtIndex(long index) const
{
    return index >= 0 && index < numberOfItems() ? items_[std::size_t(index)] : nullptr;
}

std::shared_ptr<MenuItem> PopUpButton::lastItem() const { return items_.empty() ? nullptr : items_.back(); }

long PopUpButton::indexOfItemWithTag(long tag) const
{
    for (std::size_t i = 0; i < items_.size(); ++i)
        if (items_[i]->tag() == tag) return long(i);
    return -1;
}

long PopUpButton::indexOfSelectedItem() const
{
    const long index = integerValue();
    return index >= 0 && index < numberOfItems() ? index : -1;
}

std::shared_ptr<MenuItem> PopUpButton::selectedItem() const { return itemAtIndex(indexOfSelectedItem()); }

long PopUpButton::selectedTag() const
{
    auto item = selectedItem();
    return item ? item->tag() : -1;
}

std::string PopUpButton::titleOfSelectedItem() const
{
    auto item = selectedItem();
    return item ? item->title() : std::string();
}

void PopUpButton::selectItemAtIndex(long index)
{
    setDoubleValue(index >= 0 && index < numberOfItems() ? double(index) : -1);
}

bool PopUpButton::selectItemWithTag(long tag)
{
    const long index = indexOfItemWithTag(tag);
    if (index < 0) return false;
    selectItemAtIndex(index);
    return true;
}

void PopUpButton::selectItemWithTitle(const std::string& title)
{
    for (std::size_t i = 0; i < items_.size(); ++i)
        if (items_[i]->title() == title) return selectItemAtIndex(long(i));
    selectItemAtIndex(-1);
}

void PopUpButton::refill()
{
    auto* box = qobject_cast<QComboBox*>(controlWidget(*this));
    if (!box) return;
    const QSignalBlocker quiet(box);
    box->clear();
    for (auto& item : items_)
        box->addItem(QString::fromStdString(item->title()));
    valueDidChange();
}

void PopUpButton::valueDidChange()
{
    auto* box = qobject_cast<QComboBox*>(controlWidget(*this));
    if (!box) return;
    const QSignalBlocker quiet(box);
    box->setCurrentIndex(int(indexOfSelectedItem()));
}

}  // namespace ui
