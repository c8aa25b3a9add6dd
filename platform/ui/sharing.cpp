#include "platform/ui/sharing.h"

#include <QDir>
#include <QTemporaryDir>
#include <QUrl>

#include <algorithm>
#include <system_error>

#include "platform/core/data.h"
#include "platform/core/main_thread.h"
#include "platform/ui/alert.h"
#include "platform/ui/application.h"
#include "platform/ui/detail/qt_screen.h"
#include "platform/ui/menu.h"
#include "platform/ui/pasteboard.h"
#include "platform/ui/picture.h"
#include "platform/ui/save_panel.h"
#include "platform/ui/standard_actions.h"
#include "platform/ui/view.h"
#include "platform/ui/window.h"
#include "platform/ui/workspace.h"

namespace ui {

std::shared_ptr<SharingService> SharingService::named(const std::string& name)
{
    return name == composeEmail ? core::make<SharingService>() : nullptr;
}

std::string SharingService::mailtoLink(const std::vector<SharingItem>& items) const
{
    std::string to;
    for (auto& recipient : recipients_)
        to += (to.empty() ? "" : ",") + recipient;
    std::string body;
    for (auto& item : items) {
        const std::string text = !item.text.empty() ? item.text : item.url ? item.url->path() : std::string();
        if (!text.empty()) body += (body.empty() ? "" : "\n") + text;
    }
    auto encode = [](const std::string& s) { return QUrl::toPercentEncoding(QString::fromStdString(s)).toStdString(); };
    std::string link = "mailto:" + encode(to) + "?subject=" + encode(subject_);
    if (!body.empty()) link += "&body=" + encode(body);
    return link;
}

bool SharingService::perform(const std::vector<SharingItem>& items)
{
    core::assertMainThread();
    auto link = core::Url::fromString(mailtoLink(items));
    if (link && Workspace::shared().open(*link)) return true;
    auto alert = core::make<Alert>();
    alert->setMessageText("The message could not be written.");
    alert->setInformativeText("No mail program of this desktop takes it.");
    alert->runModal();
    return false;
}

void SharingServicePicker::awake()
{
    Responder::awake();
    auto self = sharedAs<SharingServicePicker>();
    menu_ = core::make<Menu>("Share");
    const std::pair<const char*, ActionName> entries[] = {
        {"Copy", actions::copyItems},
        {"Save As\u2026", actions::saveItems},
        {"Open in Default Application", actions::openItems},
        {"Email", actions::emailItems},
    };
    for (auto& [title, action] : entries)
        menu_->addItem(title, action, "")->setTarget(self);
    registerCommand(actions::copyItems, &SharingServicePicker::copyItems);
    registerCommand(actions::saveItems, &SharingServicePicker::saveItems);
    registerCommand(actions::openItems, &SharingServicePicker::openItems);
    registerCommand(actions::emailItems, &SharingServicePicker::emailItems);
}

void SharingServicePicker::copyItems()
{
    // Nothing to copy leaves the clipboard as it was.
    const bool copies =
        std::any_of(items_.begin(), items_.end(), [](const SharingItem& item) { return item.image || item.url; });
    if (!copies) return beep();
    auto board = Pasteboard::general();
    board->clearContents();
    for (auto& item : items_)
        if (item.image) {
            if (auto png = BitmapImageRep::representation(item.image, gfx::BitmapFileType::png))
                board->setData(*png, PasteboardType::png);
            break;
        }
    std::vector<core::Url> files;
    for (auto& item : items_)
        if (item.url) files.push_back(*item.url);
    if (!files.empty()) board->setFileURLs(files);
}

void SharingServicePicker::saveItems()
{
    const auto picture = std::find_if(items_.begin(), items_.end(), [](const SharingItem& item) { return item.image; });
    if (picture == items_.end()) return;
    auto panel = core::make<SavePanel>();
    panel->setAllowedFileTypes({"png"});
    if (panel->runModal() != ModalResponses::ok || !panel->url()) return;
    const std::string path = panel->url()->path();
    int error = 0;
    const auto png = BitmapImageRep::representation(picture->image, gfx::BitmapFileType::png);
    if (png && core::writeAtomically(*png, path, error)) return;
    auto alert = core::make<Alert>();
    alert->setMessageText("The picture could not be saved.");
    alert->setInformativeText("The file \"" + path + "\" could not be written (" +
                              (png ? std::system_category().message(error) : "the picture could not be made PNG") +
                              ").");
    alert->runModal();
}

void SharingServicePicker::openItems()
{
    for (auto& url : filesOfItems())
        Workspace::shared().openOrTell(url);
}

void SharingServicePicker::emailItems()
{
    auto mail = SharingService::named(SharingService::composeEmail);
    if (auto d = delegate()) mail->setDelegate(d->delegateForSharingService(*this, *mail));
    mail->perform(items_);
}

std::vector<core::Url> SharingServicePicker::filesOfItems() const
{
    std::vector<core::Url> files;
    QString folder;
    for (std::size_t i = 0; i < items_.size(); ++i) {
        const SharingItem& item = items_[i];
        if (item.url) {
            files.push_back(*item.url);
            continue;
        }
        if (!item.image) continue;
        if (folder.isEmpty()) {
            QTemporaryDir made(QDir::tempPath() + "/vistrel-share-XXXXXX");
            made.setAutoRemove(false);
            if (!made.isValid()) return files;
            folder = made.path();
        }
        const auto path = (folder + QString("/Snap %1.png").arg(i + 1)).toStdString();
        if (auto png = BitmapImageRep::representation(item.image, gfx::BitmapFileType::png))
            if (core::writeAtomically(*png, path)) files.push_back(core::Url::fileURL(path));
    }
    return files;
}

void SharingServicePicker::show(const gfx::Rect& rect, const std::shared_ptr<View>& view, RectEdge edge)
{
    core::assertMainThread();
    auto window = view ? view->window() : nullptr;
    if (!window) return;
    if (view->isFlipped() && (edge == RectEdge::minY || edge == RectEdge::maxY))
        edge = edge == RectEdge::minY ? RectEdge::maxY : RectEdge::minY;
    const gfx::Rect anchor = window->convertRectToScreen(view->convertRectTo(rect, nullptr));
    const gfx::Size size = menu_->size();
    // The menu's top left corner on the screen, y-up.
    gfx::Point corner;
    switch (edge) {
    case RectEdge::maxY:
        corner = {anchor.minX(), anchor.maxY() + size.height};
        break;
    case RectEdge::minY:
        corner = {anchor.minX(), anchor.minY()};
        break;
    case RectEdge::minX:
        corner = {anchor.minX() - size.width, anchor.maxY()};
        break;
    case RectEdge::maxX:
        corner = {anchor.maxX(), anchor.maxY()};
        break;
    }
    const QPoint global = qtPointFromScreen(corner);
    menu_->popUpAtGlobal(global.x(), global.y());
}

}  // namespace ui
