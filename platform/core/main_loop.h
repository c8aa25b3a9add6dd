// The main thread's event loop, which serves the main queue and timers. One per process; call from the main
// thread only, except isQuitting and isMainThread.
#pragma once

namespace core {

class MainLoop {
public:
    MainLoop() = delete;

    // Creates the application object when none exists yet (the user interface creates its own first).
    static void init();
    // Serves events until quit(); returns the exit code.
    static int run();
    // Serves events for `seconds` (at least one pass over what is pending), then returns.
    static void processEvents(double seconds);
    // Begins quitting: from now on `sync` onto the main queue from other threads returns false at once, and the
    // loop that run() serves ends.
    static void quit();
    static bool isQuitting();
    // True on the main thread (the application object's); false on every thread while there is no application.
    static bool isMainThread();
};

}  // namespace core
