#include "tests/support/notification_bus.h"
#include "tests/support/wait_until.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVirtualObject>
#include <QVariant>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <fstream>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>

extern char** environ;

namespace testsupport {

namespace {

constexpr char serviceName[] = "org.freedesktop.Notifications";
constexpr char servicePath[] = "/org/freedesktop/Notifications";

// A bus that lets every client own any name and call anything, and activates no service of the desktop.
std::string configuration(const std::filesystem::path& socket)
{
    return "<!DOCTYPE busconfig PUBLIC \"-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN\"\n"
           " \"http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd\">\n"
           "<busconfig>\n"
           "  <type>session</type>\n"
           "  <listen>unix:path=" +
           socket.string() +
           "</listen>\n"
           "  <auth>EXTERNAL</auth>\n"
           "  <policy context=\"default\">\n"
           "    <allow send_destination=\"*\" eavesdrop=\"true\"/>\n"
           "    <allow eavesdrop=\"true\"/>\n"
           "    <allow own=\"*\"/>\n"
           "  </policy>\n"
           "</busconfig>\n";
}

std::filesystem::path daemonProgram()
{
    for (const char* candidate : {"/usr/bin/dbus-daemon", "/bin/dbus-daemon", "/usr/local/bin/dbus-daemon"})
        if (std::filesystem::exists(candidate)) return candidate;
    return {};
}

}  // namespace

// The notification service: answers Notify with a new id and keeps the notice; every other call is unknown.
class NotificationBus::Service : public QDBusVirtualObject {
public:
    explicit Service(NotificationBus& bus) : bus_(bus) {}

    QString introspect(const QString&) const override
    {
        return QStringLiteral("<interface name=\"org.freedesktop.Notifications\">"
                              "<method name=\"Notify\">"
                              "<arg name=\"app_name\" type=\"s\" direction=\"in\"/>"
                              "<arg name=\"replaces_id\" type=\"u\" direction=\"in\"/>"
                              "<arg name=\"app_icon\" type=\"s\" direction=\"in\"/>"
                              "<arg name=\"summary\" type=\"s\" direction=\"in\"/>"
                              "<arg name=\"body\" type=\"s\" direction=\"in\"/>"
                              "<arg name=\"actions\" type=\"as\" direction=\"in\"/>"
                              "<arg name=\"hints\" type=\"a{sv}\" direction=\"in\"/>"
                              "<arg name=\"expire_timeout\" type=\"i\" direction=\"in\"/>"
                              "<arg name=\"id\" type=\"u\" direction=\"out\"/>"
                              "</method>"
                              "</interface>");
    }

    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override
    {
        const QList<QVariant> arguments = message.arguments();
        if (message.interface() != QLatin1String(serviceName) || message.member() != QLatin1String("Notify") ||
            arguments.size() != 8)
            return false;
        unsigned id = 0;
        {
            std::lock_guard lock(bus_.mutex_);
            bus_.notices_.push_back({arguments[3].toString().toStdString(), arguments[4].toString().toStdString()});
            id = unsigned(bus_.notices_.size());
        }
        return connection.send(message.createReply(QVariant::fromValue(id)));
    }

private:
    NotificationBus& bus_;
};

NotificationBus::NotificationBus() { start(); }

void NotificationBus::start()
{
    const std::filesystem::path program = daemonProgram();
    if (program.empty()) {
        problem_ = "dbus-daemon is not installed";
        return;
    }
    const std::filesystem::path socket = folder_.path() / "bus";
    const std::filesystem::path config = folder_.path() / "bus.conf";
    std::ofstream(config) << configuration(socket);
    std::string configArgument = "--config-file=" + config.string();
    std::string noFork = "--nofork";
    std::string programName = program.string();
    char* argv[] = {programName.data(), configArgument.data(), noFork.data(), nullptr};
    if (posix_spawn(&daemon_, programName.c_str(), nullptr, nullptr, argv, environ) != 0) {
        daemon_ = -1;
        problem_ = "dbus-daemon could not be started";
        return;
    }
    address_ = "unix:path=" + socket.string();
    connectionName_ = "notification-bus-" + std::to_string(daemon_);
    // The daemon makes its socket shortly after it starts; connect once it takes clients.
    const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(waitLimitSeconds);
    for (;;) {
        QDBusConnection connection =
            QDBusConnection::connectToBus(QString::fromStdString(address_), QString::fromStdString(connectionName_));
        if (connection.isConnected()) break;
        QDBusConnection::disconnectFromBus(QString::fromStdString(connectionName_));
        if (std::chrono::steady_clock::now() > end) {
            problem_ = "the private session bus took no client";
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    QDBusConnection connection(QString::fromStdString(connectionName_));
    service_ = std::make_unique<Service>(*this);
    if (!connection.registerVirtualObject(servicePath, service_.get()) || !connection.registerService(serviceName))
        problem_ = "the notification service could not be put on the private bus";
}

NotificationBus::~NotificationBus()
{
    if (!connectionName_.empty()) {
        {
            QDBusConnection connection(QString::fromStdString(connectionName_));
            connection.unregisterObject(servicePath);
        }
        QDBusConnection::disconnectFromBus(QString::fromStdString(connectionName_));
    }
    service_.reset();
    if (daemon_ > 0) {
        ::kill(daemon_, SIGTERM);
        int status = 0;
        while (::waitpid(daemon_, &status, 0) < 0 && errno == EINTR) {
        }
    }
}

std::vector<NotificationBus::Notice> NotificationBus::notices() const
{
    std::lock_guard lock(mutex_);
    return notices_;
}

}  // namespace testsupport
