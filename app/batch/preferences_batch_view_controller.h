// The batch pane of the preferences window: the template batch tasks name their image files from, edited as
// tokens and text and kept in the user defaults ("BatchOutputMarkups"; a template that cannot name files is
// refused there with the reason shown), every token the namer knows for reference, to drag in, a
// command that puts the default template back, and how the end of a batch is announced. Its interface is
// "PreferencesBatch". Main thread only.
#pragma once

#include <memory>
#include <string>

#include "appkit/preferences_pane_view_controller.h"
#include "platform/ui/text_field.h"
#include "platform/ui/token_field.h"

namespace vistrel {

inline const std::string PreferencesBatchInterface = "PreferencesBatch";

// The views of the batch pane that its controller uses; weak, for the pane's view holds them.
struct PreferencesBatchOutlets {
    std::weak_ptr<ui::TokenField> outputFormatTokenField;
    std::weak_ptr<ui::TokenField> allMarkupsTokenField;
    // Why the template being edited is refused; hidden while it is not.
    std::weak_ptr<ui::TextField> templateProblemLabel;
};

class PreferencesBatchViewController : public kestrane::PreferencesPaneViewController {
public:
    PreferencesBatchViewController() : PreferencesBatchViewController(PreferencesBatchInterface) {}
    explicit PreferencesBatchViewController(const std::string& nibName);
    // Registers the action below.
    void awake() override;

    // The views of the pane, set by the interface.
    const PreferencesBatchOutlets& outlets() const { return outlets_; }
    void setOutlets(const PreferencesBatchOutlets& outlets) { outlets_ = outlets; }

    // Once the interface is connected: every token of the namer, as tokens.
    void awakeFromNib();
    // The restore button's action: stores the default template; the template field follows the defaults.
    void restoreOutputName(const std::shared_ptr<core::Object>& sender);

private:
    PreferencesBatchOutlets outlets_;
};

}  // namespace vistrel
