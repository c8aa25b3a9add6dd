#include "platform/ui/toolbar.h"

#include <QAction>
#include <QActionGroup>
#include <QEvent>
#include <QMenu>
#include <QToolButton>

#include <algorithm>
#include <optional>

#include "platform/core/user_defaults.h"
#include "platform/ui/application.h"
#include "platform/ui/detail/qt_image.h"
#include "platform/ui/detail/qt_toolbar.h"
#include "platform/ui/detail/qt_view.h"
#include "platform/ui/picture.h"

namespace ui {

namespace {

const char* const itemIdentifiersKey = "TB Item Identifiers";
const char* const displayModeKey = "TB Display Mode";

bool isSpace(const std::string& identifier)
{
    return identifier == toolbarFlexibleSpaceItemIdentifier || identifier == toolbarSpaceItemIdentifier;
}

std::string configurationKey(const std::string& identifier) { return "NSToolbar Configuration " + identifier; }

std::optional<core::Dictionary> savedConfiguration(const std::string& identifier)
{
    return core::UserDefaults::standard()->dictionary(configurationKey(identifier));
}

// The saved identifiers that are still allowed (spaces always are); nullopt without a saved list.
std::optional<std::vector<std::string>> savedIdentifiers(const core::Dictionary& saved,
                                                         const std::vector<std::string>& allowed)
{
    const core::Value* list = saved.find(itemIdentifiersKey);
    if (!list || !list->arrayPointer()) return std::nullopt;
    std::vector<std::string> identifiers;
    for (const auto& value : *list->arrayPointer())
        if (auto identifier = value.string())
            if (isSpace(*identifier) || std::find(allowed.begin(), allowed.end(), *identifier) != allowed.end())
                identifiers.push_back(*identifier);
    return identifiers;
}

// Keeps an item view's frame the size the toolbar gives its widget, between the item's minimum and maximum.
class ItemViewSizer : public QObject {
public:
    // Once per widget.
    static void attach(QWidget* widget, const std::shared_ptr<View>& view)
    {
        for (QObject* child : widget->children())
            if (dynamic_cast<ItemViewSizer*>(child)) return;
        new ItemViewSizer(widget, view);
    }
    ItemViewSizer(QWidget* widget, std::weak_ptr<View> view) : QObject(widget), view_(std::move(view))
    {
        widget->installEventFilter(this);
    }
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Resize)
            if (auto view = view_.lock()) {
                const QSize size = static_cast<QWidget*>(watched)->size();
                view->setFrameSize({double(size.width()), double(size.height())});
            }
        return false;
    }

private:
    std::weak_ptr<View> view_;
};

Qt::ToolButtonStyle buttonStyleOf(ToolbarDisplayMode mode)
{
    return mode == ToolbarDisplayMode::iconOnly    ? Qt::ToolButtonIconOnly
           : mode == ToolbarDisplayMode::labelOnly ? Qt::ToolButtonTextOnly
                                                   : Qt::ToolButtonTextUnderIcon;
}

void addSpace(QToolBar* bar, bool flexible)
{
    auto* space = new QWidget;
    if (flexible)
        space->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    else
        space->setFixedWidth(8);
    bar->addWidget(space);
}

// The item's view, between the item's minimum and maximum sizes (its frame's size when it gives none).
void addItemView(QToolBar* bar, const ToolbarItem& item, const std::shared_ptr<View>& view)
{
    QWidget* widget = widgetOf(*view);
    const gfx::Size least = item.minSize().width > 0 ? item.minSize() : view->frame().size;
    const gfx::Size most = item.maxSize().width > 0 ? item.maxSize() : least;
    view->setFrameSize(least);
    widget->setMinimumSize(int(least.width), int(least.height));
    widget->setMaximumSize(int(std::max(least.width, most.width)), int(std::max(least.height, most.height)));
    widget->setSizePolicy(most.width > least.width ? QSizePolicy::Expanding : QSizePolicy::Fixed, QSizePolicy::Fixed);
    ItemViewSizer::attach(widget, view);
    bar->addWidget(widget)->setVisible(true);
    widget->show();
}

// A button of the item's label, tool tip, state and image.
QAction* addItemButton(QToolBar* bar, const ToolbarItem& item)
{
    auto* action = bar->addAction(QString::fromStdString(item.label()));
    action->setData(QString::fromStdString(item.itemIdentifier()));
    action->setToolTip(QString::fromStdString(item.toolTip()));
    action->setEnabled(item.isEnabled());
    if (auto picture = item.image())
        if (auto bitmap = picture->cgImage()) action->setIcon(QIcon(QPixmap::fromImage(qImageFromImage(*bitmap))));
    return action;
}

}  // namespace

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
    saveConfiguration();
    rebuild();
}

void Toolbar::setAllowsUserCustomization(bool allows)
{
    allowsCustomization_ = allows;
    rebuild();
}

void Toolbar::setAutosavesConfiguration(bool autosaves)
{
    autosaves_ = autosaves;
    if (!autosaves) return;
    if (auto saved = savedConfiguration(identifier_)) {
        if (const core::Value* mode = saved->find(displayModeKey))
            if (auto number = mode->asInt(); number && *number >= 0 && *number <= 3)
                displayMode_ = ToolbarDisplayMode(*number);
        built_ = false;
        rebuild();
    }
}

void Toolbar::setShowsBaselineSeparator(bool shows)
{
    baseline_ = shows;
    rebuild();
}

void Toolbar::setVisible(bool visible)
{
    visible_ = visible;
    if (impl_->bar) impl_->bar->setVisible(visible);
}

