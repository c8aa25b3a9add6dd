// The links to the program's pages and support mail, and the rating prompt's state kept in the user
// defaults through its three answers. Links are caught before they reach the desktop; the prompt is answered
// by pressing one of its buttons.
#include <QApplication>
#include <QDesktopServices>
#include <QMessageBox>
#include <QObject>
#include <QPushButton>
#include <QTimer>
#include <QUrl>

#include <gtest/gtest.h>

#include "appkit/app_rater.h"
#include "appkit/workspace_extensions.h"
#include "foundation/constants.h"
#include "foundation/date_utilities.h"
#include "foundation/kestrane_kit.h"
#include "foundation/shortcuts.h"
#include "platform/core/calendar.h"
#include "tests/foundation/test_bundle.h"
#include "tests/support/url_catcher.h"

namespace {

using kestrane::AppRater;
using kestrane::Defaults;

// Presses the button of the given title on every prompt that shows, counting them.
class PromptAnswerer {
public:
    explicit PromptAnswerer(std::string button) : button_(std::move(button))
    {
        QObject::connect(&timer_, &QTimer::timeout, [this] { answer(); });
        timer_.start(5);
    }
    int prompts = 0;
    std::string title;

private:
    void answer()
    {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            auto* box = qobject_cast<QMessageBox*>(widget);
            if (!box || !box->isVisible()) continue;
            for (QAbstractButton* button : box->buttons())
                if (button->text().toStdString() == button_) {
                    ++prompts;
                    title = box->text().toStdString();
                    button->click();
                    return;
                }
        }
    }

    std::string button_;
    QTimer timer_;
};

class Links : public ::testing::Test {
protected:
    ~Links() override { core::Bundle::setMain(nullptr); }

    void useInfo(core::Dictionary info)
    {
        bundle.setInfo(std::move(info));
        core::Bundle::setMain(bundle.shared());
    }

    std::string printedBy(void (*open)(ui::Workspace&))
    {
        ::testing::internal::CaptureStdout();
        open(ui::Workspace::shared());
        return ::testing::internal::GetCapturedStdout();
    }

    testsupport::TestBundle bundle;
    UrlCatcher catcher;
};

TEST_F(Links, MissingKeysArePrintedAndOpenNothing)
{
    useInfo(core::Dictionary{{"CFBundleName", "Snapper"}, {"CFBundleVersion", "1.2"}});
    EXPECT_EQ(printedBy(kestrane::openAppStorePage), "App appstore page is undefined\n");
    EXPECT_EQ(printedBy(kestrane::openAppWebsitePage), "App website page is undefined\n");
    EXPECT_EQ(printedBy(kestrane::openCompagnyAppStorePage), "Compagny appstore page is undefined\n");
    EXPECT_EQ(printedBy(kestrane::openCompagnyWebsitePage), "Compagny website page is undefined\n");
    EXPECT_EQ(printedBy(kestrane::contactCustomerSupport), "Customer support mail is undefined)\n");
    EXPECT_TRUE(catcher.urls.empty());
}

TEST_F(Links, PagesOpenFromTheirKeys)
{
    useInfo(core::Dictionary{{"CFBundleName", "Snapper"},
                             {"AppStore", "https://store.example.org/snapper"},
                             {"Website", "https://snapper.example.org/"},
                             {"CompagnyAppStore", "https://store.example.org/maker"},
                             {"CompagnyWebsite", "https://maker.example.org/"}});
    for (auto open : {kestrane::openAppStorePage, kestrane::openAppWebsitePage, kestrane::openCompagnyAppStorePage,
                      kestrane::openCompagnyWebsitePage})
        EXPECT_EQ(printedBy(open), "");
    ASSERT_EQ(catcher.urls.size(), 4u);
    EXPECT_EQ(catcher.urls[0], QUrl("https://store.example.org/snapper"));
    EXPECT_EQ(catcher.urls[1], QUrl("https://snapper.example.org/"));
    EXPECT_EQ(catcher.urls[2], QUrl("https://store.example.org/maker"));
    EXPECT_EQ(catcher.urls[3], QUrl("https://maker.example.org/"));
}

