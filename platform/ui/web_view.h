// Shows a page of simple HTML (HTML 4, CSS 2, no script) with its pictures and style sheets taken from a
// base folder. A link "x-message:<name>" calls the message handler of that name; other links open in the
// desktop's applications. Main thread only.
#pragma once

#include <functional>
#include <map>
#include <optional>
#include <string>

#include "platform/core/url.h"
#include "platform/ui/view.h"

namespace ui {

class WebView : public View {
public:
    using MessageHandler = std::function<void(const std::string& name)>;

    using View::View;
    void awake() override;

    void loadHTMLString(const std::string& html, const std::optional<core::Url>& baseURL);
    void addScriptMessageHandler(const std::string& name, MessageHandler handler);
    void removeScriptMessageHandler(const std::string& name);
    // The page's text without its markup.
    std::string plainText() const;
    // Follows a link as a click on it does.
    void activateLink(const std::string& href);

private:
    std::map<std::string, MessageHandler> handlers_;
    std::optional<core::Url> base_;
};

}  // namespace ui
