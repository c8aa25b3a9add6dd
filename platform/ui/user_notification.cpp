#include "platform/ui/user_notification.h"

#include <QApplication>
#include <QDBusConnection>
#include <QDBusInterface>
#include <QDBusReply>
#include <QPointer>
#include <QStyle>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QVariantMap>

#include "platform/core/main_thread.h"

namespace ui {

namespace {

// True when the desktop's notification service took the notice.
bool showOnDesktop(const UserNotification& notification)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) return false;
    QDBusInterface service("org.freedesktop.Notifications", "/org/freedesktop/Notifications",
                           "org.freedesktop.Notifications", bus);
    if (!service.isValid()) return false;
    QDBusReply<uint> reply = service.call(
        "Notify", QCoreApplication::applicationName(), 0u, QString(), QString::fromStdString(notification.title()),
        QString::fromStdString(notification.informativeText()), QStringList(), QVariantMap(), -1);
    return reply.isValid();
}

// True when a tray icon showed the notice as its message; the icon goes away again after the message.
bool showInTray(const UserNotification& notification)
{
    constexpr int shownMilliseconds = 10000;
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()) || !QSystemTrayIcon::isSystemTrayAvailable())
        return false;
    static QPointer<QSystemTrayIcon> icon;
    if (!icon) {
        QIcon picture = QApplication::windowIcon();
        if (picture.isNull()) picture = QApplication::style()->standardIcon(QStyle::SP_MessageBoxInformation);
        icon = new QSystemTrayIcon(picture, QCoreApplication::instance());
    }
    icon->show();
    icon->showMessage(QString::fromStdString(notification.title()),
                      QString::fromStdString(notification.informativeText()), QSystemTrayIcon::Information,
                      shownMilliseconds);
    QTimer::singleShot(shownMilliseconds, icon, [] {
        if (icon) icon->hide();
    });
    return true;
}

}  // namespace

UserNotificationCenter& UserNotificationCenter::defaultCenter()
{
    static UserNotificationCenter center;
    return center;
}

void UserNotificationCenter::deliver(const std::shared_ptr<UserNotification>& notification)
{
    core::assertMainThread();
    if (!notification) return;
    auto d = delegate();
    const bool present = !d || d->shouldPresent(notification);
    notification->presented_ = present && (showOnDesktop(*notification) || showInTray(*notification));
    delivered_.push_back(notification);
    if (d) d->didDeliver(notification);
}

}  // namespace ui
