// The GIF sheet: the frames of an animated GIF in their order (a table of their positions and times and a
// preview of the frame shown), buttons that step through the frames, move the selected one up or down and
// remove it, the frame delay and the largest frame size (kept in the user defaults that the GIF writing
// reads), and a save panel for the file. It writes nothing: it keeps the chosen file, ends its sheet with 1
// when a file was chosen and 0 otherwise, and then empties its list. Main thread only.
#pragma once

#include <any>
#include <memory>
#include <optional>
#include <string>

#include "app/document/snap_item.h"
#include "appkit/layered_image_view.h"
#include "platform/core/url.h"
#include "platform/ui/stepper.h"
#include "platform/ui/table_view.h"
#include "platform/ui/text_field.h"
#include "platform/ui/window_controller.h"

namespace vistrel {

// The views of the GIF sheet that its controller uses; weak, for the window holds them.
struct GIFExporterOutlets {
    std::weak_ptr<ui::TableView> tableView;
    std::weak_ptr<kestrane::LayeredImageView> imageView;
    std::weak_ptr<ui::TextField> frameField;
    std::weak_ptr<ui::TextField> frameDelayField;
    std::weak_ptr<ui::TextField> frameSizeField;
    std::weak_ptr<ui::Stepper> frameDelayStepper;
};

class GIFExporterController : public ui::WindowController, public ui::TableDataSource, public ui::TableDelegate {
public:
    static constexpr const char* windowInterface = "GIFExportPanel";
    // The identifiers of the table's two columns.
    static constexpr const char* indexColumn = "Index";
    static constexpr const char* timeColumn = "Time";

    // The controller of the interface "GIFExportPanel", its window loaded at once.
    static std::shared_ptr<GIFExporterController> create();
    GIFExporterController();
    explicit GIFExporterController(std::shared_ptr<ui::Window> window);
    // Makes the actions performable.
    void awake() override;

    // The frames in GIF order. Every assignment, and every move or removal, shows the first frame again.
    const SnapItems& snapItems() const { return snapItems_; }
    void setSnapItems(SnapItems items);
    // What the two fields hold: seconds, and pixels (0: any size).
    double frameDelay() const;
    long frameSize() const;
    const std::optional<std::string>& saveName() const { return saveName_; }
    void setSaveName(const std::optional<std::string>& name) { saveName_ = name; }
    // The file chosen in the save panel; none after a cancel.
    const std::optional<core::Url>& fileURL() const { return fileURL_; }
    // Whether a file was at fileURL when the save panel ended: the panel asked, and the user chose to replace it.
    bool replacesFile() const { return replacesFile_; }
    // The index of the frame shown.
    std::optional<std::size_t> currentIndex() const { return currentIndex_; }

    // Actions of the sheet's buttons.
    void showPreviousFrame(const std::shared_ptr<core::Object>& sender);
    void showNextFrame(const std::shared_ptr<core::Object>& sender);
    void moveUpItem(const std::shared_ptr<core::Object>& sender);
    void moveDownItem(const std::shared_ptr<core::Object>& sender);
    void deleteItem(const std::shared_ptr<core::Object>& sender);
    void cancelExportation(const std::shared_ptr<core::Object>& sender);
    void validateExportation(const std::shared_ptr<core::Object>& sender);

    // The table: one row per frame, its position from 1 and its time.
    long numberOfRowsInTableView(ui::TableView& table) override;
    std::any objectValueFor(ui::TableView& table, const std::shared_ptr<ui::TableColumn>& column, long row) override;
    void tableViewSelectionDidChange(ui::TableView& table) override;

    // The views of the sheet, set by the interface.
    const GIFExporterOutlets& outlets() const { return outlets_; }
    void setOutlets(const GIFExporterOutlets& outlets) { outlets_ = outlets; }

private:
    // Shows the frame at currentIndex: its position, its row selected and its miniature.
    void updateFrame();
    void reset();
    // Moves the selected frame one place by `mover`; beeps without frames or without a selected row.
    void moveSelected(bool (*mover)(SnapItems&, std::ptrdiff_t), long step);
    // The sheet ends with the code; the list is emptied afterwards.
    void endSheet(long returnCode);
    void savePanelDidEnd(bool ok, const std::optional<core::Url>& url);

    GIFExporterOutlets outlets_;
    SnapItems snapItems_;
    std::optional<std::string> saveName_;
    std::optional<core::Url> fileURL_;
    bool replacesFile_ = false;
    std::optional<std::size_t> currentIndex_;
};

}  // namespace vistrel
