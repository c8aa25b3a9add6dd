#include "app/batch/preferences_batch_view_controller.h"

#include "app/batch/naming_template_check.h"
#include "app/document/defaults_keys.h"
#include "app/document/interface_builder.h"
#include "appkit/image_extensions.h"
#include "foundation/shortcuts.h"
#include "moviekit/image_namer.h"
#include "platform/ui/defaults_binding.h"
#include "platform/ui/interface_registry.h"

namespace vistrel {

namespace {

constexpr ui::ActionName restoreOutputNameAction{"restoreOutputName:"};

void build(const std::shared_ptr<core::Object>& object)
{
    auto pane = std::dynamic_pointer_cast<PreferencesBatchViewController>(object);
    if (!pane) return;
    PreferencesBatchOutlets outlets;
    auto view = core::make<ui::View>(gfx::Rect{0, 0, 680, 320});
    InterfaceBuilder b(view);
    const unsigned pinned = ui::AutoresizingMask::maxXMargin | ui::AutoresizingMask::minYMargin;
    b.label({20, 286, 640, 20}, pinned, "PreferencesBatch.OutputName");
    // Two lines: a long template wraps instead of hiding its end.
    auto output = b.add<ui::TokenField>({20, 230, 640, 52}, pinned);
    output->setKnownTokens(orvalis::ImageNamer::AllMarkups());
    output->setEditCheck([](const std::vector<std::string>& markups) { return namingTemplateProblem(markups); });
    ui::bindToDefaults(output, BatchOutputMarkupsKey);
    outlets.outputFormatTokenField = output;
    auto problem = b.label({20, 188, 640, 38}, pinned);
    problem->setTextColor(gfx::Color::red());
    problem->setHidden(true);
    outlets.templateProblemLabel = problem;
    std::weak_ptr<ui::TokenField> weakOutput = output;
    std::weak_ptr<ui::TextField> weakProblem = problem;
    output->setEditHandler([weakOutput, weakProblem] {
        auto field = weakOutput.lock();
        auto label = weakProblem.lock();
        if (!field || !label) return;
        label->setStringValue(field->editProblem());
        label->setHidden(field->editProblem().empty());
    });
    b.label({20, 162, 640, 20}, pinned, "PreferencesBatch.AllMarkups");
    auto all = b.add<ui::TokenField>({20, 96, 640, 62}, pinned);
    all->setEditable(false);
    outlets.allMarkupsTokenField = all;
    b.button({20, 56, 180, 30}, pinned, "PreferencesBatch.Restore", pane, restoreOutputNameAction);
    b.label({20, 18, 200, 20}, pinned, "PreferencesBatch.AlertUserType");
    ui::bindToDefaults(
        b.popUp({210, 14, 230, 26}, pinned,
                {interfaceText("PreferencesBatch.AlertNone"), interfaceText("PreferencesBatch.AlertNotification"),
                 interfaceText("PreferencesBatch.AlertAttention")},
                nullptr, {}),
        BatchAlertUserTypeKey);
    pane->setOutlets(outlets);
    pane->setView(view);
    pane->awakeFromNib();
}

}  // namespace

PreferencesBatchViewController::PreferencesBatchViewController(const std::string& nibName)
    : PreferencesPaneViewController(nibName, "BatchPreferencesIdentifier", interfaceText("PreferencesBatchVC.Title"),
                                    interfaceText("PreferencesBatchVC.ToolTip"),
                                    kestrane::Picture::preferencesGeneralImage())
{
    if (!ui::InterfaceRegistry::contains(PreferencesBatchInterface))
        ui::InterfaceRegistry::add(PreferencesBatchInterface, build);
}

void PreferencesBatchViewController::awake()
{
    ViewController::awake();
    registerCommand(restoreOutputNameAction, &PreferencesBatchViewController::restoreOutputName);
}

void PreferencesBatchViewController::awakeFromNib()
{
    if (auto field = outlets_.allMarkupsTokenField.lock()) {
        field->setKnownTokens(orvalis::ImageNamer::AllMarkups());
        field->setTokens(orvalis::ImageNamer::AllMarkups());
    }
}

void PreferencesBatchViewController::restoreOutputName(const std::shared_ptr<core::Object>&)
{
    core::Array markups;
    for (const std::string& markup : orvalis::ImageNamer::DefaultMarkups())
        markups.emplace_back(markup);
    kestrane::Defaults[BatchOutputMarkupsKey] = markups;
    // A failure to write the settings is told to the user by the defaults themselves.
    static_cast<void>(kestrane::Defaults->synchronize());
}

}  // namespace vistrel
