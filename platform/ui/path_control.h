// A bar of titled items shown one after the other with separators (a breadcrumb). Subclasses paint their own
// background through drawBackground; the titles are drawn over it. Main thread only.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/ui/control.h"

namespace ui {

class PathComponent : public core::Object {
public:
    explicit PathComponent(std::string title) : title_(std::move(title)) {}
    const std::string& title() const { return title_; }
    void setTitle(const std::string& title) { title_ = title; }
    // Where the component stands in its bar; both false outside a bar.
    bool isFirstItem() const { return first_; }
    bool isLastItem() const { return last_; }

private:
    friend class PathControl;
    std::string title_;
    bool first_ = false;
    bool last_ = false;
};

enum class PathStyle { standard = 0, popUp = 2 };

class PathControl : public Control {
public:
    using Control::Control;

    const std::vector<std::shared_ptr<PathComponent>>& pathComponentCells() const { return components_; }
    void setPathComponentCells(const std::vector<std::shared_ptr<PathComponent>>& components);
    PathStyle pathStyle() const { return style_; }
    void setPathStyle(PathStyle style);

    // Paints behind the titles; nothing by default.
    virtual void drawBackground(const gfx::Rect& rect) {}
    void draw(const gfx::Rect& dirty) override;

private:
    std::vector<std::shared_ptr<PathComponent>> components_;
    PathStyle style_ = PathStyle::standard;
};

}  // namespace ui
