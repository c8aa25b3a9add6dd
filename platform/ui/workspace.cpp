#include "platform/ui/workspace.h"

#include <QDBusConnection>
#include <QDBusInterface>
#include <QDBusReply>
#include <QDesktopServices>
#include <QUrl>

#include "platform/ui/alert.h"

namespace ui {

Workspace& Workspace::shared()
{
    static Workspace workspace;
    return workspace;
}

bool Workspace::open(const core::Url& url)
{
    return QDesktopServices::openUrl(QUrl(QString::fromStdString(url.absoluteString()), QUrl::StrictMode));
}

void Workspace::openOrTell(const core::Url& url)
{
    if (open(url)) return;
    auto alert = core::make<Alert>();
    alert->setMessageText("\"" + (url.isFileURL() ? url.path() : url.absoluteString()) + "\" could not be opened.");
    alert->setInformativeText("No application of this desktop opens it.");
    alert->runModal();
}

void Workspace::activateFileViewerSelecting(const std::vector<core::Url>& urls)
{
    if (urls.empty()) return;
    QStringList uris;
    for (auto& url : urls)
        uris << QString::fromStdString(url.absoluteString());
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (bus.isConnected()) {
        QDBusInterface manager("org.freedesktop.FileManager1", "/org/freedesktop/FileManager1",
                               "org.freedesktop.FileManager1", bus);
        if (manager.isValid()) {
            QDBusReply<void> reply = manager.call("ShowItems", uris, QString());
            if (reply.isValid()) return;
        }
    }
    openOrTell(urls.front().deletingLastPathComponent());
}

}  // namespace ui
