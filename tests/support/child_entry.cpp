#include "tests/support/child_entry.h"

#include <cstdlib>
#include <cstring>
#include <iostream>
#include <map>

namespace testsupport {

namespace {

std::map<std::string, std::function<void()>>& entries()
{
    static std::map<std::string, std::function<void()>> registered;
    return registered;
}

}  // namespace

bool addChildEntry(const std::string& name, std::function<void()> registration)
{
    entries()[name] = std::move(registration);
    return true;
}

std::string registerRequestedChildEntry(int& argc, char** argv)
{
    const std::size_t prefix = std::strlen(childEntryFlag);
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], childEntryFlag, prefix) != 0) continue;
        const std::string name = argv[i] + prefix;
        for (int j = i; j < argc; ++j)
            argv[j] = argv[j + 1];
        --argc;
        const auto entry = entries().find(name);
        if (entry == entries().end()) {
            std::cerr << "No child entry is named " << name << "\n";
            std::exit(2);
        }
        entry->second();
        GTEST_FLAG_SET(filter, name);
        return name;
    }
    return {};
}

}  // namespace testsupport