TEST_F(Links, SupportMailGoesToTheOneAddressWithAnEmptyBody)
{
    useInfo(core::Dictionary{{"CFBundleName", "Snapper"}, {"SupportMail", "help@example.org"}});
    EXPECT_EQ(printedBy(kestrane::contactCustomerSupport), "");
    ASSERT_EQ(catcher.urls.size(), 1u);
    const QUrl mail = catcher.urls[0];
    EXPECT_EQ(mail.scheme(), "mailto");
    EXPECT_EQ(mail.path(), "help@example.org");
    EXPECT_EQ(mail.query(QUrl::FullyDecoded), "subject=Question about Snapper") << "and no body";
}

// The prompt's state: a main bundle of a given version, a fixed clock, the rater's keys cleared.
class Rater : public Links {
protected:
    Rater()
    {
        setVersion("2.1");
        setNow(core::Date(800000000));
        Defaults->remove(kestrane::RaterWakeUpDateKey);
        Defaults->remove(kestrane::RaterRatedVersionKey);
        Defaults[kestrane::DidUpdatedVersionKey] = false;
    }
    ~Rater() override
    {
        core::Clock::setCurrent(nullptr);
        Defaults->remove(kestrane::RaterWakeUpDateKey);
        Defaults->remove(kestrane::RaterRatedVersionKey);
        Defaults->remove(kestrane::DidUpdatedVersionKey);
    }

    void setVersion(const std::string& version)
    {
        useInfo(core::Dictionary{
            {"CFBundleName", "Snapper"}, {"CFBundleVersion", version}, {"AppStore", "https://store.example.org/s"}});
    }
    void setNow(core::Date date) { core::Clock::setCurrent(std::make_shared<core::FixedClock>(date)); }

    // Runs showWindowIfNeed, answering with the button; whether a prompt showed.
    bool promptAnswering(const std::string& buttonKey)
    {
        PromptAnswerer answerer(kestrane::KestraneKit::local(buttonKey));
        AppRater::showWindowIfNeed();
        lastTitle = answerer.title;
        return answerer.prompts == 1;
    }

    std::string lastTitle;
};

TEST_F(Rater, RemindWaitsTwoDays)
{
    const core::Date start(800000000);
    ASSERT_TRUE(promptAnswering("ApplicationRater.RemindButton")) << "never asked: the wake-up date is yesterday";
    EXPECT_EQ(lastTitle, "Do you enjoy Snapper?");
    const auto wakeUp = Defaults[kestrane::RaterWakeUpDateKey].date();
    ASSERT_TRUE(wakeUp);
    EXPECT_EQ(*wakeUp, kestrane::add(core::Calendar::current(), 2, start));
    EXPECT_FALSE(Defaults[kestrane::RaterRatedVersionKey].object());
    EXPECT_TRUE(catcher.urls.empty());

    setNow(wakeUp->addingTimeInterval(-1));
    EXPECT_FALSE(promptAnswering("ApplicationRater.RemindButton"));
    setNow(*wakeUp);
    EXPECT_TRUE(promptAnswering("ApplicationRater.CancelButton"));
}

TEST_F(Rater, RateRecordsTheVersionAndOpensTheStorePage)
{
    ASSERT_TRUE(promptAnswering("ApplicationRater.RateButton"));
    EXPECT_EQ(Defaults[kestrane::RaterRatedVersionKey].doubleValue(), 2.001);
    ASSERT_EQ(catcher.urls.size(), 1u);
    EXPECT_EQ(catcher.urls[0], QUrl("https://store.example.org/s"));
    setNow(core::Date(900000000));
    EXPECT_FALSE(promptAnswering("ApplicationRater.RateButton")) << "done for this version";
    setVersion("2.2");
    EXPECT_TRUE(promptAnswering("ApplicationRater.CancelButton")) << "a new version asks again";
    EXPECT_EQ(Defaults[kestrane::RaterRatedVersionKey].doubleValue(), 2.002);
    EXPECT_EQ(catcher.urls.size(), 1u) << "cancel opens nothing";
}

TEST_F(Rater, StaysQuietOnTheLaunchOfAnUpdate)
{
    Defaults[kestrane::DidUpdatedVersionKey] = true;
    EXPECT_FALSE(promptAnswering("ApplicationRater.RateButton"));
    Defaults[kestrane::DidUpdatedVersionKey] = false;
    // A stored wake-up value that is not a date counts as yesterday; a rated number that differs counts as
    // not rated.
    Defaults[kestrane::RaterWakeUpDateKey] = "tomorrow";
    Defaults[kestrane::RaterRatedVersionKey] = 2.0010001;
    EXPECT_TRUE(promptAnswering("ApplicationRater.RemindButton"));
}

}  // namespace
