#include "app/batch/preferences_batch_view_controller.h"

#include "app/document/interface_builder.h"
#include "app/document/defaults_keys.h"
#include "appkit/image_extensions.h"
#include "foundation/shortcuts.h"
#include "moviekit/image_namer.h"
#include "platform/ui/defaults_binding.h"
#include "platform/ui/interface_registry.h"

namespace vistrel {

namespace {

void build(const std::shared_ptr<core::Object>& object)
{
    auto pane = std::dynamic_pointer_cast<PreferencesBatchViewController>(object);
    if (!pane) return;
    auto view = core::make<ui::View>(gfx::Rect{0, 0, 680, 210});
    InterfaceBuilder b(view);
    const unsigned pinned = ui::AutoresizingMask::maxXMargin | ui::AutoresizingMask::minYMargin;
    b.label({20, 176, 640, 20}, pinned, "PreferencesBatch.OutputName");
    auto output = b.add<ui::TokenField>({20, 148, 640, 24}, pinned);
    ui::bindToDefaults(output, BatchOutputMarkupsKey);
    pane->outputFormatTokenField = output;
    b.label({20, 116, 640, 20}, pinned, "PreferencesBatch.AllMarkups");
    auto all = b.add<ui::TokenField>({20, 88, 640, 24}, pinned);
    all->setEditable(false);
    pane->allMarkupsTokenField = all;
    b.button({20, 50, 180, 30}, pinned, "PreferencesBatch.Restore", pane, "restoreOutputName:");
    b.label({20, 18, 200, 20}, pinned, "PreferencesBatch.AlertUserType");
    ui::bindToDefaults(b.popUp({210, 14, 230, 26}, pinned,
                               {interfaceText("PreferencesBatch.AlertNone"),
                                interfaceText("PreferencesBatch.AlertNotification"),
                                interfaceText("PreferencesBatch.AlertAttention")},
                               nullptr, {}),
                       BatchAlertUserTypeKey);
    pane->setView(view);
    pane->awakeFromNib();
}

} // namespace

PreferencesBatchViewController::PreferencesBatchViewController(const std::string& nibName)
    : ui::ViewController(nibName), identifier_("BatchPreferencesIdentifier"),
      title_(interfaceText("PreferencesBatchVC.Title")),
      toolTip_(interfaceText("PreferencesBatchVC.ToolTip")),
      icon_(kestrane::Picture::preferencesGeneralImage())
{
    registerAction("restoreOutputName:",
                   [this](const std::shared_ptr<core::Object>& sender) { restoreOutputName(sender); });
    if (!ui::InterfaceRegistry::contains(PreferencesBatchInterface))
        ui::InterfaceRegistry::add(PreferencesBatchInterface, build);
}

void PreferencesBatchViewController::awakeFromNib()
{
    std::string joined;
    for (const std::string& markup : orvalis::ImageNamer::AllMarkups())
        joined += (joined.empty() ? "" : ",") + markup;
    if (auto field = allMarkupsTokenField.lock()) field->setStringValue(joined);
}

void PreferencesBatchViewController::restoreOutputName(const std::shared_ptr<core::Object>&)
{
    core::Array markups;
    for (const std::string& markup : orvalis::ImageNamer::DefaultMarkups())
        markups.emplace_back(markup);
    kestrane::Defaults[BatchOutputMarkupsKey] = markups;
    kestrane::Defaults->synchronize();
}

} // namespace vistrel
