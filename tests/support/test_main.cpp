// Entry point of every test executable: an offscreen QApplication owns the main thread, so the main
// queue, timers and widgets behave as in the program, and the user defaults and the kept session live in
// fresh folders, never in the user's own. Started with --child=Suite.Name, it runs that child entry alone.
#include <QApplication>
#include <cstdlib>
#include <gtest/gtest.h>

#include "tests/support/child_entry.h"
#include "tests/support/temp_dir.h"

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    testsupport::registerRequestedChildEntry(argc, argv);
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static testsupport::TempDir config("config");
    setenv("XDG_CONFIG_HOME", config.path().c_str(), 1);
    static testsupport::TempDir data("data");
    setenv("XDG_DATA_HOME", data.path().c_str(), 1);
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
