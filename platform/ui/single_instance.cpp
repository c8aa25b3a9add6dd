#include "platform/ui/single_instance.h"

#include <QLocalServer>
#include <QLocalSocket>
#include <QPointer>
#include <QStandardPaths>
#include <QTimer>

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "platform/core/file_lock.h"
#include "platform/ui/program_handover.h"

namespace ui {

namespace {

// The running program's answer once it has taken a launch's paths.
constexpr char taken = '\x06';

std::string environment(const char* name)
{
    const char* value = std::getenv(name);
    return value ? value : "";
}

// ":1" and ":1.0" are one display.
std::string displayWithoutScreen(std::string display)
{
    const auto colon = display.rfind(':');
    const auto dot = display.rfind('.');
    if (colon != std::string::npos && dot != std::string::npos && dot > colon) display.erase(dot);
    return display;
}

// A name of the same text in every run: FNV-1a, in hexadecimal.
std::string digest(std::string_view text)
{
    std::uint64_t hash = 0xcbf29ce484222325ull;
    for (const unsigned char c : text)
        hash = (hash ^ c) * 0x100000001b3ull;
    static const char digits[] = "0123456789abcdef";
    std::string name;
    for (int shift = 60; shift >= 0; shift -= 4)
        name += digits[(hash >> shift) & 0xf];
    return name;
}

bool isFolder(const std::string& path)
{
    struct stat status {};
    return !path.empty() && ::stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

// A folder that only the user can enter, made when missing; nullopt when it is someone else's, open to
// others, or a link.
std::optional<std::string> privateFolder(const std::string& path)
{
    if (::mkdir(path.c_str(), 0700) != 0 && errno != EEXIST) return std::nullopt;
    struct stat status {};
    if (::lstat(path.c_str(), &status) != 0 || !S_ISDIR(status.st_mode) || status.st_uid != ::getuid() ||
        (status.st_mode & 077) != 0)
        return std::nullopt;
    return path;
}

}  // namespace

struct SingleInstance::Server {
    QLocalServer server;
    Receiver receiver;

    // Reads one launch's message as it comes; a broken one, or one that does not come whole in time, is
    // dropped unanswered.
    void serve(QLocalSocket* socket)
    {
        auto received = std::make_shared<QByteArray>();
        QObject::connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        QTimer::singleShot(answerMilliseconds, socket, [socket] { socket->abort(); });
        QObject::connect(socket, &QLocalSocket::readyRead, socket, [this, socket, received] {
            received->append(socket->readAll());
            const auto reading = readHandover(std::string_view(received->constData(), std::size_t(received->size())));
            if (reading.status == HandoverReading::Status::incomplete) return;
            QObject::disconnect(socket, &QLocalSocket::readyRead, nullptr, nullptr);
            if (reading.status == HandoverReading::Status::broken) return socket->abort();
            QPointer<QLocalSocket> guard(socket);
            receiver(reading.paths);
            if (!guard) return;
            socket->write(&taken, 1);
            socket->flush();
            socket->disconnectFromServer();
        });
    }
};

std::optional<std::string> SingleInstance::socketPathFor(const std::string& name)
{
    const std::string key = "display " + displayWithoutScreen(environment("DISPLAY")) + "\nwayland " +
                            environment("WAYLAND_DISPLAY") + "\ndata " +
                            QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation).toStdString();
    const std::string file = name + "-" + digest(key) + ".socket";
    const std::string runtime = environment("XDG_RUNTIME_DIR");
    if (isFolder(runtime)) return runtime + "/" + file;
    const auto folder = privateFolder("/tmp/" + name + "-" + std::to_string(::getuid()));
    if (!folder) return std::nullopt;
    return *folder + "/" + file;
}

SingleInstance::SingleInstance(std::string socketPath) : socketPath_(std::move(socketPath)) {}

SingleInstance::~SingleInstance() = default;

SingleInstance::Outcome SingleInstance::claim(const std::vector<std::string>& paths, Receiver receiver)
{
    // One launch at a time decides: none removes the socket of a program another has just started.
    const core::FileLock lock(socketPath_ + ".lock");
    if (!lock.locked()) {
        problem_ = "the lock beside \"" + socketPath_ + "\" could not be taken (" + std::strerror(lock.error()) + ")";
        return Outcome::alone;
    }
    switch (handOver(paths)) {
    case Attempt::handedOver:
        return Outcome::handedOver;
    case Attempt::refused:
        return Outcome::alone;
    case Attempt::noProgram:
        break;
    }
    return listen(std::move(receiver)) ? Outcome::first : Outcome::alone;
}

SingleInstance::Attempt SingleInstance::handOver(const std::vector<std::string>& paths)
{
    QLocalSocket socket;
    socket.connectToServer(QString::fromStdString(socketPath_));
    if (!socket.waitForConnected(answerMilliseconds)) {
        const auto error = socket.error();
        if (error == QLocalSocket::ServerNotFoundError || error == QLocalSocket::ConnectionRefusedError)
            return Attempt::noProgram;
        problem_ = "the running program could not be reached (" + socket.errorString().toStdString() + ")";
        return Attempt::refused;
    }
    const std::string message = encodeHandover(paths);
    if (message.size() > largestHandover) {
        problem_ = "the files are too many to hand to the running program";
        return Attempt::refused;
    }
    socket.write(message.data(), qint64(message.size()));
    while (socket.bytesToWrite() > 0 && socket.waitForBytesWritten(answerMilliseconds)) {
    }
    QByteArray answer;
    while (answer.isEmpty() && socket.waitForReadyRead(answerMilliseconds))
        answer += socket.readAll();
    if (answer.startsWith(taken)) return Attempt::handedOver;
    // Gone without an answer: it was ending. A program still there that does not answer cannot be replaced.
    if (socket.state() == QLocalSocket::UnconnectedState) return Attempt::noProgram;
    problem_ = "the running program did not answer";
    return Attempt::refused;
}

bool SingleInstance::listen(Receiver receiver)
{
    auto server = std::make_unique<Server>();
    server->receiver = std::move(receiver);
    server->server.setSocketOptions(QLocalServer::UserAccessOption);
    // No program answered: a socket still there was left by one that crashed.
    QLocalServer::removeServer(QString::fromStdString(socketPath_));
    if (!server->server.listen(QString::fromStdString(socketPath_))) {
        problem_ =
            "\"" + socketPath_ + "\" could not be listened on (" + server->server.errorString().toStdString() + ")";
        return false;
    }
    Server* raw = server.get();
    QObject::connect(&raw->server, &QLocalServer::newConnection, &raw->server, [raw] {
        while (QLocalSocket* socket = raw->server.nextPendingConnection())
            raw->serve(socket);
    });
    server_ = std::move(server);
    return true;
}

void SingleInstance::stop() { server_.reset(); }

}  // namespace ui
