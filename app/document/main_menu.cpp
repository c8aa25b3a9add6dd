#include "app/document/main_menu.h"
#include "app/document/interface_builder.h"

#include <initializer_list>

#include "platform/ui/event.h"
#include "platform/ui/menu_item.h"

namespace vistrel {

namespace {

// One entry: its text's key in the main bundle's table, its command, its key and the modifiers with it
// (command, that is Ctrl, unless said otherwise). An empty key is a separator.
struct Entry {
    const char* titleKey;
    const char* action = "";
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
        auto item = menu->addItem(interfaceText(entry.titleKey), entry.byImageFormat ? "" : entry.action, "");
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
                          {"Menu.Edit.Copy", "copySelectedItem:"},
                          {""},
                          {"Menu.File.ExportSelection", "exportAsImage:", "", 0, true},
                          {"Menu.File.ExportAllAsGIF", "exportAllAsGIF:"},
                          {""},
                          {"Menu.Edit.SelectAll", "selectAll:"},
                          {"Menu.Edit.DeselectAll", "deselectAll:"},
                          {""},
                          {"Menu.Edit.RemoveSelection", "removeSelection:"},
                      });
}

std::shared_ptr<ui::Menu> makeMainMenu()
{
    auto main = core::make<ui::Menu>("Vistrel");
    main->addItem(submenu("Menu.File", {
                                           {"Menu.File.Open", "openDocument:", "o"},
                                           {""},
                                           {"Menu.File.Close", "performClose:", "w"},
                                           {""},
                                           {"Menu.File.ExportSelection", "exportAsImage:", "e", ui::ModifierFlags::command, true},
                                           {"Menu.File.ExportAll", "exportAllAsImage:", "e", shifted, true},
                                           {"Menu.File.ExportAllAsGIF", "exportAllAsGIF:", "g", shifted},
                                           {""},
                                           {"Menu.File.Quit", "terminate:", "q"},
                                       }));
    main->addItem(submenu("Menu.Edit", {
                                           {"Menu.Edit.Copy", "copySelectedItem:", "c"},
                                           {""},
                                           {"Menu.Edit.SelectAll", "selectAll:", "a"},
                                           {"Menu.Edit.DeselectAll", "deselectAll:", "a", shifted},
                                           {"Menu.Edit.RemoveSelection", "removeSelection:", "\b"},
                                           {"Menu.Edit.RemoveAll", "removeAll:", "\b", shifted},
                                           {""},
                                           {"Menu.Edit.Preferences", "showPreferencesWindow:", ","},
                                       }));
    main->addItem(submenu("Menu.View", {
                                           {"Menu.View.Snap", "snapImage:", "\r", plain},
                                           {"Menu.View.Generate", "showGeneratorPopover:", "g"},
                                           {"Menu.View.Share", "showShareMenu:"},
                                           {""},
                                           {"Menu.View.PlayPause", "playPause:"},
                                           {"Menu.View.PreviousFrame", "seekPreviousFrame:"},
                                           {"Menu.View.NextFrame", "seekNextFrame:"},
                                           {"Menu.View.ToStart", "seekToStart:"},
                                           {"Menu.View.ToEnd", "seekToEnd:"},
                                           {"Menu.View.ClipStart", "setClipStart:"},
                                           {"Menu.View.ClipEnd", "setClipEnd:"},
                                           {""},
                                           {"Menu.View.RotateLeft", "rotateLeft:", "l"},
                                           {"Menu.View.RotateRight", "rotateRight:", "r"},
                                           {"Menu.View.FlipHorizontally", "flipHorizontally:"},
                                           {"Menu.View.FlipVertically", "flipVertically:"},
                                           {""},
                                           {"Menu.View.Mute", "toogleVolume:"},
                                       }));
    main->addItem(submenu("Menu.Window", {
                                             {"Menu.Window.Minimize", "performMiniaturize:", "m"},
                                             {""},
                                             {"Menu.Window.Batch", "showBatchWindow:", "b"},
                                         }));
    main->addItem(submenu("Menu.Help", {
                                           {"Menu.Help.Welcome", "showWelcomeWindow:"},
                                           {"Menu.Help.Website", "showWebsite:"},
                                           {"Menu.Help.Support", "askForHelp:"},
                                       }));
    return main;
}

}  // namespace vistrel
