// Lays out the controls of an interface built in code into one container view: each made with its frame
// (y-up in the container), its autoresizing mask and, for controls, the action it sends to its target
// (no target: along the responder chain), with its text taken from the main bundle's strings. Main thread
// only.
#pragma once

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/ui/button.h"
#include "platform/ui/pop_up_button.h"
#include "platform/ui/table_view.h"
#include "platform/ui/text_field.h"

namespace vistrel {

// The main bundle's text of the key.
std::string interfaceText(const std::string& key);

class InterfaceBuilder {
public:
    explicit InterfaceBuilder(std::shared_ptr<ui::View> container) : container_(std::move(container)) {}

    template <class V>
    std::shared_ptr<V> add(const gfx::Rect& frame, unsigned mask)
    {
        auto view = core::make<V>(frame);
        view->setAutoresizingMask(mask);
        container_->addSubview(view);
        return view;
    }

    void addView(const std::shared_ptr<ui::View>& view) { container_->addSubview(view); }
    // A push button titled with the text of `key`.
    std::shared_ptr<ui::Button> button(const gfx::Rect& frame, unsigned mask, const std::string& key,
                                       const std::shared_ptr<ui::Responder>& target, const ui::Action& action);
    std::shared_ptr<ui::Button> checkBox(const gfx::Rect& frame, unsigned mask, const std::string& key,
                                         const std::shared_ptr<ui::Responder>& target, const ui::Action& action);
    // A label showing the text of `key` (none: empty).
    std::shared_ptr<ui::TextField> label(const gfx::Rect& frame, unsigned mask, const std::string& key = "");
    // An editable field of numbers within [minimum, maximum], whole ones unless `fractions`.
    std::shared_ptr<ui::TextField> numberField(const gfx::Rect& frame, unsigned mask, double minimum, double maximum,
                                               bool fractions, const std::shared_ptr<ui::Responder>& target,
                                               const ui::Action& action);
    // Items titled as given, the first selected, tagged by their index.
    std::shared_ptr<ui::PopUpButton> popUp(const gfx::Rect& frame, unsigned mask,
                                           const std::vector<std::string>& titles,
                                           const std::shared_ptr<ui::Responder>& target, const ui::Action& action);
    // Columns (title, width) whose titles are also their identifiers; several rows may be selected.
    std::shared_ptr<ui::TableView> table(const gfx::Rect& frame, unsigned mask,
                                         const std::vector<std::pair<std::string, double>>& columns);

private:
    std::shared_ptr<ui::View> container_;
};

}  // namespace vistrel
