#include "platform/ui/toolbar.h"

#include <QAction>
#include <QActionGroup>
#include <QToolButton>

#include <algorithm>

#include "platform/ui/application.h"
#include "platform/ui/picture.h"
#include "platform/ui/qt_image.h"
#include "platform/ui/qt_toolbar.h"
#include "platform/ui/qt_view.h"

namespace ui {

Toolbar::Toolbar(std::string identifier) : identifier_(std::move(identifier)), impl_(std::make_unique<Impl>()) {}

Toolbar::~Toolbar()
{
    for (auto& item : items_)
        if (auto view = item->view())
            if (QWidget* widget = widgetOf(*view)) widget->setParent(nullptr);
    delete impl_->bar.data();
}

void Toolbar::setDelegate(const std::shared_ptr<ToolbarDelegate>& delegate)
{
    delegate_ = delegate;
    built_ = false;
    rebuild();
}

void Toolbar::setDisplayMode(ToolbarDisplayMode mode)
{
    displayMode_ = mode;
    rebuild();
}

void Toolbar::setVisible(bool visible)
{
    visible_ = visible;
    if (impl_->bar) impl_->bar->setVisible(visible);
}

const std::vector<std::shared_ptr<ToolbarItem>>& Toolbar::items()
{
    if (!built_) {
        built_ = true;
        items_.clear();
        if (auto d = delegate())
            for (auto& identifier : d->defaultItemIdentifiers(*this)) {
                if (identifier == toolbarFlexibleSpaceItemIdentifier || identifier == toolbarSpaceItemIdentifier) {
                    items_.push_back(core::make<ToolbarItem>(identifier));
                    continue;
                }
                if (auto item = d->itemForItemIdentifier(*this, identifier, true)) items_.push_back(item);
            }
    }
    return items_;
}

void Toolbar::setSelectedItemIdentifier(const std::string& identifier)
{
    selected_ = identifier;
    if (!impl_->bar) return;
    for (QAction* action : impl_->bar->actions())
        if (action->isCheckable()) action->setChecked(action->data().toString().toStdString() == identifier);
}

void Toolbar::performItem(const std::shared_ptr<ToolbarItem>& item)
{
    if (!item || !item->isEnabled()) return;
    if (auto d = delegate()) {
        const auto selectable = d->selectableItemIdentifiers(*this);
        if (std::find(selectable.begin(), selectable.end(), item->itemIdentifier()) != selectable.end())
            setSelectedItemIdentifier(item->itemIdentifier());
    }
    if (!item->action().empty()) Application::shared()->sendAction(item->action(), item->target(), item);
}

void Toolbar::rebuild()
{
    QToolBar* bar = impl_->bar;
    if (!bar) return;
    for (auto& item : items_)
        if (auto view = item->view())
            if (QWidget* widget = widgetOf(*view)) widget->setParent(nullptr);
    bar->clear();
    bar->setToolButtonStyle(displayMode_ == ToolbarDisplayMode::iconOnly    ? Qt::ToolButtonIconOnly
                            : displayMode_ == ToolbarDisplayMode::labelOnly ? Qt::ToolButtonTextOnly
                                                                            : Qt::ToolButtonTextUnderIcon);
    auto* group = new QActionGroup(bar);
    const auto d = delegate();
    const auto selectable = d ? d->selectableItemIdentifiers(*this) : std::vector<std::string>{};
    std::weak_ptr<Toolbar> weak = sharedAs<Toolbar>();
    for (auto& item : items()) {
        const std::string& id = item->itemIdentifier();
        if (id == toolbarFlexibleSpaceItemIdentifier || id == toolbarSpaceItemIdentifier) {
            auto* space = new QWidget;
            if (id == toolbarFlexibleSpaceItemIdentifier) space->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
            else space->setFixedWidth(8);
            bar->addWidget(space);
            continue;
        }
        if (auto view = item->view()) {
            QWidget* widget = widgetOf(*view);
            const gfx::Size size = item->minSize().width > 0 ? item->minSize() : view->frame().size;
            view->setFrameSize(size);
            widget->setFixedSize(int(size.width), int(size.height));
            bar->addWidget(widget)->setVisible(true);
            widget->show();
            continue;
        }
        auto* action = bar->addAction(QString::fromStdString(item->label()));
        action->setData(QString::fromStdString(id));
        action->setToolTip(QString::fromStdString(item->toolTip()));
        action->setEnabled(item->isEnabled());
        if (auto picture = item->image())
            if (auto bitmap = picture->cgImage()) action->setIcon(QIcon(QPixmap::fromImage(qImageFromImage(*bitmap))));
        if (std::find(selectable.begin(), selectable.end(), id) != selectable.end()) {
            action->setCheckable(true);
            action->setChecked(id == selected_);
            group->addAction(action);
        }
        std::weak_ptr<ToolbarItem> weakItem = item;
        QObject::connect(action, &QAction::triggered, [weak, weakItem] {
            auto toolbar = weak.lock();
            if (toolbar) toolbar->performItem(weakItem.lock());
        });
    }
    bar->setVisible(visible_);
}

QToolBar* makeQtToolbar(Toolbar& toolbar, QWidget* parent)
{
    delete toolbar.impl().bar.data();
    auto* bar = new QToolBar(parent);
    bar->setMovable(false);
    bar->setFloatable(false);
    toolbar.impl().bar = bar;
    toolbar.setDisplayMode(toolbar.displayMode());  // builds the items into it
    return bar;
}

}  // namespace ui
