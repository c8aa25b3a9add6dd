// Entry points of the child processes that tests start from their own executable (a writer to kill, a second
// launch reading what the first left). Each is a gtest body with its fixture and assertions, yet no test of the
// list: it is registered with gtest only in a process started for it (spawnSelf), which runs it alone.
// Written as CHILD_ENTRY(Suite, Name) { ... } or CHILD_ENTRY_F(Fixture, Name) { ... }, like TEST and TEST_F.
#pragma once

#include <functional>
#include <string>

#include <gtest/gtest.h>

namespace testsupport {

// The command-line flag that names the entry a child process runs: --child=Suite.Name.
inline constexpr char childEntryFlag[] = "--child=";

// Keeps the registration of the entry of that name for a child started for it; true.
bool addChildEntry(const std::string& name, std::function<void()> registration);

// Called by the test main after gtest has read its flags. When the command line names an entry: takes the flag
// out, registers the entry as the one test to run, and gives its name; empty when none is named (the process is
// no child). An unknown name is printed and ends the process with 2.
std::string registerRequestedChildEntry(int& argc, char** argv);

}  // namespace testsupport

#define VISTREL_CHILD_ENTRY_(Suite, Name, Base)                                                                        \
    class Suite##_##Name##_ChildEntry : public Base {                                                                  \
    public:                                                                                                            \
        void TestBody() override;                                                                                      \
    };                                                                                                                 \
    [[maybe_unused]] static const bool Suite##_##Name##_childEntryAdded =                                              \
        testsupport::addChildEntry(#Suite "." #Name, [] {                                                              \
            ::testing::RegisterTest(#Suite, #Name, nullptr, nullptr, __FILE__, __LINE__,                               \
                                    []() -> Base* { return new Suite##_##Name##_ChildEntry; });                        \
        });                                                                                                            \
    void Suite##_##Name##_ChildEntry::TestBody()

#define CHILD_ENTRY(Suite, Name) VISTREL_CHILD_ENTRY_(Suite, Name, ::testing::Test)
#define CHILD_ENTRY_F(Fixture, Name) VISTREL_CHILD_ENTRY_(Fixture, Name, Fixture)
