// What the program's delegate hears from the application: launching, files to open, the untitled document
// and termination. Every member has a default. Main thread only.
#pragma once

#include <string>
#include <vector>

namespace ui {

enum class TerminateReply { terminateCancel = 0, terminateNow = 1, terminateLater = 2 };

class ApplicationDelegate {
public:
    virtual ~ApplicationDelegate() = default;

    virtual void applicationWillFinishLaunching() {}
    virtual void applicationDidFinishLaunching() {}
    // Asked once launching is done when no file was given; true lets applicationOpenUntitledFile run.
    virtual bool applicationShouldOpenUntitledFile() { return false; }
    virtual bool applicationOpenUntitledFile() { return false; }
    // The paths given on the command line.
    virtual void openFiles(const std::vector<std::string>& paths) {}
    // Asked when a running program is left with no window on screen at the end of a turn of its loop; false
    // keeps it running (the delegate shows a window of its own, or one is on its way).
    virtual bool applicationShouldTerminateAfterLastWindowClosed() { return true; }
    virtual TerminateReply applicationShouldTerminate() { return TerminateReply::terminateNow; }
    virtual void applicationWillTerminate() {}
};

}  // namespace ui
