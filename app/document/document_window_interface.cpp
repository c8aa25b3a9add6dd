#include "app/document/document_window_interface.h"
#include "app/document/interface_builder.h"
#include "app/document/main_menu.h"

#include <algorithm>

#include "app/document/document.h"
#include "app/document/document_actions.h"
#include "app/document/document_bar_view.h"
#include "app/document/flash_movie_view.h"
#include "app/document/snaps_view.h"
#include "appkit/control_extensions.h"
#include "foundation/shortcuts.h"
#include "moviekit/movie_panel.h"
#include "moviekit/movie_window.h"
#include "platform/ui/interface_registry.h"
#include "platform/ui/menu.h"
#include "platform/ui/screen.h"
#include "platform/ui/scroll_view.h"
#include "platform/ui/window_controller.h"

namespace vistrel {

namespace {

namespace Mask = ui::AutoresizingMask;

constexpr double windowWidth = 960;
constexpr double windowHeight = 720;
constexpr double margin = 12;
constexpr double buttonHeight = 28;
// How far each window opened after another goes right and down: enough to show the title bar above it.
constexpr double cascadeStep = 28;
// The most a window manager's title bar and borders add to a window's height, and the shift it gives a window
// placed before it is shown.
constexpr double windowManagerFrame = 2 * cascadeStep;
// How much of a window too large for the screen stays in view when it cascades.
constexpr double cascadeRoom = 200;

std::shared_ptr<ui::Button> pushButton(ui::View& bar, const std::string& titleKey, const gfx::Rect& frame,
                                       unsigned mask, const std::shared_ptr<Document>& document,
                                       const ui::Action& action)
{
    auto button = core::make<ui::Button>(frame);
    button->setTitle(interfaceText(titleKey));
    button->setAutoresizingMask(mask);
    button->setRefusesFirstResponder(true);
    kestrane::setTarget(*button, document, action);
    bar.addSubview(button);
    return button;
}

// The panel's picture becomes a flashing movie view in the same place.
std::shared_ptr<FlashMovieView> flashingPicture(orvalis::MovieViewController& controller)
{
    auto plain = controller.movieView();
    auto flashing = core::make<FlashMovieView>(plain->frame());
    flashing->setAutoresizingMask(plain->autoresizingMask());
    flashing->setToolTip(plain->toolTip());
    auto panel = plain->superview();
    plain->removeFromSuperview();
    panel->addSubview(flashing);
    controller.setOutlet("movieView", flashing);
    return flashing;
}

std::shared_ptr<DocumentBarView> buildBar(ui::View& content, const std::shared_ptr<Document>& document,
                                          DocumentOutlets& outlets)
{
    auto bar = core::make<DocumentBarView>(gfx::Rect{0, documentStripHeight, windowWidth, documentBarHeight}, document);
    bar->setAutoresizingMask(Mask::widthSizable | Mask::maxYMargin);
    content.addSubview(bar);

    auto snapsField = kestrane::labelFrame({});
    bar->addSubview(snapsField);
    outlets.snapsField = snapsField;

    auto snap = core::make<ui::Button>(gfx::Rect{});
    snap->setBordered(false);
    snap->setImageScaling(ui::ImageScaling::axesIndependently);
    snap->setImage(Document::snapRedButtonImage());
    snap->setToolTip(interfaceText("Document.SnapButton"));
    snap->setRefusesFirstResponder(true);
    kestrane::setTarget(*snap, document, actions::snapImage);
    bar->addSubview(snap);
    outlets.snapButton = snap;

    auto spinner = core::make<ui::ProgressIndicator>(gfx::Rect{});
    spinner->setStyle(ui::ProgressIndicatorStyle::spinning);
    spinner->setIndeterminate(true);
    spinner->setHidden(true);
    bar->addSubview(spinner);
    outlets.progressIndicator = spinner;
    auto progress = kestrane::labelFrame({});
    progress->setHidden(true);
    bar->addSubview(progress);
    outlets.progressLabel = progress;

    outlets.generatorButton =
        pushButton(*bar, "Document.GenerateButton", {}, 0, document, actions::showGeneratorPopover);
    auto share = pushButton(*bar, "Document.ShareButton", {}, 0, document, actions::showShareMenu);
    auto exporting = pushButton(*bar, "Document.ExportButton", {}, 0, document, actions::showExportMenu);
    share->setHidden(true);
    exporting->setHidden(true);
    outlets.shareButton = share;
    outlets.exportButton = exporting;
    return bar;
}

void buildStrip(ui::View& content, DocumentOutlets& outlets)
{
    auto scroll = core::make<ui::ScrollView>(gfx::Rect{0, 0, windowWidth, documentStripHeight});
    scroll->setHasHorizontalScroller(true);
    scroll->setAutoresizingMask(Mask::widthSizable | Mask::maxYMargin);
    content.addSubview(scroll);
    auto strip = core::make<SnapsView>(gfx::Rect{0, 0, windowWidth, documentStripHeight});
    scroll->setDocumentView(strip);
    strip->setMenu(makeSnapsMenu());
    strip->awakeFromNib();
    // The cells take the height the scroll bar leaves.
    strip->setFrameSize({strip->frame().width(), scroll->contentView()->frame().height()});
    outlets.snapsView = strip;
}

void buildExportErrorsSheet(const std::shared_ptr<Document>& document, DocumentOutlets& outlets)
{
    const double width = 460, height = 280;
    auto sheet = ui::Window::create({0, 0, width, height}, ui::StyleMask::titled);
    sheet->setTitle(interfaceText("Document.ExportErrors.Title"));
    auto content = sheet->contentView();
    auto title = kestrane::labelFrame({margin, height - margin - 20, width - 2 * margin, 20});
    title->setStringValue(interfaceText("Document.ExportErrors.Title"));
    content->addSubview(title);
    auto scroll = core::make<ui::ScrollView>(
        gfx::Rect{margin, 2 * margin + buttonHeight, width - 2 * margin, height - 4 * margin - buttonHeight - 20});
    auto errors =
        core::make<ui::TextView>(gfx::Rect{0, 0, width - 2 * margin, height - 4 * margin - buttonHeight - 20});
    errors->setEditable(false);
    scroll->setDocumentView(errors);
    content->addSubview(scroll);
    auto close = pushButton(*content, "Document.ExportErrors.Close", {width - margin - 90, margin, 90, buttonHeight}, 0,
                            document, actions::closeExportErrorsAlert);
    close->setKeyEquivalent("\r");
    // No view holds the sheet: the document keeps it.
    document->keepInterfaceObject(sheet);
    outlets.exportErrorsAlert = sheet;
    outlets.exportErrorsTextView = errors;
}

// The newest other document window still shown, if any.
std::shared_ptr<ui::Window> lastDocumentWindow(const Document& document)
{
    const auto& documents = kestrane::DC->documents();
    for (auto it = documents.rbegin(); it != documents.rend(); ++it) {
        const auto other = std::dynamic_pointer_cast<Document>(*it);
        const auto window = other && other.get() != &document ? other->outlets().mainWindow.lock() : nullptr;
        if (window && window->isVisible()) return window;
    }
    return nullptr;
}

// Whether a window of `size` with its top left corner at `topLeft` leaves the visible area: any part of it
// when it fits there, else its corner (it then keeps cascadeRoom in view).
bool leavesVisibleArea(const gfx::Point& topLeft, const gfx::Size& size, const gfx::Rect& visible)
{
    const bool fits = size.width <= visible.width() && size.height <= visible.height();
    const double width = fits ? size.width : cascadeRoom, height = fits ? size.height : cascadeRoom;
    return topLeft.x + width > visible.maxX() || topLeft.y - height < visible.minY();
}

// Windows cascade: the first is centred, a new one goes a step right of and below the newest document window
// shown; when that would take it out of the screen's visible area, it starts again at the area's top left.
void place(ui::Window& window, const Document& document)
{
    window.center();
    const auto last = lastDocumentWindow(document);
    const auto screen = ui::Screen::main();
    if (!last || !screen) return;
    const gfx::Rect previous = last->frame();
    const gfx::Rect visible = screen->visibleFrame;
    gfx::Point topLeft{previous.minX() + cascadeStep, previous.maxY() - cascadeStep};
    // A window not yet shown has no menu bar yet, and none of them may know the window manager's frame yet
    // (movies opened together are placed before the first is on the screen): the title bar and border are
    // allowed for.
    const gfx::Size own = window.frame().size;
    const gfx::Size size{std::max(own.width, previous.width()),
                         std::max(own.height, previous.height()) + windowManagerFrame};
    if (leavesVisibleArea(topLeft, size, visible)) topLeft = {visible.minX(), visible.maxY()};
    window.setFrameTopLeftPoint(topLeft);
}

void build(const std::shared_ptr<core::Object>& owner)
{
    auto document = std::dynamic_pointer_cast<Document>(owner);
    if (!document || document->windowControllers().empty()) return;
    auto window = orvalis::MovieWindow::create({0, 0, windowWidth, windowHeight},
                                               ui::StyleMask::titled | ui::StyleMask::closable |
                                                   ui::StyleMask::miniaturizable | ui::StyleMask::resizable);
    window->setTitle(document->displayName());
    window->setShowsMenuBar(true);
    const double bottom = documentStripHeight + documentBarHeight;
    window->setContentMinSize({orvalis::MoviePanelMinimumSize.width, orvalis::MoviePanelMinimumSize.height + bottom});
    auto content = window->contentView();

    auto controller = core::make<orvalis::MovieViewController>();
    content->addSubview(orvalis::makeMoviePanel(controller, {0, bottom, windowWidth, windowHeight - bottom}));
    DocumentOutlets outlets;
    // No view holds the panel's controller: the document keeps it.
    document->keepInterfaceObject(controller);
    outlets.movieViewController = controller;
    outlets.movieView = flashingPicture(*controller);

    auto notice = kestrane::labelFrame({0, (windowHeight + bottom) / 2, windowWidth, 20});
    notice->setAlignment(gfx::TextAlignment::center);
    notice->setTextColor(gfx::Color::white());
    notice->setStringValue(interfaceText("Document.Unplayable"));
    notice->setAutoresizingMask(Mask::widthSizable | Mask::minYMargin | Mask::maxYMargin);
    notice->setHidden(true);
    content->addSubview(notice);
    outlets.unplayableLabel = notice;

    const auto bar = buildBar(*content, document, outlets);
    buildStrip(*content, outlets);
    buildExportErrorsSheet(document, outlets);

    window->setDelegate(document);
    outlets.mainWindow = window;
    document->setOutlets(outlets);
    bar->layoutControls();
    document->windowControllers().front()->setWindow(window);
    place(*window, *document);
}

}  // namespace

void registerDocumentWindowInterface() { ui::InterfaceRegistry::add(Document::windowInterface, build); }

}  // namespace vistrel
