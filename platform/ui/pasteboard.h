// The desktop's clipboard: data by type (MIME names: PNG is "image/png", file names "text/uri-list", text
// "text/plain"), file URLs, and items written together. Main thread only.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/core/data.h"
#include "platform/core/object.h"
#include "platform/core/url.h"
#include "platform/core/value.h"

namespace ui {

namespace PasteboardType {
inline const std::string png = "image/png";
inline const std::string tiff = "image/tiff";
inline const std::string fileURL = "text/uri-list";
inline const std::string string = "text/plain";
// The name older code uses for a list of file paths; the same as fileURL here.
inline const std::string filenames = "text/uri-list";
// An item of this type promises files, its data naming their content type (PNG, say): a drag writes them when
// it starts and carries them as file URLs; the type itself never leaves the program.
inline const std::string promisedFile = "application/x-promised-file-content-type";
}  // namespace PasteboardType

// Data of several types for one thing on the pasteboard.
class PasteboardItem : public core::Object {
public:
    void setData(const core::Data& data, const std::string& type);
    void setString(const std::string& text, const std::string& type);
    std::optional<core::Data> data(const std::string& type) const;
    std::vector<std::string> types() const;

private:
    std::vector<std::pair<std::string, core::Data>> entries_;
};

class Pasteboard : public core::Object {
public:
    static std::shared_ptr<Pasteboard> general();

    // Empties the pasteboard; returns the new change count.
    long clearContents();
    long changeCount() const { return changeCount_; }
    bool setData(const core::Data& data, const std::string& type);
    bool setString(const std::string& text, const std::string& type = PasteboardType::string);
    // Puts the items on the pasteboard together (their types merged, the first item's data winning).
    bool writeObjects(const std::vector<std::shared_ptr<PasteboardItem>>& items);
    bool setFileURLs(const std::vector<core::Url>& urls);

    std::optional<core::Data> data(const std::string& type) const;
    std::optional<std::string> string(const std::string& type = PasteboardType::string) const;
    std::vector<std::string> types() const;
    // The type's contents as a property list: for the file-name type the paths of the local files it names (a
    // list of strings), for other types their data read as an XML property list; nullopt when the pasteboard
    // does not hold the type or its data is no property list.
    std::optional<core::Value> propertyList(const std::string& type) const;
    // The local files named on the pasteboard, in order.
    std::vector<core::Url> fileURLs() const;
    // Their paths.
    std::vector<std::string> filenames() const;

private:
    long changeCount_ = 0;
};

}  // namespace ui
