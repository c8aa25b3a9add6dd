#include "platform/ui/user_notification.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusInterface>
#include <QDBusReply>
#include <QVariantMap>

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
    QDBusReply<uint> reply = service.call("Notify", QCoreApplication::applicationName(), 0u, QString(),
                                          QString::fromStdString(notification.title()),
                                          QString::fromStdString(notification.informativeText()), QStringList(),
                                          QVariantMap(), -1);
    return reply.isValid();
}

}  // namespace

UserNotificationCenter& UserNotificationCenter::defaultCenter()
{
    static UserNotificationCenter center;
    return center;
}

void UserNotificationCenter::deliver(const std::shared_ptr<UserNotification>& notification)
{
    if (!notification) return;
    auto d = delegate();
    const bool present = !d || d->shouldPresent(notification);
    notification->presented_ = present && showOnDesktop(*notification);
    delivered_.push_back(notification);
    if (d) d->didDeliver(notification);
}

}  // namespace ui