std::shared_ptr<ToolbarItem> Toolbar::makeItem(ToolbarDelegate& delegate, const std::string& identifier)
{
    if (isSpace(identifier)) return core::make<ToolbarItem>(identifier);
    return delegate.itemForItemIdentifier(*this, identifier, true);
}

const std::vector<std::shared_ptr<ToolbarItem>>& Toolbar::items()
{
    if (!built_) {
        built_ = true;
        items_.clear();
        if (auto d = delegate()) {
            std::optional<std::vector<std::string>> identifiers;
            if (autosaves_)
                if (auto saved = savedConfiguration(identifier_))
                    identifiers = savedIdentifiers(*saved, d->allowedItemIdentifiers(*this));
            if (!identifiers) identifiers = d->defaultItemIdentifiers(*this);
            for (auto& identifier : *identifiers)
                if (auto item = makeItem(*d, identifier)) items_.push_back(item);
        }
    }
    return items_;
}

void Toolbar::insertItemWithItemIdentifier(const std::string& identifier, std::size_t index)
{
    auto d = delegate();
    if (!d) return;
    items();
    auto item = makeItem(*d, identifier);
    if (!item) return;
    items_.insert(items_.begin() + std::ptrdiff_t(std::min(index, items_.size())), item);
    saveConfiguration();
    rebuild();
}

void Toolbar::removeItemAtIndex(std::size_t index)
{
    if (index >= items().size()) return;
    const auto item = items_[index];
    items_.erase(items_.begin() + std::ptrdiff_t(index));
    if (auto view = item->view())
        if (QWidget* widget = widgetOf(*view)) widget->setParent(nullptr);
    saveConfiguration();
    rebuild();
}

void Toolbar::saveConfiguration()
{
    if (!autosaves_ || !built_) return;
    core::Array identifiers;
    for (auto& item : items_)
        identifiers.emplace_back(item->itemIdentifier());
    // The program's own identifiers: the settings keep them (a failure to write the file is told by them).
    static_cast<void>(core::UserDefaults::standard()->set(
        configurationKey(identifier_),
        core::Dictionary{{itemIdentifiersKey, std::move(identifiers)}, {displayModeKey, int(displayMode_)}}));
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
    bar->setToolButtonStyle(buttonStyleOf(displayMode_));
    auto* group = new QActionGroup(bar);
    const auto d = delegate();
    const auto selectable = d ? d->selectableItemIdentifiers(*this) : std::vector<std::string>{};
    std::weak_ptr<Toolbar> weak = sharedAs<Toolbar>();
    for (auto& item : items()) {
        const std::string& id = item->itemIdentifier();
        if (isSpace(id)) {
            addSpace(bar, id == toolbarFlexibleSpaceItemIdentifier);
            continue;
        }
        if (auto view = item->view()) {
            addItemView(bar, *item, view);
            continue;
        }
        QAction* action = addItemButton(bar, *item);
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
    bar->setStyleSheet(baseline_ ? QString() : QStringLiteral("QToolBar { border: none; }"));
    bar->setContextMenuPolicy(allowsCustomization_ ? Qt::CustomContextMenu : Qt::PreventContextMenu);
    bar->setVisible(visible_);
}

namespace {

std::optional<std::size_t> indexOfItem(Toolbar& toolbar, const std::string& identifier)
{
    const auto& all = toolbar.items();
    for (std::size_t i = 0; i < all.size(); ++i)
        if (all[i]->itemIdentifier() == identifier) return i;
    return std::nullopt;
}

// The allowed items, checked when in the toolbar: checking adds one at the end, unchecking removes it.
void showCustomizationMenu(Toolbar& toolbar, QPoint at)
{
    auto d = toolbar.delegate();
    if (!d || !toolbar.allowsUserCustomization() || !toolbar.impl().bar) return;
    QMenu menu;
    std::weak_ptr<Toolbar> weak = toolbar.sharedAs<Toolbar>();
    for (const auto& identifier : d->allowedItemIdentifiers(toolbar)) {
        if (isSpace(identifier)) continue;
        auto item = d->itemForItemIdentifier(toolbar, identifier, false);
        if (!item) continue;
        const std::string title = item->paletteLabel().empty() ? item->label() : item->paletteLabel();
        QAction* action = menu.addAction(QString::fromStdString(title));
        action->setCheckable(true);
        action->setChecked(indexOfItem(toolbar, identifier).has_value());
        QObject::connect(action, &QAction::toggled, [weak, identifier](bool on) {
            auto bar = weak.lock();
            if (!bar) return;
            if (!on) {
                if (auto index = indexOfItem(*bar, identifier)) bar->removeItemAtIndex(*index);
            } else {
                bar->insertItemWithItemIdentifier(identifier, bar->items().size());
            }
        });
    }
    menu.exec(toolbar.impl().bar->mapToGlobal(at));
}

}  // namespace

QToolBar* makeQtToolbar(Toolbar& toolbar, QWidget* parent)
{
    delete toolbar.impl().bar.data();
    auto* bar = new QToolBar(parent);
    bar->setMovable(false);
    bar->setFloatable(false);
    toolbar.impl().bar = bar;
    std::weak_ptr<Toolbar> weak = toolbar.sharedAs<Toolbar>();
    QObject::connect(bar, &QWidget::customContextMenuRequested, [weak](const QPoint& at) {
        if (auto toolbar = weak.lock()) showCustomizationMenu(*toolbar, at);
    });
    toolbar.setDisplayMode(toolbar.displayMode());  // builds the items into it
    return bar;
}

}  // namespace ui
