#include "foundation/launch_setup.h"

#include <gtest/gtest.h>

#include "foundation/constants.h"
#include "foundation/user_defaults_proxy.h"
#include "tests/foundation/test_bundle.h"

using core::Date;
using core::Dictionary;
using core::Value;

namespace {

// A main bundle with a version and preference files, a fresh store and a fixed clock; each launch() runs the
// bookkeeping as a new process would, on a store reopened from its file.
class LaunchSetup : public ::testing::Test {
protected:
    LaunchSetup()
    {
        setVersion("1.2.3");
        bundle.writePlist("DefaultsPreferences.plist",
                          Dictionary{{"Flash", true}, {"Delay", 0.5}, {"Name", "snap"}, {"Size", 300}});
        bundle.writePlist("DefaultsUpdater.plist", Dictionary{{"Flash", 1}, {"Delay", 2}, {"Name", 0}});
        setClock(Date(1000));
    }

    ~LaunchSetup() override
    {
        core::Bundle::setMain(nullptr);
        core::Clock::setCurrent(nullptr);
    }

    void setVersion(const std::string& version)
    {
        bundle.setInfo(Dictionary{{"CFBundleName", "App"}, {"CFBundleVersion", version}});
        core::Bundle::setMain(bundle.shared());
    }

    void setClock(Date date) { core::Clock::setCurrent(std::make_shared<core::FixedClock>(date)); }

    std::string launch()
    {
        defaults = std::make_shared<core::UserDefaults>(storePath);
        ::testing::internal::CaptureStdout();
        kestrane::setup(defaults);
        return ::testing::internal::GetCapturedStdout();
    }

    std::optional<Value> stored(const std::string& key) const { return defaults->object(key); }

    testsupport::TestBundle bundle;
    testsupport::TempDir folder{"store"};
    std::string storePath = (folder / "store.plist").string();
    std::shared_ptr<core::UserDefaults> defaults;
};

}  // namespace

TEST_F(LaunchSetup, FirstLaunchRecordsEverythingAndFillsEveryPreference)
{
    EXPECT_EQ(launch(), "");
    EXPECT_EQ(stored("VersionNumber"), Value(1.002003));
    EXPECT_EQ(stored("LaunchesCount"), Value(1));
    EXPECT_EQ(stored("FirstLaunchDate"), Value(Date(1000)));
    EXPECT_EQ(stored("UpdateLaunchDate"), Value(Date(1000)));
    EXPECT_EQ(stored("DidUpdatedVersion"), Value(true));
    EXPECT_EQ(stored("Flash"), Value(true));
    EXPECT_EQ(stored("Delay"), Value(0.5));
    EXPECT_EQ(stored("Name"), Value("snap"));
    EXPECT_EQ(stored("Size"), Value(300));
    EXPECT_EQ(kestrane::launchesCount(defaults), 1);
    EXPECT_TRUE(kestrane::didUpdateVersion(defaults));
    EXPECT_EQ(kestrane::firstLaunchDate(defaults), Date(1000));
    EXPECT_EQ(kestrane::updateLaunchDate(defaults), Date(1000));
}

TEST_F(LaunchSetup, SecondLaunchOfTheSameVersionCountsAndRefillsDeletedPreferences)
{
    launch();
    defaults->remove("Name");
    EXPECT_TRUE(defaults->set("Delay", 2.0));
    setClock(Date(5000));
    launch();
    EXPECT_EQ(stored("LaunchesCount"), Value(2));
    EXPECT_EQ(stored("FirstLaunchDate"), Value(Date(1000)));
    EXPECT_EQ(stored("UpdateLaunchDate"), Value(Date(1000)));
    EXPECT_EQ(stored("DidUpdatedVersion"), Value(false));
    EXPECT_EQ(stored("Name"), Value("snap"));
    EXPECT_EQ(stored("Delay"), Value(2.0));
}

TEST_F(LaunchSetup, AHigherVersionAppliesTheUpdateCodes)
{
    launch();
    EXPECT_TRUE(defaults->set("Flash", false));  // code 1: overwritten
    EXPECT_TRUE(defaults->set("Delay", 3.0));    // code 2: kept
    EXPECT_TRUE(defaults->set("Name", "mine"));  // code 0: kept
    EXPECT_TRUE(defaults->set("Size", 10));      // no code: kept
    setVersion("1.3");
    setClock(Date(9000));
    launch();
    EXPECT_EQ(stored("Flash"), Value(true));
    EXPECT_EQ(stored("Delay"), Value(3.0));
    EXPECT_EQ(stored("Name"), Value("mine"));
    EXPECT_EQ(stored("Size"), Value(10));
    EXPECT_EQ(stored("VersionNumber"), Value(1.003));
    EXPECT_EQ(stored("DidUpdatedVersion"), Value(true));
    EXPECT_EQ(stored("UpdateLaunchDate"), Value(Date(9000)));
    EXPECT_EQ(stored("FirstLaunchDate"), Value(Date(1000)));
}

