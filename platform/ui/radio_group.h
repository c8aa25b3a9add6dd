// A column of radio buttons of which one is on; pressing another selects it and sends the action. Each row
// has a title and a tag. Main thread only.
#pragma once

#include <vector>

#include "platform/ui/control.h"

namespace ui {

class RadioGroup : public Control {
public:
    explicit RadioGroup(const gfx::Rect& frame = {});
    void awake() override;

    void setTitles(const std::vector<std::string>& titles);
    long numberOfRows() const { return long(rows_.size()); }
    std::string titleOfRow(long row) const;
    long tagOfRow(long row) const;
    void setTag(long tag, long row);
    // −1 when none is on.
    long selectedRow() const;
    long selectedTag() const;
    void selectCellAtRow(long row);
    bool selectCellWithTag(long tag);
    // Presses a row as the user does.
    void pressRow(long row);

protected:
    void valueDidChange() override;

private:
    struct Row {
        std::string title;
        long tag = 0;
    };
    void rebuild();

    std::vector<Row> rows_;
};

}  // namespace ui
