// A bundle made in a temporary folder for one test: an Info.plist and any other files.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "platform/core/bundle.h"
#include "platform/core/property_list.h"
#include "tests/support/temp_dir.h"

namespace testsupport {

class TestBundle {
public:
    explicit TestBundle(core::Dictionary info = {}) { setInfo(std::move(info)); }

    void setInfo(core::Dictionary info)
    {
        writePlist("Info.plist", core::Value(std::move(info)));
        bundle_.reset();
    }

    void writePlist(const std::string& name, const core::Value& value)
    {
        EXPECT_TRUE(core::PropertyList::write(value, core::Url::fileURL((folder_ / name).string())));
    }

    void writeFile(const std::string& name, const std::string& contents)
    {
        const auto path = folder_ / name;
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << contents;
    }

    void remove(const std::string& name) { std::filesystem::remove(folder_ / name); }

    // The bundle as it is now on disk (a bundle reads its Info.plist once).
    const core::Bundle& bundle()
    {
        if (!bundle_) bundle_ = core::Bundle::atPath(folder_.path().string());
        return *bundle_;
    }
    std::shared_ptr<const core::Bundle> shared()
    {
        bundle();
        return bundle_;
    }

    const std::filesystem::path& path() const { return folder_.path(); }

private:
    TempDir folder_{"bundle"};
    std::shared_ptr<const core::Bundle> bundle_;
};

}  // namespace testsupport
