#include "app/document/main_menu.h"
#include "app/document/interface_builder.h"

#include <initializer_list>

#include "app/document/app_controller_actions.h"
#include "app/document/document_actions.h"
#include "moviekit/movie_actions.h"
#include "platform/ui/application.h"
#include "platform/ui/event.h"
#include "platform/ui/menu_item.h"
#include "platform/ui/standard_actions.h"

namespace vistrel {

namespace {

// One entry: its text's key in the main bundle's table, its command, its key and the modifiers with it
// (command, that is Ctrl, unless said otherwise). An empty key is a separator.
struct Entry {
    const char* titleKey;
    ui::ActionName action{""};
    const char* key = "";
    std::uint64_t modifiers = ui::ModifierFlags::command;
    // A submenu of the image formats, its first item taking the key.
    bool byImageFormat = false;
};

constexpr std::uint64_t plain = 0;
constexpr std::uint64_t shifted = ui::ModifierFlags::command | ui::ModifierFlags::shift;

std::shared_ptr<ui::Menu> menuOf(const std::string& title, std::initializer_list<Entry> entries)
{
    auto menu = core::make<ui::Menu>(title);
    for (const Entry& entry : entries) {
        if (*entry.titleKey == '\0') {
            menu->addItem(ui::MenuItem::separator());
            continue;
        }
        const ui::Action action = entry.byImageFormat ? ui::Action() : ui::Action(entry.action);
        auto item = menu->addItem(interfaceText(entry.titleKey), action, "");
        if (entry.byImageFormat) {
            item->setSubmenu(makeImageFormatMenu(entry.action));
            item = item->submenu()->items().front();
        }
        if (*entry.key == '\0') continue;
        item->setKeyEquivalentModifierMask(entry.modifiers);
        item->setKeyEquivalent(entry.key);
    }
    return menu;
}

std::shared_ptr<ui::MenuItem> submenu(const std::string& titleKey, std::initializer_list<Entry> entries)
{
    auto holder = core::make<ui::MenuItem>(interfaceText(titleKey), "", "");
    holder->setSubmenu(menuOf(interfaceText(titleKey), entries));
    return holder;
}

}  // namespace

std::shared_ptr<ui::Menu> makeImageFormatMenu(const ui::Action& action)
{
    auto menu = core::make<ui::Menu>();
    long tag = 0;
    for (const char* key : {"Menu.File.Export.PNG", "Menu.File.Export.JPEG", "Menu.File.Export.TIFF"})
        menu->addItem(interfaceText(key), action, "")->setTag(tag++);
    return menu;
}

std::shared_ptr<ui::Menu> makeSnapsMenu()
{
    return menuOf("", {
                          {"Menu.Edit.Copy", actions::copySelectedItem},
                          {""},
                          {"Menu.File.ExportSelection", actions::exportAsImage, "", 0, true},
                          {"Menu.File.ExportAllAsGIF", actions::exportAllAsGIF},
                          {""},
                          {"Menu.Edit.SelectAll", ui::actions::selectAll},
                          {"Menu.Edit.DeselectAll", actions::deselectAll},
                          {""},
                          {"Menu.Edit.RemoveSelection", actions::removeSelection},
                      });
}

std::shared_ptr<ui::Menu> makeMainMenu()
{
    auto main = core::make<ui::Menu>("Vistrel");
    main->addItem(submenu(
        "Menu.File", {
                         {"Menu.File.Open", actions::openDocument, "o"},
                         {""},
                         {"Menu.File.Close", ui::actions::performClose, "w"},
                         {""},
                         {"Menu.File.ExportSelection", actions::exportAsImage, "e", ui::ModifierFlags::command, true},
                         {"Menu.File.ExportAll", actions::exportAllAsImage, "e", shifted, true},
                         {"Menu.File.ExportAllAsGIF", actions::exportAllAsGIF, "g", shifted},
                         {""},
                         {"Menu.File.Quit", ui::actions::terminate, "q"},
                     }));
    main->addItem(submenu("Menu.Edit", {
                                           {"Menu.Edit.Copy", actions::copySelectedItem, "c"},
                                           {""},
                                           {"Menu.Edit.SelectAll", ui::actions::selectAll, "a"},
                                           {"Menu.Edit.DeselectAll", actions::deselectAll, "a", shifted},
                                           {"Menu.Edit.RemoveSelection", actions::removeSelection, "\b"},
                                           {"Menu.Edit.RemoveAll", actions::removeAll, "\b", shifted},
                                           {""},
                                           {"Menu.Edit.Preferences", actions::showPreferencesWindow, ","},
                                       }));
    main->addItem(submenu("Menu.View", {
                                           {"Menu.View.Snap", actions::snapImage, "\r", plain},
                                           {"Menu.View.Generate", actions::showGeneratorPopover, "g"},
                                           {"Menu.View.Share", actions::showShareMenu},
                                           {""},
                                           {"Menu.View.PlayPause", orvalis::actions::playPause},
                                           {"Menu.View.PreviousFrame", orvalis::actions::seekPreviousFrame},
                                           {"Menu.View.NextFrame", orvalis::actions::seekNextFrame},
                                           {"Menu.View.ToStart", orvalis::actions::seekToStart},
                                           {"Menu.View.ToEnd", orvalis::actions::seekToEnd},
                                           {"Menu.View.ClipStart", orvalis::actions::setClipStart},
                                           {"Menu.View.ClipEnd", orvalis::actions::setClipEnd},
                                           {""},
                                           {"Menu.View.RotateLeft", orvalis::actions::rotateLeft, "l"},
                                           {"Menu.View.RotateRight", orvalis::actions::rotateRight, "r"},
                                           {"Menu.View.FlipHorizontally", orvalis::actions::flipHorizontally},
                                           {"Menu.View.FlipVertically", orvalis::actions::flipVertically},
                                           {""},
                                           {"Menu.View.Mute", orvalis::actions::toogleVolume},
                                       }));
    auto window = submenu("Menu.Window", {
                                             {"Menu.Window.Minimize", ui::actions::performMiniaturize, "m"},
                                             {""},
                                             {"Menu.Window.Batch", actions::showBatchWindow, "b"},
                                         });
    main->addItem(window);
    ui::Application::shared()->setWindowsMenu(window->submenu());
    main->addItem(submenu("Menu.Help", {
                                           {"Menu.Help.Welcome", actions::showWelcomeWindow},
                                           {"Menu.Help.Website", actions::showWebsite},
                                           {"Menu.Help.Support", actions::askForHelp},
                                       }));
    return main;
}

}  // namespace vistrel
