// Asks the user for a file to write: a folder, a name and the allowed file types, run modally or as a sheet.
// Responds ok (1) with url() set, or cancel (0). Main thread only.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/core/object.h"
#include "platform/core/url.h"
#include "platform/ui/modal_response.h"

namespace ui {

class Window;

class SavePanel : public core::Object {
public:
    struct Impl;
    SavePanel();
    ~SavePanel() override;

    std::string title() const { return title_; }
    void setTitle(const std::string& title) { title_ = title; }
    std::string message() const { return message_; }
    void setMessage(const std::string& message) { message_ = message; }
    // The text of the button that accepts.
    std::string prompt() const { return prompt_; }
    void setPrompt(const std::string& prompt) { prompt_ = prompt; }
    std::string nameFieldStringValue() const { return name_; }
    void setNameFieldStringValue(const std::string& name) { name_ = name; }
    std::optional<core::Url> directoryURL() const { return directory_; }
    void setDirectoryURL(const std::optional<core::Url>& url) { directory_ = url; }
    // Extensions without the dot; empty allows any.
    const std::vector<std::string>& allowedFileTypes() const { return types_; }
    void setAllowedFileTypes(const std::vector<std::string>& types) { types_ = types; }
    bool allowsOtherFileTypes() const { return allowsOthers_; }
    void setAllowsOtherFileTypes(bool allows) { allowsOthers_ = allows; }
    // The names of the filters of the allowed types ("Movies") and of any file ("All files"), shown before
    // their patterns; empty shows the patterns alone.
    std::string allowedFileTypesTitle() const { return typesTitle_; }
    void setAllowedFileTypesTitle(const std::string& title) { typesTitle_ = title; }
    std::string otherFileTypesTitle() const { return othersTitle_; }
    void setOtherFileTypesTitle(const std::string& title) { othersTitle_ = title; }
    // When set, the panel starts in the folder kept in the user defaults under this key (if it still exists;
    // else in directoryURL) and, once it closes with ok, keeps there the folder it was showing.
    std::string directoryDefaultsKey() const { return directoryKey_; }
    void setDirectoryDefaultsKey(const std::string& key) { directoryKey_ = key; }
    bool canCreateDirectories() const { return canCreateDirectories_; }
    void setCanCreateDirectories(bool can) { canCreateDirectories_ = can; }

    // The first chosen file; nullopt before an ok response.
    std::optional<core::Url> url() const;
    // Every chosen file or folder.
    std::vector<core::Url> urls() const { return urls_; }

    ModalResponse runModal();
    // Shows the panel over `window` and returns at once; `completion` runs after it closed.
    void beginSheetModal(const std::shared_ptr<Window>& window, std::function<void(ModalResponse)> completion);
    // Ends a panel that is showing as the cancel button does.
    void cancel();

    Impl& impl() { return *impl_; }

protected:
    // Sets the Qt dialog up (in the .cpp); the open panel adds its own settings.
    virtual void configure();
    std::vector<core::Url> urls_;

private:
    // The folder the panel opens in: the kept one, else directoryURL.
    std::optional<std::string> startDirectory() const;
    // Keeps the folder the panel was showing at its ok under directoryDefaultsKey.
    void keepDirectory(const std::string& folder) const;

private:
    std::string title_;
    std::string message_;
    std::string prompt_;
    std::string name_;
    std::optional<core::Url> directory_;
    std::vector<std::string> types_;
    std::string typesTitle_;
    std::string othersTitle_;
    std::string directoryKey_;
    bool allowsOthers_ = false;
    bool canCreateDirectories_ = true;
    std::unique_ptr<Impl> impl_;
    friend class OpenPanel;
};

// Asks the user for files or folders to read.
class OpenPanel : public SavePanel {
public:
    bool canChooseFiles() const { return chooseFiles_; }
    void setCanChooseFiles(bool can) { chooseFiles_ = can; }
    bool canChooseDirectories() const { return chooseDirectories_; }
    void setCanChooseDirectories(bool can) { chooseDirectories_ = can; }
    bool allowsMultipleSelection() const { return multiple_; }
    void setAllowsMultipleSelection(bool allows) { multiple_ = allows; }

protected:
    void configure() override;

private:
    bool chooseFiles_ = true;
    bool chooseDirectories_ = false;
    bool multiple_ = false;
};

}  // namespace ui
