// A session bus of the test's own (a dbus-daemon on a private socket) with a desktop notification service on
// it that keeps every notice it is sent, so that tests can count what a program under test showed the user.
// The service answers on the main thread while the test serves the main loop; the notices may be read from
// any thread.
#pragma once

#include <memory>
#include <mutex>
#include <string>
#include <sys/types.h>
#include <vector>

#include "tests/support/temp_dir.h"

namespace testsupport {

// The variable that gives a child test process the address of its parent's bus, to be used as its session bus
// (test environments that keep the tests off the user's session bus honour it).
inline constexpr char testBusVariable[] = "VISTREL_TEST_SESSION_BUS";

class NotificationBus {
public:
    struct Notice {
        std::string title;
        std::string text;
    };

    NotificationBus();
    ~NotificationBus();
    NotificationBus(const NotificationBus&) = delete;
    NotificationBus& operator=(const NotificationBus&) = delete;

    // Whether the bus runs and the service is on it; why not, in words, for a skipped test.
    bool running() const { return problem_.empty(); }
    const std::string& problem() const { return problem_; }
    // The value of DBUS_SESSION_BUS_ADDRESS that reaches this bus.
    const std::string& address() const { return address_; }
    std::vector<Notice> notices() const;

    class Service;

private:
    void start();

    TempDir folder_{"bus"};
    pid_t daemon_ = -1;
    std::string address_;
    std::string problem_;
    std::string connectionName_;
    std::unique_ptr<Service> service_;
    mutable std::mutex mutex_;
    std::vector<Notice> notices_;
};

}  // namespace testsupport
