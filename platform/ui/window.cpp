#include "platform/ui/window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <QWindow>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <set>
#include <sstream>

#include "platform/core/main_thread.h"
#include "platform/core/notification_center.h"
#include "platform/core/user_defaults.h"
#include "platform/ui/animation_engine.h"
#include "platform/ui/application.h"
#include "platform/ui/detail/qt_appearance.h"
#include "platform/ui/detail/qt_event.h"
#include "platform/ui/detail/qt_image.h"
#include "platform/ui/detail/qt_menu.h"
#include "platform/ui/detail/qt_screen.h"
#include "platform/ui/detail/qt_toolbar.h"
#include "platform/ui/detail/qt_view.h"
#include "platform/ui/detail/qt_window.h"
#include "platform/ui/standard_actions.h"
#include "platform/ui/text_field.h"
#include "platform/ui/transaction.h"
#include "platform/ui/window_controller.h"
#include "platform/ui/window_delegate.h"

namespace ui {

namespace {

int nextWindowNumber()
{
    static int number = 0;
    return ++number;
}

int pixel(double v) { return int(std::lround(v)); }

struct PendingSheet {
    std::shared_ptr<Window> sheet;
    Window::SheetCompletion completion;
};

}  // namespace

namespace {

std::set<std::string>& autosaveNamesInUse()
{
    static std::set<std::string> names;
    return names;
}

std::string autosaveKey(const std::string& name) { return "NSWindow Frame " + name; }

}  // namespace

struct Window::Impl {
    QPointer<WindowWidget> widget;
    QPointer<QMenuBar> menuBar;
    std::shared_ptr<Toolbar> toolbar;
    std::shared_ptr<Appearance> appearance;
    bool cursorRectsEnabled = true;
    std::string autosaveName;
    bool inLiveResize = false;
    QPointer<QTimer> liveResizeEnd;
    QPointer<QToolBar> toolbarWidget;
    unsigned styleMask = 0;
    int number = nextWindowNumber();
    gfx::Rect initialContentRect;
    std::shared_ptr<View> contentView;
    gfx::Size minSize{0, 0};
    gfx::Size maxSize{1e7, 1e7};
    int level = 0;
    bool movableByBackground = false;
    bool titlebarTransparent = false;
    bool showsMenuBar = false;
    bool closing = false;
    std::weak_ptr<Responder> firstResponder;
    std::weak_ptr<WindowDelegate> delegate;
    std::weak_ptr<WindowController> controller;
    std::weak_ptr<View> mouseView;
    std::deque<PendingSheet> waitingSheets;
    std::optional<PendingSheet> activeSheet;
    std::weak_ptr<Window> sheetParent;