TEST_F(LaunchSetup, AHigherVersionFillsMissingKeysWhateverTheirCode)
{
    launch();
    for (const char* key : {"Flash", "Delay", "Name", "Size"})
        defaults->remove(key);
    setVersion("2");
    launch();
    EXPECT_EQ(stored("Flash"), Value(true));
    EXPECT_EQ(stored("Delay"), Value(0.5));
    EXPECT_EQ(stored("Name"), Value("snap"));
    EXPECT_EQ(stored("Size"), Value(300));
}

TEST_F(LaunchSetup, ALowerVersionIsNoUpdateAndLowersTheVersionNumber)
{
    launch();
    EXPECT_TRUE(defaults->set("Flash", false));
    setVersion("1.1");
    setClock(Date(7000));
    launch();
    EXPECT_EQ(stored("VersionNumber"), Value(1.001));
    EXPECT_EQ(stored("DidUpdatedVersion"), Value(false));
    EXPECT_EQ(stored("UpdateLaunchDate"), Value(Date(1000)));
    EXPECT_EQ(stored("Flash"), Value(false));
}

TEST_F(LaunchSetup, ALaunchCountStoredAsTextStartsOver)
{
    launch();
    EXPECT_TRUE(defaults->set("LaunchesCount", "many"));
    setClock(Date(3000));
    launch();
    EXPECT_EQ(stored("LaunchesCount"), Value(1));
    EXPECT_EQ(stored("FirstLaunchDate"), Value(Date(3000)));
}

TEST_F(LaunchSetup, MissingPreferenceFilesAreReportedAndTheBookkeepingStillRuns)
{
    bundle.remove("DefaultsPreferences.plist");
    const std::string output = launch();
    EXPECT_EQ(output, "DefaultsPreferences.plist cannot be found\nDefaultsPreferences.plist cannot be found\n");
    EXPECT_EQ(stored("LaunchesCount"), Value(1));
    EXPECT_EQ(stored("DidUpdatedVersion"), Value(true));
    EXPECT_EQ(stored("Flash"), std::nullopt);
}

TEST_F(LaunchSetup, ACorruptPreferencesFileIsReported)
{
    bundle.writeFile("DefaultsPreferences.plist", "<plist><dict><key>Flash</key>");
    EXPECT_EQ(launch(), "DefaultsPreferences.plist is corrupted and cannot be loaded\n"
                        "DefaultsPreferences.plist is corrupted and cannot be loaded\n");
    bundle.writePlist("DefaultsPreferences.plist", core::Array{1});
    EXPECT_EQ(launch(), "DefaultsPreferences.plist is corrupted and cannot be loaded\n");
}

TEST_F(LaunchSetup, ABadUpdaterFileStopsOnlyTheUpdate)
{
    launch();
    EXPECT_TRUE(defaults->set("Flash", false));
    defaults->remove("Size");
    bundle.writePlist("DefaultsUpdater.plist", Dictionary{{"Flash", 1}, {"Name", "one"}});
    setVersion("9");
    EXPECT_EQ(launch(), "DefaultsUpdater.plist is corrupted and cannot be loaded\n");
    EXPECT_EQ(stored("Flash"), Value(false));
    EXPECT_EQ(stored("Size"), Value(300));
    EXPECT_EQ(stored("DidUpdatedVersion"), Value(true));

    bundle.remove("DefaultsUpdater.plist");
    setVersion("10");
    EXPECT_EQ(launch(), "DefaultsUpdater.plist cannot be found\n");
    EXPECT_EQ(stored("Flash"), Value(false));
}

TEST_F(LaunchSetup, RestoreResetsOnlyTheFilesPreferences)
{
    launch();
    EXPECT_TRUE(defaults->set("Flash", false));
    EXPECT_TRUE(defaults->set("Other", 1));
    kestrane::restorePreferences(defaults);
    EXPECT_EQ(stored("Flash"), Value(true));
    EXPECT_EQ(stored("Other"), Value(1));
}

TEST_F(LaunchSetup, LaunchValuesOfTheWrongKindReadAsAbsent)
{
    defaults = std::make_shared<core::UserDefaults>(storePath);
    EXPECT_TRUE(defaults->set("LaunchesCount", "3"));
    EXPECT_TRUE(defaults->set("DidUpdatedVersion", "yes"));
    EXPECT_TRUE(defaults->set("FirstLaunchDate", 5.0));
    EXPECT_EQ(kestrane::launchesCount(defaults), 0);
    EXPECT_FALSE(kestrane::didUpdateVersion(defaults));
    EXPECT_EQ(kestrane::firstLaunchDate(defaults), std::nullopt);
    EXPECT_EQ(kestrane::updateLaunchDate(defaults), std::nullopt);
}
