#include "moviekit/interface_file.h"

#include "appkit/control_extensions.h"
#include "moviekit/orvalis_kit.h"
#include "platform/core/property_list.h"
#include "platform/ui/button.h"
#include "platform/ui/interface_registry.h"
#include "platform/ui/slider.h"
#include "platform/ui/view_controller.h"

#include <charconv>
#include <vector>

namespace orvalis {

namespace {

// The numbers of a text such as "10 20 30 40"; nullopt unless there are exactly `count`.
std::optional<std::vector<double>> numbersIn(const core::Value* value, std::size_t count)
{
    const auto text = value ? value->string() : std::nullopt;
    if (!text) return std::nullopt;
    std::vector<double> numbers;
    const char* at = text->data();
    const char* end = at + text->size();
    while (at < end) {
        if (*at == ' ') {
            ++at;
            continue;
        }
        double number = 0;
        const auto [next, error] = std::from_chars(at, end, number);
        if (error != std::errc()) return std::nullopt;
        numbers.push_back(number);
        at = next;
    }
    if (numbers.size() != count) return std::nullopt;
    return numbers;
}

std::string stringIn(const core::Dictionary& description, const std::string& key)
{
    const core::Value* value = description.find(key);
    return value ? value->string().value_or("") : "";
}

std::optional<double> numberIn(const core::Dictionary& description, const std::string& key)
{
    const core::Value* value = description.find(key);
    return value ? value->asDouble() : std::nullopt;
}

std::shared_ptr<ui::Control> makeControl(const std::string& kind, const gfx::Rect& frame,
                                         const core::Dictionary& description, const core::Bundle& bundle)
{
    if (kind == "Label") {
        auto label = kestrane::labelFrame(frame);
        const std::string alignment = stringIn(description, "alignment");
        if (alignment == "center") label->setAlignment(gfx::TextAlignment::center);
        if (alignment == "right") label->setAlignment(gfx::TextAlignment::right);
        return label;
    }
    if (kind == "Slider") {
        auto slider = core::make<ui::Slider>(frame);
        if (auto min = numberIn(description, "minValue")) slider->setMinValue(*min);
        if (auto max = numberIn(description, "maxValue")) slider->setMaxValue(*max);
        slider->setContinuous(numberIn(description, "continuous").value_or(0) != 0);
        return slider;
    }
    if (kind == "Button") {
        auto button = core::make<ui::Button>(frame);
        const std::string title = stringIn(description, "title");
        button->setTitle(title.empty() ? "" : kestrane::local(bundle, title));
        const std::string image = stringIn(description, "image");
        if (!image.empty()) button->setPicture(ui::Picture::fromBundle(bundle, image));
        button->setBordered(numberIn(description, "bordered").value_or(1) != 0);
        return button;
    }
    return nullptr;
}

}  // namespace

std::shared_ptr<ui::View> loadInterfaceFile(const core::Bundle& bundle, const std::string& name,
                                            const std::shared_ptr<ui::Responder>& target, InterfaceFileOwner& owner)
{
    const auto url = bundle.urlForResource(name, "plist");
    const auto file = url ? core::PropertyList::read(*url) : std::nullopt;
    const core::Dictionary* root = file ? file->dictionaryPointer() : nullptr;
    const auto size = root ? numbersIn(root->find("size"), 2) : std::nullopt;
    const core::Value* views = root ? root->find("views") : nullptr;
    if (!size || !views || !views->arrayPointer()) return nullptr;

    auto rootView = core::make<ui::View>(gfx::Rect{0, 0, (*size)[0], (*size)[1]});
    for (const core::Value& entry : *views->arrayPointer()) {
        const core::Dictionary* description = entry.dictionaryPointer();
        const auto frame = description ? numbersIn(description->find("frame"), 4) : std::nullopt;
        if (!frame) continue;
        auto control = makeControl(stringIn(*description, "class"),
                                   {(*frame)[0], (*frame)[1], (*frame)[2], (*frame)[3]}, *description, bundle);
        if (!control) continue;
        const std::string toolTip = stringIn(*description, "toolTip");
        if (!toolTip.empty()) control->setToolTip(kestrane::local(bundle, toolTip));
        const std::string action = stringIn(*description, "action");
        if (!action.empty()) kestrane::setTarget(*control, target, action);
        control->setRefusesFirstResponder(true);
        rootView->addSubview(control);
        const std::string outlet = stringIn(*description, "outlet");
        if (!outlet.empty()) owner.setOutlet(outlet, control);
    }
    return rootView;
}

void registerInterfaceFile(const std::string& name)
{
    if (ui::InterfaceRegistry::contains(name)) return;
    ui::InterfaceRegistry::add(name, [name](const std::shared_ptr<core::Object>& object) {
        auto controller = std::dynamic_pointer_cast<ui::ViewController>(object);
        auto owner = std::dynamic_pointer_cast<InterfaceFileOwner>(object);
        if (!controller || !owner) return;
        // A missing file leaves an empty view rather than none.
        auto view = loadInterfaceFile(*OrvalisKit::bundle(), name, controller, *owner);
        controller->setView(view ? view : core::make<ui::View>());
    });
}

}  // namespace orvalis
