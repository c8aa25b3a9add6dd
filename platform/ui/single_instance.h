// One program per user's desktop session: the first launch listens on a local socket named after the user,
// the display and the data folder; a later launch hands the files it was given to that program, waits until it
// has taken them, and ends. A socket left by a program that crashed is taken over. Each object is used on one
// thread; the running program's serves later launches on its thread's event loop (the main thread's).
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace ui {

class SingleInstance {
public:
    // What the first program does with the paths a later launch hands over (none: come forward); runs on
    // the listening thread before that launch hears that they were taken.
    using Receiver = std::function<void(const std::vector<std::string>& paths)>;

    // The socket of `name` for this user, display ($DISPLAY, $WAYLAND_DISPLAY) and data folder
    // ($XDG_DATA_HOME): in $XDG_RUNTIME_DIR, else in a folder of the user's own in /tmp. Nullopt when that
    // folder is not the user's alone.
    static std::optional<std::string> socketPathFor(const std::string& name);

    explicit SingleInstance(std::string socketPath);
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    enum class Outcome {
        first,       // listening: every later launch's paths reach the receiver
        handedOver,  // the running program took the paths
        alone,       // neither could be done (problem() says why)
    };
    // Hands `paths` (absolute) to the program listening on the socket, or becomes that program.
    Outcome claim(const std::vector<std::string>& paths, Receiver receiver);
    const std::string& problem() const { return problem_; }
    // Stops listening and removes the socket: the next launch becomes the first.
    void stop();

    // How long a launch waits for the running program to take its paths, and how long the running program
    // waits for a launch's whole message.
    static constexpr int answerMilliseconds = 60000;

    struct Server;

private:
    enum class Attempt { handedOver, noProgram, refused };
    Attempt handOver(const std::vector<std::string>& paths);
    bool listen(Receiver receiver);

    std::string socketPath_;
    std::string problem_;
    std::unique_ptr<Server> server_;
};

}  // namespace ui
