#include "app/document/interface_builder.h"

#include "foundation/bundle_info.h"
#include "foundation/shortcuts.h"
#include "platform/ui/number_formatter.h"

namespace vistrel {

std::string interfaceText(const std::string& key) { return kestrane::local(*kestrane::MB.get(), key); }

namespace {

void connect(ui::Control& control, const std::shared_ptr<ui::Responder>& target, const ui::Action& action)
{
    control.setTarget(target);
    control.setAction(action);
}

}  // namespace

std::shared_ptr<ui::Button> InterfaceBuilder::button(const gfx::Rect& frame, unsigned mask, const std::string& key,
                                                     const std::shared_ptr<ui::Responder>& target,
                                                     const ui::Action& action)
{
    auto b = add<ui::Button>(frame, mask);
    b->setTitle(interfaceText(key));
    connect(*b, target, action);
    return b;
}

std::shared_ptr<ui::Button> InterfaceBuilder::checkBox(const gfx::Rect& frame, unsigned mask, const std::string& key,
                                                       const std::shared_ptr<ui::Responder>& target,
                                                       const ui::Action& action)
{
    auto b = button(frame, mask, key, target, action);
    b->setButtonType(ui::ButtonType::switchButton);
    return b;
}

std::shared_ptr<ui::TextField> InterfaceBuilder::label(const gfx::Rect& frame, unsigned mask, const std::string& key)
{
    auto field = ui::TextField::labelWithFrame(frame);
    field->setAutoresizingMask(mask);
    if (!key.empty()) field->setStringValue(interfaceText(key));
    container_->addSubview(field);
    return field;
}

std::shared_ptr<ui::TextField> InterfaceBuilder::numberField(const gfx::Rect& frame, unsigned mask, double minimum,
                                                             double maximum, bool fractions,
                                                             const std::shared_ptr<ui::Responder>& target,
                                                             const ui::Action& action)
{
    auto field = add<ui::TextField>(frame, mask);
    auto formatter = core::make<ui::NumberFormatter>();
    formatter->setMinimum(minimum);
    formatter->setMaximum(maximum);
    formatter->setAllowsFloats(fractions);
    field->setFormatter(formatter);
    connect(*field, target, action);
    return field;
}

std::shared_ptr<ui::PopUpButton> InterfaceBuilder::popUp(const gfx::Rect& frame, unsigned mask,
                                                         const std::vector<std::string>& titles,
                                                         const std::shared_ptr<ui::Responder>& target,
                                                         const ui::Action& action)
{
    auto p = add<ui::PopUpButton>(frame, mask);
    p->addItems(titles);
    for (long i = 0; i < p->numberOfItems(); ++i)
        p->itemAtIndex(i)->setTag(i);
    p->selectItemAtIndex(0);
    connect(*p, target, action);
    return p;
}

std::shared_ptr<ui::TableView> InterfaceBuilder::table(const gfx::Rect& frame, unsigned mask,
                                                       const std::vector<std::pair<std::string, double>>& columns)
{
    auto t = add<ui::TableView>(frame, mask);
    t->setAllowsMultipleSelection(true);
    for (const auto& [title, width] : columns) {
        auto column = core::make<ui::TableColumn>(title);
        column->setWidth(width);
        t->addTableColumn(column);
    }
    return t;
}

}  // namespace vistrel
