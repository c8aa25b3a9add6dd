#include "app/batch/preferences_manual_view_controller.h"

#include "app/document/defaults_keys.h"
#include "app/document/interface_builder.h"
#include "appkit/image_extensions.h"
#include "platform/ui/defaults_binding.h"
#include "platform/ui/interface_registry.h"

namespace vistrel {

namespace {

constexpr double labelWidth = 230;
constexpr double controlX = 20 + labelWidth + 10;

void build(const std::shared_ptr<core::Object>& object)
{
    auto pane = std::dynamic_pointer_cast<PreferencesManualViewController>(object);
    if (!pane) return;
    auto view = core::make<ui::View>(gfx::Rect{0, 0, 460, 200});
    InterfaceBuilder b(view);
    const unsigned pinned = ui::AutoresizingMask::maxXMargin | ui::AutoresizingMask::minYMargin;
    ui::bindToDefaults(b.checkBox({20, 160, 420, 22}, pinned, "PreferencesManual.FlashAnimation", nullptr, {}),
                       EnableFlashAnimationKey);
    ui::bindToDefaults(b.checkBox({20, 132, 420, 22}, pinned, "PreferencesManual.FlashSound", nullptr, {}),
                       EnableFlashSoundKey);
    b.label({20, 98, labelWidth, 20}, pinned, "PreferencesManual.TimeLapseInterval");
    ui::bindToDefaults(b.numberField({controlX, 96, 90, 24}, pinned, 0.01, 60, true, nullptr, {}),
                       TimeLapseIntervalKey);
    b.label({20, 64, labelWidth, 20}, pinned, "PreferencesManual.TimeLapseMaxSize");
    ui::bindToDefaults(b.numberField({controlX, 62, 90, 24}, pinned, 0, 100000, false, nullptr, {}),
                       TimeLapseMaxSizeKey);
    b.label({20, 30, labelWidth, 20}, pinned, "PreferencesManual.PreferredImageFormat");
    ui::bindToDefaults(b.popUp({controlX, 26, 120, 26}, pinned, {"PNG", "JPEG", "TIFF"}, nullptr, {}),
                       PreferredImageFormatKey);
    pane->setView(view);
}

}  // namespace

PreferencesManualViewController::PreferencesManualViewController(const std::string& nibName)
    : PreferencesPaneViewController(nibName, "ManualPreferencesIdentifier", interfaceText("PreferencesManualVC.Title"),
                                    interfaceText("PreferencesManualVC.ToolTip"),
                                    kestrane::Picture::preferencesGeneralImage())
{
    if (!ui::InterfaceRegistry::contains(PreferencesManualInterface))
        ui::InterfaceRegistry::add(PreferencesManualInterface, build);
}

}  // namespace vistrel
