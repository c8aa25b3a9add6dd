// An entry of a menu: a title, the action it sends (to its target, or along the responder chain when it has
// none), a key equivalent, a tag, a state mark and an optional submenu. Chosen, or reached by its key
// equivalent, it sends its action only when the responder that would perform it validates it; else it beeps.
// Main thread only.
#pragma once

#include <memory>
#include <string>

#include "platform/core/object.h"
#include "platform/ui/action.h"

namespace ui {

class Menu;
class Responder;

enum class ControlState { off = 0, on = 1, mixed = -1 };

class MenuItem : public core::Object, public ValidatedUserInterfaceItem {
public:
    struct Impl;
    MenuItem(const std::string& title, const Action& action, const std::string& keyEquivalent);
    ~MenuItem() override;
    void awake() override;
    static std::shared_ptr<MenuItem> separator();

    std::string title() const;
    void setTitle(const std::string& title);
    Action action() const override;
    void setAction(const Action& action);
    long tag() const override;
    void setTag(long tag);
    std::shared_ptr<Responder> target() const;
    void setTarget(const std::shared_ptr<Responder>& target);
    std::string keyEquivalent() const;
    // A letter with command (Ctrl) unless other modifier flags are set.
    void setKeyEquivalent(const std::string& key);
    std::uint64_t keyEquivalentModifierMask() const;
    void setKeyEquivalentModifierMask(std::uint64_t flags);
    ControlState state() const;
    void setState(ControlState state);
    bool isEnabled() const;
    void setEnabled(bool enabled);
    bool isHidden() const;
    void setHidden(bool hidden);
    bool isSeparatorItem() const;
    std::shared_ptr<Menu> submenu() const;
    void setSubmenu(const std::shared_ptr<Menu>& menu);
    std::shared_ptr<Menu> menu() const;

    Impl& impl() { return *impl_; }

private:
    void updateShortcut();
    std::unique_ptr<Impl> impl_;
};

}  // namespace ui
