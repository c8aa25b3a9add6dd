#include "foundation/bundle_info.h"

#include <gtest/gtest.h>

#include "foundation/kestrane_kit.h"
#include "platform/gfx/image_writer.h"
#include "tests/foundation/test_bundle.h"

using core::Dictionary;
using testsupport::TestBundle;

namespace {

double versionNumberOf(const std::string& version)
{
    TestBundle test(Dictionary{{"CFBundleVersion", version}});
    return kestrane::versionNumber(test.bundle());
}

}  // namespace

TEST(BundleInfo, VersionNumberWeighsEachComponentAThousandTimesLess)
{
    EXPECT_DOUBLE_EQ(versionNumberOf("3"), 3.0);
    EXPECT_DOUBLE_EQ(versionNumberOf("1.2"), 1.002);
    EXPECT_DOUBLE_EQ(versionNumberOf("1.2.3"), 1.002003);
    EXPECT_DOUBLE_EQ(versionNumberOf("2.10"), 2.01);
    EXPECT_DOUBLE_EQ(versionNumberOf("1.0.12"), 1.000012);
    EXPECT_DOUBLE_EQ(versionNumberOf("1.1000"), 2.0);
    EXPECT_DOUBLE_EQ(versionNumberOf("1..2"), 1.000002);
    EXPECT_DOUBLE_EQ(versionNumberOf(""), 0.0);
    EXPECT_DOUBLE_EQ(versionNumberOf("1.beta"), 1.0);
    EXPECT_DOUBLE_EQ(versionNumberOf("1.2b"), 1.0);
    EXPECT_DOUBLE_EQ(versionNumberOf("nan.1"), 0.001);
    EXPECT_DOUBLE_EQ(versionNumberOf("1.2.3.4"), 1.002003004);
}

TEST(BundleInfo, NameAndVersionComeFromTheInfoDictionary)
{
    TestBundle test(Dictionary{{"CFBundleName", "Vistrel"}, {"CFBundleVersion", "1.4"}});
    EXPECT_EQ(kestrane::name(test.bundle()), "Vistrel");
    EXPECT_EQ(kestrane::versionString(test.bundle()), "1.4");
}

TEST(BundleInfoDeathTest, ABundleWithoutNameOrVersionStopsTheProgram)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    TestBundle test(Dictionary{{"CFBundleVersion", 1}});
    EXPECT_DEATH(kestrane::name(test.bundle()), "Bundle should have a name");
    EXPECT_DEATH(kestrane::versionString(test.bundle()), "Bundle should have a version with format XXX.XXX.XXX");
}

TEST(BundleInfo, OptionalMembersReadTheirKindOnly)
{
    TestBundle test(Dictionary{{"Autosave", true},
                               {"AppStore", "https://store.example.net/app/id42"},
                               {"Website", "https://example.net/has space"},
                               {"SupportMail", "help@example.net"},
                               {"CompagnyAppStore", 5},
                               {"CompagnyWebsite", "https://example.net"},
                               {"CompagnyMail", core::Array{"x"}},
                               {"Count", 2.5}});
    const auto& bundle = test.bundle();
    EXPECT_EQ(kestrane::autosaveIsEnable(bundle), true);
    EXPECT_EQ(kestrane::appStoreURL(bundle)->absoluteString(), "https://store.example.net/app/id42");
    EXPECT_EQ(kestrane::websiteURL(bundle), std::nullopt);
    EXPECT_EQ(kestrane::supportMail(bundle), "help@example.net");
    EXPECT_EQ(kestrane::compagnyAppStoreURL(bundle), std::nullopt);
    EXPECT_EQ(kestrane::compagnyWebsiteURL(bundle)->absoluteString(), "https://example.net");
    EXPECT_EQ(kestrane::compagnyMail(bundle), std::nullopt);
    EXPECT_EQ(kestrane::numberForInfoDictionaryKey(bundle, "Count"), core::Value(2.5));
    EXPECT_EQ(kestrane::boolForInfoDictionaryKey(bundle, "Count"), true);
    EXPECT_EQ(kestrane::stringForInfoDictionaryKey(bundle, "Count"), std::nullopt);
    EXPECT_EQ(kestrane::numberForInfoDictionaryKey(bundle, "SupportMail"), std::nullopt);
}