    int menuHeight() const { return menuBar && !menuBar->isHidden() ? menuBar->sizeHint().height() : 0; }
    int toolbarHeight() const
    {
        return toolbarWidget && toolbar && toolbar->isVisible() ? toolbarWidget->sizeHint().height() : 0;
    }
    int contentTop() const { return menuHeight() + toolbarHeight(); }
};

std::shared_ptr<Window> Window::create(const gfx::Rect& contentRect, unsigned styleMask)
{
    return core::make<Window>(contentRect, styleMask);
}

Window::Window(const gfx::Rect& contentRect, unsigned styleMask) : impl_(std::make_unique<Impl>())
{
    core::assertMainThread();
    impl_->styleMask = styleMask;
    impl_->initialContentRect = contentRect.standardized();
}

Window::~Window()
{
    autosaveNamesInUse().erase(impl_->autosaveName);
    AnimationEngine::shared().cancelAll(this);
    if (impl_->contentView) {
        impl_->contentView->impl().window.reset();
        if (QWidget* content = widgetOf(*impl_->contentView)) content->setParent(nullptr);
    }
    delete impl_->widget.data();
}

void Window::awake()
{
    Responder::awake();
    auto* widget = new WindowWidget(*this);
    impl_->widget = widget;
    Qt::WindowFlags flags = Qt::Window;
    if (impl_->styleMask == StyleMask::borderless) flags |= Qt::FramelessWindowHint;
    widget->setWindowFlags(flags);
    widget->setFocusPolicy(Qt::StrongFocus);
    const gfx::Rect r = impl_->initialContentRect;
    widget->setGeometry(qtRectFromScreen(r));
    setContentView(core::make<View>(gfx::Rect(0, 0, r.width(), r.height())));
    rebuildMenuBar();
    std::weak_ptr<Window> weak = sharedAs<Window>();
    registerCommand(actions::performClose, &Window::performClose);
    registerCommand(actions::makeKeyAndOrderFront, &Window::makeKeyAndOrderFront);
    registerAction(actions::performMiniaturize, [weak](const std::shared_ptr<core::Object>&) {
        if (auto window = weak.lock(); window && window->impl_->widget) window->impl_->widget->showMinimized();
    });
}

unsigned Window::styleMask() const { return impl_->styleMask; }
std::string Window::title() const { return impl_->widget ? impl_->widget->windowTitle().toStdString() : ""; }

void Window::setTitle(const std::string& title)
{
    core::assertMainThread();
    if (impl_->widget) impl_->widget->setWindowTitle(QString::fromStdString(title));
}

int Window::windowNumber() const { return impl_->number; }
std::shared_ptr<View> Window::contentView() const { return impl_->contentView; }

std::shared_ptr<Toolbar> Window::toolbar() const { return impl_->toolbar; }

void Window::setToolbar(const std::shared_ptr<Toolbar>& toolbar)
{
    if (!impl_->widget) return;
    const gfx::Size size = contentSize();
    impl_->toolbar = toolbar;
    if (toolbar) {
        impl_->toolbarWidget = makeQtToolbar(*toolbar, impl_->widget);
        impl_->toolbarWidget->show();
    } else {
        delete impl_->toolbarWidget.data();
    }
    setContentSize(size);
}

void Window::setContentView(const std::shared_ptr<View>& view)
{
    core::assertMainThread();
    if (impl_->contentView) {
        impl_->contentView->impl().window.reset();
        if (QWidget* old = widgetOf(*impl_->contentView)) {
            old->hide();
            old->setParent(nullptr);
        }
    }
    impl_->contentView = view;
    if (!view) return;
    view->removeFromSuperview();
    view->impl().window = sharedAs<Window>();
    if (QWidget* content = widgetOf(*view)) {
        content->setParent(impl_->widget);
        content->show();
    }
    placeContentView();
    view->viewDidMoveToWindow();
}

gfx::Size Window::contentSize() const
{
    if (!impl_->widget) return {};
    return {double(impl_->widget->width()), double(impl_->widget->height() - impl_->contentTop())};
}

void Window::setContentSize(const gfx::Size& size)
{
    if (!impl_->widget) return;
    const int top = impl_->contentTop();
    if (!(impl_->styleMask & StyleMask::resizable))
        impl_->widget->setFixedSize(pixel(size.width), pixel(size.height) + top);
    impl_->widget->resize(pixel(size.width), pixel(size.height) + top);
    placeContentView();
}

gfx::Size Window::contentMinSize() const { return impl_->minSize; }

void Window::setContentMinSize(const gfx::Size& size)
{
    impl_->minSize = size;
    if (impl_->widget) impl_->widget->setMinimumSize(pixel(size.width), pixel(size.height) + impl_->contentTop());
}

gfx::Size Window::contentMaxSize() const { return impl_->maxSize; }

void Window::setContentMaxSize(const gfx::Size& size)
{
    impl_->maxSize = size;
    const int limit = QWIDGETSIZE_MAX;
    if (impl_->widget)
        impl_->widget->setMaximumSize(std::min(limit, pixel(std::min(size.width, 1e7))),
                                      std::min(limit, pixel(std::min(size.height, 1e7)) + impl_->contentTop()));
}

gfx::Rect Window::frame() const
{
    return impl_->widget ? screenRectFromQt(impl_->widget->frameGeometry()) : gfx::Rect{};
}

void Window::setFrame(const gfx::Rect& frame, bool display, bool animate)
{
    core::assertMainThread();
    QWidget* widget = impl_->widget;
    if (!widget) return;
    const QRect outer = widget->frameGeometry(), inner = widget->geometry();
    const QRect wanted = qtRectFromScreen(frame);
    const QRect geometry = wanted.adjusted(inner.left() - outer.left(), inner.top() - outer.top(),
                                           inner.right() - outer.right(), inner.bottom() - outer.bottom());
    // A window the user cannot resize keeps a fixed size, which its owner still changes.
    if (!(impl_->styleMask & StyleMask::resizable)) widget->setFixedSize(geometry.size());
    widget->setGeometry(geometry);
    placeContentView();
    frameDidChange();  // a hidden window hears of no move or resize
}

void Window::setFrameOrigin(const gfx::Point& origin) { setFrame({origin, frame().size}, true); }

void Window::center()
{
    QWidget* widget = impl_->widget;
    QScreen* screen = widget && widget->screen() ? widget->screen() : QGuiApplication::primaryScreen();
    if (!widget || !screen) return;
    const QRect area = screen->availableGeometry();
    const QRect outer = widget->frameGeometry();
    widget->move(area.x() + (area.width() - outer.width()) / 2, area.y() + (area.height() - outer.height()) / 3);
}

void Window::setFrameTopLeftPoint(const gfx::Point& point)
{
    core::assertMainThread();
    if (!impl_->widget) return;
    const QRect corner = qtRectFromScreen({point, {0, 0}});
    impl_->widget->move(corner.left(), corner.top());
    frameDidChange();
}

gfx::Rect Window::convertRectToScreen(const gfx::Rect& rect) const
{
    const gfx::Point a = convertPointToScreen(rect.standardized().origin);
    return {a, rect.standardized().size};
}

gfx::Point Window::convertPointToScreen(const gfx::Point& point) const
{
    if (!impl_->widget) return point;
    const QPoint topLeft = impl_->widget->mapToGlobal(QPoint(0, impl_->contentTop()));
    const double contentHeight = contentSize().height;
    return {topLeft.x() + point.x, primaryScreenHeight() - (topLeft.y() + contentHeight - point.y)};
}

gfx::Point Window::convertPointFromScreen(const gfx::Point& point) const
{
    if (!impl_->widget) return point;
    const QPoint topLeft = impl_->widget->mapToGlobal(QPoint(0, impl_->contentTop()));
    const double contentHeight = contentSize().height;
    return {point.x - topLeft.x(), point.y - (primaryScreenHeight() - topLeft.y() - contentHeight)};
}

bool Window::isVisible() const { return impl_->widget && impl_->widget->isVisible(); }

bool Window::isKeyWindow() const { return Application::shared()->keyWindow().get() == this; }

void Window::makeKeyAndOrderFront(const std::shared_ptr<core::Object>& sender)
{
    core::assertMainThread();
    orderFront(sender);
    if (impl_->widget) impl_->widget->activateWindow();
    becomeKey();
}

void Window::windowSystemDidActivate()
{
    if (!isKeyWindow() && isVisible()) becomeKey();
}

void Window::becomeKey()
{
    auto application = Application::shared();
    const bool changed = application->keyWindow().get() != this;
    application->windowDidBecomeKey(sharedAs<Window>());
    if (impl_->cursorRectsEnabled) enableCursorRects();
    if (auto d = delegate(); d && changed) d->windowDidBecomeKey(*this);
}

void Window::orderFront(const std::shared_ptr<core::Object>&)
{
    core::assertMainThread();
    if (!impl_->widget) return;
    impl_->closing = false;
    impl_->widget->show();
    impl_->widget->raise();
    Application::shared()->windowDidOrderIn(sharedAs<Window>());
}

void Window::orderOut(const std::shared_ptr<core::Object>&)
{
    core::assertMainThread();
    auto self = sharedAs<Window>();
    if (impl_->widget) impl_->widget->hide();
    Application::shared()->windowDidOrderOut(this);
}

void Window::close()
{
    core::assertMainThread();
    if (impl_->closing) return;
    auto self = sharedAs<Window>();
    impl_->closing = true;
    if (auto d = delegate()) d->windowWillClose(*this);
    core::NotificationCenter::defaultCenter().post(willCloseNotification, self);
    if (auto parent = sheetParent()) parent->endSheet(self);
    if (impl_->widget) impl_->widget->hide();
    Application::shared()->windowDidOrderOut(this);
}

void Window::performClose(const std::shared_ptr<core::Object>&)
{
    if (auto d = delegate())
        if (!d->windowShouldClose(*this)) return;
    close();
}

int Window::level() const { return impl_->level; }

void Window::setLevel(int level)
{
    impl_->level = level;
    if (!impl_->widget) return;
    const bool visible = impl_->widget->isVisible();
    impl_->widget->setWindowFlag(Qt::WindowStaysOnTopHint, level > 0);
    if (visible) impl_->widget->show();
}

std::shared_ptr<Appearance> Window::appearance() const { return impl_->appearance; }

void Window::setAppearance(const std::shared_ptr<Appearance>& appearance)
{
    impl_->appearance = appearance;
    if (impl_->widget) applyAppearance(*impl_->widget, appearance.get());
}

bool Window::titlebarAppearsTransparent() const { return impl_->titlebarTransparent; }
void Window::setTitlebarAppearsTransparent(bool transparent) { impl_->titlebarTransparent = transparent; }
void Window::setMovableByWindowBackground(bool movable) { impl_->movableByBackground = movable; }
bool Window::isMovableByWindowBackground() const { return impl_->movableByBackground; }

std::string Window::stringWithSavedFrame() const
{
    const gfx::Rect f = frame();
    QScreen* screen =
        impl_->widget && impl_->widget->screen() ? impl_->widget->screen() : QGuiApplication::primaryScreen();
    const gfx::Rect visible = screen ? screenRectFromQt(screen->availableGeometry()) : gfx::Rect{};
    std::ostringstream text;
    text << pixel(f.minX()) << ' ' << pixel(f.minY()) << ' ' << pixel(f.width()) << ' ' << pixel(f.height()) << ' '
         << pixel(visible.minX()) << ' ' << pixel(visible.minY()) << ' ' << pixel(visible.width()) << ' '
         << pixel(visible.height()) << ' ';
    return text.str();
}

void Window::setFrameFromString(const std::string& text)
{
    std::istringstream in(text);
    double x, y, w, h;
    if (!(in >> x >> y >> w >> h) || !(w > 0) || !(h > 0) || w > 1e6 || h > 1e6) return;
    setFrame({x, y, w, h}, true);
}

bool Window::setFrameAutosaveName(const std::string& name)
{
    if (name == impl_->autosaveName) return true;
    auto& names = autosaveNamesInUse();
    if (!name.empty() && names.count(name)) return false;
    names.erase(impl_->autosaveName);
    impl_->autosaveName = name;
    if (name.empty()) return true;
    names.insert(name);
    if (auto saved = core::UserDefaults::standard()->string(autosaveKey(name)))
        setFrameFromString(*saved);
    else
        frameDidChange();
    return true;
}

std::string Window::frameAutosaveName() const { return impl_->autosaveName; }

void Window::frameDidChange()
{
    if (!impl_->autosaveName.empty())
        // Numbers in a text the settings always keep (a failure to write the file is told by them).
        static_cast<void>(
            core::UserDefaults::standard()->set(autosaveKey(impl_->autosaveName), core::Value(stringWithSavedFrame())));
}

std::shared_ptr<Responder> Window::firstResponder() const
{
    if (auto responder = impl_->firstResponder.lock()) return responder;
    return std::const_pointer_cast<Window>(std::static_pointer_cast<const Window>(shared_from_this()));
}

bool Window::makeFirstResponder(const std::shared_ptr<Responder>& responder)
{
    auto current = impl_->firstResponder.lock();
    if (current == responder) return true;
    if (current && !current->resignFirstResponder()) return false;
    if (responder && responder.get() != this) {
        if (!responder->acceptsFirstResponder() || !responder->becomeFirstResponder()) {
            impl_->firstResponder.reset();
            return false;
        }
        impl_->firstResponder = responder;
        // A view whose own widgets have the keyboard keeps it where it is.
        if (auto view = std::dynamic_pointer_cast<View>(responder))
            if (QWidget* widget = widgetOf(*view); widget && !widget->isAncestorOf(QApplication::focusWidget()))
                widget->setFocus(Qt::OtherFocusReason);
    } else {
        impl_->firstResponder.reset();
        if (impl_->widget) impl_->widget->setFocus(Qt::OtherFocusReason);
    }
    return true;
}

void Window::endEditingFor(const std::shared_ptr<core::Object>&)
{
    if (auto field = std::dynamic_pointer_cast<TextField>(impl_->firstResponder.lock())) field->commitEditing();
    impl_->firstResponder.reset();
    if (impl_->widget) impl_->widget->setFocus(Qt::OtherFocusReason);
}

void Window::Animator::setFrame(const gfx::Rect& frame, bool display)
{
    auto window = window_.lock();
    if (!window) return;
    const gfx::Rect from = window->frame();
    const double duration = Transaction::animationDuration();
    auto& engine = AnimationEngine::shared();
    if (Transaction::disableActions() || duration <= 0) {
        engine.cancel(window.get(), "frame");
        window->setFrame(frame, display);
        return;
    }
    std::weak_ptr<Window> weak = window;
    auto mix = [](double a, double b, double f) { return a + (b - a) * f; };
    engine.start(
        window.get(), "frame", duration, Transaction::animationTimingFunction(),
        [weak, from, frame, display, mix](double f) {
            if (auto w = weak.lock())
                w->setFrame({mix(from.origin.x, frame.origin.x, f), mix(from.origin.y, frame.origin.y, f),
                             mix(from.size.width, frame.size.width, f), mix(from.size.height, frame.size.height, f)},
                            display);
        },
        Transaction::currentGroup());
}

std::shared_ptr<WindowDelegate> Window::delegate() const { return impl_->delegate.lock(); }
void Window::setDelegate(const std::shared_ptr<WindowDelegate>& delegate) { impl_->delegate = delegate; }
std::shared_ptr<WindowController> Window::windowController() const { return impl_->controller.lock(); }
void Window::setWindowController(const std::shared_ptr<WindowController>& controller)
{
    impl_->controller = controller;
}

void Window::beginSheet(const std::shared_ptr<Window>& sheet, SheetCompletion completion)
{
    if (!sheet || sheet.get() == this) return;
    impl_->waitingSheets.push_back({sheet, std::move(completion)});
    if (!impl_->activeSheet) startNextSheet();
}

void Window::startNextSheet()
{
    if (impl_->activeSheet || impl_->waitingSheets.empty()) return;
    impl_->activeSheet = std::move(impl_->waitingSheets.front());
    impl_->waitingSheets.pop_front();
    auto sheet = impl_->activeSheet->sheet;
    sheet->impl_->sheetParent = sharedAs<Window>();
    sheet->impl_->closing = false;
    QWidget* sheetWidget = sheet->impl_->widget;
    if (sheetWidget && impl_->widget) {
        sheetWidget->setParent(impl_->widget, Qt::Dialog);
        sheetWidget->setWindowModality(Qt::WindowModal);
        const QRect parent = impl_->widget->geometry();
        sheetWidget->move(parent.x() + (parent.width() - sheetWidget->width()) / 2, parent.y() + impl_->contentTop());
        sheetWidget->show();
    }
    Application::shared()->windowDidOrderIn(sheet);
}

void Window::endSheet(const std::shared_ptr<Window>& sheet, ModalResponse returnCode)
{
    if (!sheet) return;
    auto self = sharedAs<Window>();
    if (!impl_->activeSheet || impl_->activeSheet->sheet != sheet) {
        // A sheet still waiting ends without having been shown.
        auto& waiting = impl_->waitingSheets;
        auto found = std::find_if(waiting.begin(), waiting.end(), [&](auto& p) { return p.sheet == sheet; });
        if (found == waiting.end()) return;
        auto completion = std::move(found->completion);
        waiting.erase(found);
        if (completion) completion(returnCode);
        return;
    }
    PendingSheet ended = std::move(*impl_->activeSheet);
    impl_->activeSheet.reset();
    if (QWidget* sheetWidget = sheet->impl_->widget) {
        sheetWidget->hide();
        sheetWidget->setParent(nullptr, Qt::Window);
    }
    sheet->impl_->sheetParent.reset();
    Application::shared()->windowDidOrderOut(sheet.get());
    if (ended.completion) ended.completion(returnCode);
    startNextSheet();
}

std::shared_ptr<Window> Window::attachedSheet() const
{
    return impl_->activeSheet ? impl_->activeSheet->sheet : nullptr;
}

std::shared_ptr<Window> Window::sheetParent() const { return impl_->sheetParent.lock(); }

void Window::sendEvent(const Event& event)
{
    auto self = sharedAs<Window>();
    auto content = impl_->contentView;
    auto hit = [&]() -> std::shared_ptr<Responder> {
        if (content)
            if (auto view = content->hitTest(event.locationInWindow)) return view;
        return self;
    };
    // A press or a key reaches only the window the user works in, whatever the window system said so far.
    if (event.type == EventType::leftMouseDown || event.type == EventType::rightMouseDown ||
        event.type == EventType::keyDown)
        windowSystemDidActivate();
    switch (event.type) {
    case EventType::leftMouseDown:
    case EventType::rightMouseDown: {
        auto target = hit();
        if (auto view = std::dynamic_pointer_cast<View>(target)) {
            impl_->mouseView = view;
            if (view->acceptsFirstResponder()) makeFirstResponder(view);
        }
        if (event.type == EventType::leftMouseDown)
            target->mouseDown(event);
        else
            target->rightMouseDown(event);
        break;
    }
    case EventType::leftMouseDragged:
    case EventType::rightMouseDragged:
    case EventType::leftMouseUp:
    case EventType::rightMouseUp: {
        std::shared_ptr<Responder> target = impl_->mouseView.lock();
        if (!target) target = self;
        if (event.type == EventType::leftMouseDragged)
            target->mouseDragged(event);
        else if (event.type == EventType::rightMouseDragged)
            target->rightMouseDragged(event);
        else if (event.type == EventType::leftMouseUp)
            target->mouseUp(event);
        else
            target->rightMouseUp(event);
        if (event.type == EventType::leftMouseUp || event.type == EventType::rightMouseUp) impl_->mouseView.reset();
        break;
    }
    case EventType::mouseMoved:
        hit()->mouseMoved(event);
        break;
    case EventType::scrollWheel:
        hit()->scrollWheel(event);
        break;
    case EventType::keyDown:
        firstResponder()->keyDown(event);
        break;
    case EventType::keyUp:
        firstResponder()->keyUp(event);
        break;
    default:
        break;
    }
}

gfx::ImageRef Window::snapshot()
{
    if (!impl_->contentView) return nullptr;
    QWidget* content = widgetOf(*impl_->contentView);
    if (!content) return nullptr;
    return imageFromQImage(content->grab().toImage());
}

bool Window::isExposed() const
{
    const QWindow* handle = impl_->widget ? impl_->widget->windowHandle() : nullptr;
    return handle && handle->isExposed();
}

gfx::ImageRef Window::screenSnapshot() const
{
    if (!isExposed()) return nullptr;
    QWidget* widget = impl_->widget;
    QScreen* screen = widget->screen();
    if (!screen) return nullptr;
    const QPoint topLeft = widget->mapToGlobal(QPoint(0, impl_->contentTop())) - screen->geometry().topLeft();
    const gfx::Size size = contentSize();
    return imageFromQImage(
        screen->grabWindow(0, topLeft.x(), topLeft.y(), pixel(size.width), pixel(size.height)).toImage());
}

void Window::placeContentView()
{
    if (!impl_->widget || !impl_->contentView) return;
    const int top = impl_->contentTop();
    if (impl_->menuBar) impl_->menuBar->setGeometry(0, 0, impl_->widget->width(), impl_->menuHeight());
    if (impl_->toolbarWidget)
        impl_->toolbarWidget->setGeometry(0, impl_->menuHeight(), impl_->widget->width(), impl_->toolbarHeight());
    const gfx::Size size{double(impl_->widget->width()), double(impl_->widget->height() - top)};
    QWidget* content = widgetOf(*impl_->contentView);
    if (content) content->setGeometry(0, top, pixel(size.width), pixel(size.height));
    const gfx::Rect frame = impl_->contentView->frame();
    if (frame.origin != gfx::Point{0, 0} || frame.size != size) impl_->contentView->setFrame({{0, 0}, size});
}

bool Window::showsMenuBar() const { return impl_->showsMenuBar; }

void Window::setShowsMenuBar(bool shows)
{
    if (impl_->showsMenuBar == shows) return;
    impl_->showsMenuBar = shows;
    rebuildMenuBar();
}

void Window::rebuildMenuBar()
{
    if (!impl_->widget) return;
    auto menu = Application::shared()->mainMenu();
    const gfx::Size size = contentSize();
    if (!menu || !impl_->showsMenuBar) {
        if (!impl_->menuBar) return;
        delete impl_->menuBar.data();
        impl_->widget->resize(pixel(size.width), pixel(size.height) + impl_->contentTop());
        placeContentView();
        return;
    }
    if (!impl_->menuBar) impl_->menuBar = new QMenuBar(impl_->widget);
    fillMenuBar(*menu, *impl_->menuBar);
    impl_->menuBar->show();
    impl_->widget->resize(pixel(size.width), pixel(size.height) + impl_->contentTop());
    placeContentView();
}

QWidget* widgetOf(Window& window) { return window.impl().widget; }

namespace {

void forEachView(const std::shared_ptr<View>& view, const std::function<void(View&)>& action)
{
    if (!view) return;
    action(*view);
    for (auto& subview : std::vector(view->subviews()))
        forEachView(subview, action);
}

}  // namespace

void Window::invalidateCursorRectsForView(const std::shared_ptr<View>& view)
{
    if (!view) return;
    view->discardCursorRects();
    if (impl_->cursorRectsEnabled) view->resetCursorRects();
}

void Window::enableCursorRects()
{
    impl_->cursorRectsEnabled = true;
    forEachView(impl_->contentView, [](View& view) {
        view.discardCursorRects();
        view.resetCursorRects();
    });
}

void Window::disableCursorRects()
{
    impl_->cursorRectsEnabled = false;
    forEachView(impl_->contentView, [](View& view) { view.discardCursorRects(); });
}

bool Window::areCursorRectsEnabled() const { return impl_->cursorRectsEnabled; }
bool Window::inLiveResize() const { return impl_->inLiveResize; }

void Window::liveResizeStep()
{
    if (!impl_->widget || !impl_->widget->isVisible()) return;
    if (!impl_->liveResizeEnd) {
        auto* timer = new QTimer(impl_->widget);
        timer->setSingleShot(true);
        timer->setInterval(200);
        QObject::connect(timer, &QTimer::timeout, [this] {
            impl_->inLiveResize = false;
            forEachView(impl_->contentView, [](View& view) { view.viewDidEndLiveResize(); });
        });
        impl_->liveResizeEnd = timer;
    }
    if (!impl_->inLiveResize) {
        impl_->inLiveResize = true;
        forEachView(impl_->contentView, [](View& view) { view.viewWillStartLiveResize(); });
    }
    impl_->liveResizeEnd->start();
}

void WindowWidget::resizeEvent(QResizeEvent*)
{
    window_.liveResizeStep();
    window_.placeContentView();
    window_.frameDidChange();
    if (auto d = window_.delegate()) d->windowDidResize(window_);
}

void WindowWidget::moveEvent(QMoveEvent*)
{
    window_.frameDidChange();
    if (auto d = window_.delegate()) d->windowDidMove(window_);
}

void WindowWidget::closeEvent(QCloseEvent* event)
{
    // The window hides itself when it closes; the close button asks the delegate first.
    event->ignore();
    window_.performClose(nullptr);
}

void WindowWidget::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && QApplication::activeWindow() == this)
        window_.windowSystemDidActivate();
}

void WindowWidget::keyPressEvent(QKeyEvent* event)
{
    window_.sendEvent(keyEventOf(*event, EventType::keyDown, {}, window_.windowNumber()));
}

void WindowWidget::keyReleaseEvent(QKeyEvent* event)
{
    window_.sendEvent(keyEventOf(*event, EventType::keyUp, {}, window_.windowNumber()));
}

void WindowWidget::mousePressEvent(QMouseEvent* event)
{
    if (window_.isMovableByWindowBackground() && windowHandle()) windowHandle()->startSystemMove();
}

}  // namespace ui
