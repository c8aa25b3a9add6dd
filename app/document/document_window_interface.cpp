#include "app/document/document_window_interface.h"
#include "app/document/interface_builder.h"
#include "app/document/main_menu.h"

#include "app/document/document.h"
#include "app/document/flash_movie_view.h"
#include "app/document/snaps_view.h"
#include "appkit/control_extensions.h"
#include "moviekit/movie_panel.h"
#include "moviekit/movie_window.h"
#include "platform/ui/interface_registry.h"
#include "platform/ui/menu.h"
#include "platform/ui/scroll_view.h"
#include "platform/ui/window_controller.h"

namespace vistrel {

namespace {

namespace Mask = ui::AutoresizingMask;

constexpr double windowWidth = 960;
constexpr double windowHeight = 720;
constexpr double margin = 12;
constexpr double snapSide = 40;
constexpr double buttonHeight = 28;


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

void buildBar(ui::View& content, const std::shared_ptr<Document>& document)
{
    auto bar = core::make<ui::View>(gfx::Rect{0, documentStripHeight, windowWidth, documentBarHeight});
    bar->setAutoresizingMask(Mask::widthSizable | Mask::maxYMargin);
    content.addSubview(bar);
    const double middle = windowWidth / 2;
    const double rowY = (documentBarHeight - buttonHeight) / 2;

    document->snapsField = kestrane::labelFrame({margin, rowY + 5, 240, 18});
    document->snapsField->setAutoresizingMask(Mask::maxXMargin);
    bar->addSubview(document->snapsField);

    auto snap = core::make<ui::Button>(gfx::Rect{middle - snapSide / 2, (documentBarHeight - snapSide) / 2, snapSide, snapSide});
    snap->setBordered(false);
    snap->setImageScaling(ui::ImageScaling::axesIndependently);
    snap->setImage(Document::snapRedButtonImage());
    snap->setToolTip(interfaceText("Document.SnapButton"));
    snap->setRefusesFirstResponder(true);
    snap->setAutoresizingMask(Mask::minXMargin | Mask::maxXMargin);
    kestrane::setTarget(*snap, document, "snapImage:");
    bar->addSubview(snap);
    document->snapButton = snap;

    auto spinner = core::make<ui::ProgressIndicator>(gfx::Rect{middle - 120, rowY + 4, 20, 20});
    spinner->setStyle(ui::ProgressIndicatorStyle::spinning);
    spinner->setIndeterminate(true);
    spinner->setHidden(true);
    spinner->setAutoresizingMask(Mask::minXMargin | Mask::maxXMargin);
    bar->addSubview(spinner);
    document->progressIndicator = spinner;
    document->progressLabel = kestrane::labelFrame({middle - 92, rowY + 5, 184, 18});
    document->progressLabel->setHidden(true);
    document->progressLabel->setAutoresizingMask(Mask::minXMargin | Mask::maxXMargin);
    bar->addSubview(document->progressLabel);

    document->generatorButton = pushButton(*bar, "Document.GenerateButton", {middle + snapSide / 2 + margin, rowY, 110, buttonHeight},
                                           Mask::minXMargin | Mask::maxXMargin, document, "showGeneratorPopover:");
    document->shareButton = pushButton(*bar, "Document.ShareButton", {windowWidth - margin - 90, rowY, 90, buttonHeight},
                                       Mask::minXMargin, document, "showShareMenu:");
    document->exportButton = pushButton(*bar, "Document.ExportButton", {windowWidth - 2 * margin - 180, rowY, 90, buttonHeight},
                                        Mask::minXMargin, document, "showExportMenu:");
    document->shareButton->setHidden(true);
    document->exportButton->setHidden(true);
}

void buildStrip(ui::View& content, const std::shared_ptr<Document>& document)
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
    document->snapsView = strip;
}

void buildExportErrorsSheet(const std::shared_ptr<Document>& document)
{
    const double width = 460, height = 280;
    auto sheet = ui::Window::create({0, 0, width, height}, ui::StyleMask::titled);
    sheet->setTitle(interfaceText("Document.ExportErrors.Title"));
    auto content = sheet->contentView();
    auto title = kestrane::labelFrame({margin, height - margin - 20, width - 2 * margin, 20});
    title->setStringValue(interfaceText("Document.ExportErrors.Title"));
    content->addSubview(title);
    auto scroll = core::make<ui::ScrollView>(gfx::Rect{margin, 2 * margin + buttonHeight, width - 2 * margin,
                                                       height - 4 * margin - buttonHeight - 20});
    auto errors = core::make<ui::TextView>(gfx::Rect{0, 0, width - 2 * margin, height - 4 * margin - buttonHeight - 20});
    errors->setEditable(false);
    scroll->setDocumentView(errors);
    content->addSubview(scroll);
    auto close = pushButton(*content, "Document.ExportErrors.Close", {width - margin - 90, margin, 90, buttonHeight}, 0,
                            document, "closeExportErrorsAlert:");
    close->setKeyEquivalent("\r");
    document->exportErrorsAlert = sheet;
    document->exportErrorsTextView = errors;
}

void build(const std::shared_ptr<core::Object>& owner)
{
    auto document = std::dynamic_pointer_cast<Document>(owner);
    if (!document || document->windowControllers().empty()) return;
    auto window = orvalis::MovieWindow::create({0, 0, windowWidth, windowHeight},
                                               ui::StyleMask::titled | ui::StyleMask::closable |
                                                   ui::StyleMask::miniaturizable | ui::StyleMask::resizable);
    window->setTitle(document->displayName());
    const double bottom = documentStripHeight + documentBarHeight;
    window->setContentMinSize({orvalis::MoviePanelMinimumSize.width, orvalis::MoviePanelMinimumSize.height + bottom});
    auto content = window->contentView();

    auto controller = core::make<orvalis::MovieViewController>();
    content->addSubview(orvalis::makeMoviePanel(controller, {0, bottom, windowWidth, windowHeight - bottom}));
    document->movieViewController = controller;
    document->movieView = flashingPicture(*controller);

    auto notice = kestrane::labelFrame({0, (windowHeight + bottom) / 2, windowWidth, 20});
    notice->setAlignment(gfx::TextAlignment::center);
    notice->setTextColor(gfx::Color::white());
    notice->setStringValue(interfaceText("Document.Unplayable"));
    notice->setAutoresizingMask(Mask::widthSizable | Mask::minYMargin | Mask::maxYMargin);
    notice->setHidden(true);
    content->addSubview(notice);
    document->unplayableLabel = notice;

    buildBar(*content, document);
    buildStrip(*content, document);
    buildExportErrorsSheet(document);

    window->setDelegate(document);
    document->mainWindow = window;
    document->windowControllers().front()->setWindow(window);
    window->center();
}

}  // namespace

void registerDocumentWindowInterface() { ui::InterfaceRegistry::add(Document::windowInterface, build); }

}  // namespace vistrel