TEST(BundleInfo, AutosaveGivenAsAStringIsAbsent)
{
    TestBundle yes(Dictionary{{"Autosave", "YES"}});
    EXPECT_EQ(kestrane::autosaveIsEnable(yes.bundle()), std::nullopt);
    TestBundle no(Dictionary{{"Autosave", false}});
    EXPECT_EQ(kestrane::autosaveIsEnable(no.bundle()), false);
}

TEST(BundleInfo, InfoStringsPreferTheLocalizedInfoPlist)
{
    TestBundle test(Dictionary{{"CFBundleName", "Vistrel"}, {"SupportMail", "a@example.net"}});
    test.writeFile("en.lproj/InfoPlist.strings", "\"SupportMail\" = \"b@example.net\";");
    EXPECT_EQ(kestrane::supportMail(test.bundle()), "b@example.net");
    EXPECT_EQ(kestrane::name(test.bundle()), "Vistrel");
}

TEST(BundleInfo, LocalStringsFillTheirArgumentsInOrder)
{
    TestBundle test;
    test.writeFile("en.lproj/Localizable.strings",
                   "\"Snaps\" = \"%d snaps of %@\";\n\"Swapped\" = \"%2$@, %1$@\";\n\"Plain\" = \"Plain text\";");
    const auto& bundle = test.bundle();
    EXPECT_EQ(kestrane::local(bundle, "Plain"), "Plain text");
    EXPECT_EQ(kestrane::local(bundle, "Missing key"), "Missing key");
    EXPECT_EQ(kestrane::local(bundle, "Snaps", 3, "Movie"), "3 snaps of Movie");
    EXPECT_EQ(kestrane::local(bundle, "Swapped", "first", "second"), "second, first");
    EXPECT_EQ(kestrane::local(bundle, "Missing %@", "x"), "Missing x");
}

TEST(BundleInfo, PlistAndHtmlResourcesAreFoundByName)
{
    TestBundle test;
    test.writeFile("DefaultsPreferences.plist", "");
    test.writeFile("WelcomeHTML/index.html", "");
    EXPECT_EQ(kestrane::urlForPLISTResource(test.bundle(), "DefaultsPreferences")->path(),
              (test.path() / "DefaultsPreferences.plist").string());
    EXPECT_EQ(kestrane::urlForHTMLResource(test.bundle(), "index", "WelcomeHTML")->path(),
              (test.path() / "WelcomeHTML" / "index.html").string());
    EXPECT_FALSE(kestrane::urlForHTMLResource(test.bundle(), "index"));
    EXPECT_FALSE(kestrane::urlForPLISTResource(test.bundle(), "DefaultsUpdater"));
}

TEST(KestraneKit, IsTheFrameworksOwnBundle)
{
    const auto bundle = kestrane::KestraneKit::bundle();
    EXPECT_EQ(bundle->identifier(), "net.vistrel.Kestrane");
    EXPECT_EQ(kestrane::name(*bundle), "Kestrane");
    EXPECT_EQ(kestrane::KestraneKit::local("No such key"), "No such key");
    EXPECT_EQ(kestrane::KestraneKit::imageNamed("No such image"), nullptr);
}

TEST(KestraneKit, ImagesAreFoundWithOrWithoutTheirExtension)
{
    TestBundle test;
    auto writer =
        gfx::ImageWriter::create(core::Url::fileURL((test.path() / "Dot.png").string()), gfx::ImageFileType::png, 1);
    writer->addImage(gfx::Image::create(2, 1, {gfx::makePixel(255, 255, 0, 0), gfx::makePixel(255, 0, 0, 255)}));
    ASSERT_TRUE(writer->finalize());
    test.writeFile("Broken.png", "not an image");
    for (const char* name : {"Dot", "Dot.png"}) {
        const auto image = kestrane::imageForResource(test.bundle(), name);
        ASSERT_TRUE(image) << name;
        EXPECT_EQ(image->width(), 2);
        EXPECT_EQ(image->pixel(1, 0), gfx::makePixel(255, 0, 0, 255));
    }
    EXPECT_EQ(kestrane::imageForResource(test.bundle(), "Broken"), nullptr);
    EXPECT_EQ(kestrane::imageForResource(test.bundle(), "Missing"), nullptr);
}
