// The program's menus against the responders that perform their commands: with a document's window key and
// the application's controller as the application's delegate, every item's action has a performer.
#include "tests/app/document_fixture.h"

#include "app/document/app_controller.h"
#include "app/document/main_menu.h"
#include "platform/ui/application.h"
#include "platform/ui/menu.h"
#include "platform/ui/menu_item.h"
#include "platform/ui/window.h"

namespace documenttest {
namespace {

using MainMenu = DocumentTest;

// The actions of the menu's items and of their submenus' items.
void collectActions(const ui::Menu& menu, std::vector<ui::Action>& actions)
{
    for (const auto& item : menu.items()) {
        if (!item->action().empty()) actions.push_back(item->action());
        if (item->submenu()) collectActions(*item->submenu(), actions);
    }
}

TEST_F(MainMenu, EveryCommandOfTheMenusHasAResponderThatPerformsIt)
{
    auto document = open(clipMovie());
    ASSERT_TRUE(document);
    document->outlets().mainWindow.lock()->makeKeyAndOrderFront(nullptr);
    auto application = ui::Application::shared();
    const auto previousDelegate = application->delegate();
    const auto controller = core::make<vistrel::AppController>();
    application->setDelegate(controller);

    std::vector<ui::Action> actions;
    collectActions(*vistrel::makeMainMenu(), actions);
    collectActions(*vistrel::makeSnapsMenu(), actions);
    EXPECT_GT(actions.size(), 30u);
    for (const auto& action : actions)
        EXPECT_TRUE(application->targetForAction(action)) << action;
    application->setDelegate(previousDelegate);
}

}  // namespace
}  // namespace documenttest
