#include "platform/core/bundle.h"

#include <gtest/gtest.h>

#include <fstream>

#include "platform/core/property_list.h"
#include "tests/support/temp_dir.h"

namespace fs = std::filesystem;
using core::Bundle;
using core::Value;

namespace {

void writeFile(const fs::path& path, const std::string& contents)
{
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << contents;
}

// A bundle with an Info.plist, English and base tables, and a few resources.
struct SampleBundle {
    SampleBundle()
    {
        EXPECT_TRUE(core::PropertyList::write(
            core::Dictionary{{"CFBundleIdentifier", "net.example.Sample"}, {"CFBundleName", "Sample"}, {"Count", 3}},
            core::Url::fileURL((folder / "Info.plist").string())));
        writeFile(folder / "en.lproj" / "Localizable.strings", "\"Hello\" = \"Hello, %@\";\n\"Only\" = \"English\";");
        writeFile(folder / "en.lproj" / "InfoPlist.strings", "CFBundleName = \"Sample (en)\";");
        writeFile(folder / "en.lproj" / "Other.strings", "\"Hello\" = \"Other hello\";");
        writeFile(folder / "Localizable.strings", "\"Base\" = \"unlocalized\"; \"Only\" = \"base\";");
        writeFile(folder / "Broken.strings", "\"a\" = ");
        writeFile(folder / "Defaults.plist", "x");
        writeFile(folder / "WelcomeHTML" / "index.html", "<html/>");
        writeFile(folder / "en.lproj" / "Credits.html", "<html/>");
        bundle = Bundle::atPath(folder.path().string());
    }

    testsupport::TempDir folder{"bundle"};
    std::shared_ptr<const Bundle> bundle;
};

}  // namespace

TEST(Bundle, ReadsItsInfoDictionaryAndIdentifier)
{
    SampleBundle sample;
    ASSERT_TRUE(sample.bundle);
    EXPECT_EQ(sample.bundle->identifier(), "net.example.Sample");
    EXPECT_EQ(*sample.bundle->infoDictionary().find("Count"), Value(3));
    EXPECT_EQ(sample.bundle->infoValue("Count"), Value(3));
    EXPECT_EQ(sample.bundle->infoValue("Missing"), std::nullopt);
}

TEST(Bundle, InfoValuesPreferTheLocalizedInfoPlistStrings)
{
    SampleBundle sample;
    EXPECT_EQ(sample.bundle->infoValue("CFBundleName"), Value("Sample (en)"));
    EXPECT_EQ(*sample.bundle->infoDictionary().find("CFBundleName"), Value("Sample"));
}

TEST(Bundle, FindsResourcesByNameExtensionAndFolder)
{
    SampleBundle sample;
    const auto& bundle = *sample.bundle;
    EXPECT_EQ(bundle.urlForResource("Defaults", "plist")->path(), (sample.folder / "Defaults.plist").string());
    EXPECT_EQ(bundle.urlForResource("Defaults.plist", "")->path(), (sample.folder / "Defaults.plist").string());
    EXPECT_EQ(bundle.urlForResource("index", "html", "WelcomeHTML")->path(),
              (sample.folder / "WelcomeHTML" / "index.html").string());
    EXPECT_EQ(bundle.urlForResource("Credits", "html")->path(), (sample.folder / "en.lproj" / "Credits.html").string());
    EXPECT_FALSE(bundle.urlForResource("index", "html"));
    EXPECT_FALSE(bundle.urlForResource("Defaults", "txt"));
    EXPECT_FALSE(bundle.urlForResource("", "plist"));
}

TEST(Bundle, LocalizedStringsFallBackToTheValueThenTheKey)
{
    SampleBundle sample;
    const auto& bundle = *sample.bundle;
    EXPECT_EQ(bundle.localizedString("Hello"), "Hello, %@");
    EXPECT_EQ(bundle.localizedString("Only"), "English");
    EXPECT_EQ(bundle.localizedString("Base"), "unlocalized");
    EXPECT_EQ(bundle.localizedString("Hello", "", "Other"), "Other hello");
    EXPECT_EQ(bundle.localizedString("Missing", "Fallback"), "Fallback");
    EXPECT_EQ(bundle.localizedString("Missing"), "Missing");
    EXPECT_EQ(bundle.localizedString("a", "", "Broken"), "a");
    EXPECT_EQ(bundle.localizedString("Hello", "", "NoSuchTable"), "Hello");
}

TEST(Bundle, PreferredLanguagesEndWithEnglish)
{
    const auto languages = Bundle::preferredLanguages();
    ASSERT_FALSE(languages.empty());
    EXPECT_NE(std::find(languages.begin(), languages.end(), "en"), languages.end());
}

TEST(Bundle, MainBundleCanBePointedElsewhereAndBack)
{
    const auto own = Bundle::main();
    EXPECT_EQ(fs::path(own->path()).filename(), "test_platform_core.bundle");
    SampleBundle sample;
    Bundle::setMain(sample.bundle);
    EXPECT_EQ(Bundle::main()->identifier(), "net.example.Sample");
    Bundle::setMain(nullptr);
    EXPECT_EQ(Bundle::main()->path(), own->path());
}

TEST(Bundle, NamedBundlesLieNextToTheExecutable)
{
    const auto kestrane = Bundle::named("Kestrane");
    EXPECT_EQ(kestrane->identifier(), "net.vistrel.Kestrane");
    EXPECT_FALSE(Bundle::named("NoSuchBundle")->identifier());
    EXPECT_FALSE(Bundle::atPath("/no/such/folder"));
}
