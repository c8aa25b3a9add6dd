// The preferences window: titled, closable and miniaturizable but not resizable, its frame kept under one
// autosave name, hidden and closed by the Escape key. Main thread only.
#pragma once
#include "platform/ui/window.h"
#include <string>

namespace kestrane {

inline const std::string PreferencesPanelWindowFrameAutosaveName = "PreferencesWindowFrameAutosaveName";

class PreferencesPanelWindow : public ui::Window {
public:
    // The default frame and style; the saved frame, when there is one, and the localised title.
    PreferencesPanelWindow();
    PreferencesPanelWindow(const gfx::Rect& contentRect, unsigned styleMask) : Window(contentRect, styleMask) {}
    void awake() override;
    // 420 × 400 at the middle of the main screen; at (0, 0) without a screen.
    static gfx::Rect defaultWindowFrame();
    static unsigned defaultWindowSytleMask();
    void keyDown(const ui::Event& event) override;

private:
    bool madeByDefault_ = false;
};

}  // namespace kestrane
