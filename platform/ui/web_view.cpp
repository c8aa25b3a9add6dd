#include "platform/ui/web_view.h"

#include <QTextBrowser>
#include <QUrl>

#include "platform/ui/detail/qt_view.h"
#include "platform/ui/workspace.h"

namespace ui {

namespace {

QTextBrowser* browserOf(const View& view)
{
    auto* host = static_cast<HostWidget*>(widgetOf(const_cast<View&>(view)));
    return host ? qobject_cast<QTextBrowser*>(host->fill()) : nullptr;
}

}  // namespace

void WebView::awake()
{
    View::awake();
    auto* browser = new QTextBrowser;
    browser->setOpenLinks(false);
    browser->setOpenExternalLinks(false);
    std::weak_ptr<WebView> weak = sharedAs<WebView>();
    QObject::connect(browser, &QTextBrowser::anchorClicked, [weak](const QUrl& url) {
        if (auto view = weak.lock()) view->activateLink(url.toString().toStdString());
    });
    static_cast<HostWidget*>(widgetOf(*this))->setFill(browser);
}

void WebView::loadHTMLString(const std::string& html, const std::optional<core::Url>& baseURL)
{
    base_ = baseURL;
    QTextBrowser* browser = browserOf(*this);
    if (!browser) return;
    if (baseURL) {
        QString folder = QString::fromStdString(baseURL->path());
        if (!folder.endsWith('/')) folder += '/';
        browser->setSearchPaths({folder});
        browser->document()->setBaseUrl(QUrl::fromLocalFile(folder));
    }
    browser->setHtml(QString::fromStdString(html));
}

void WebView::addScriptMessageHandler(const std::string& name, MessageHandler handler)
{
    handlers_[name] = std::move(handler);
}

void WebView::removeScriptMessageHandler(const std::string& name) { handlers_.erase(name); }

std::string WebView::plainText() const
{
    QTextBrowser* browser = browserOf(*this);
    return browser ? browser->toPlainText().toStdString() : std::string();
}

void WebView::activateLink(const std::string& href)
{
    const std::string prefix = "x-message:";
    if (href.compare(0, prefix.size(), prefix) == 0) {
        const std::string name = href.substr(prefix.size());
        auto found = handlers_.find(name);
        if (found == handlers_.end()) return;
        auto handler = found->second;  // the handler may close the view
        handler(name);
        return;
    }
    QUrl url(QString::fromStdString(href));
    if (url.isRelative() && base_) url = QUrl::fromLocalFile(QString::fromStdString(base_->path()) + "/").resolved(url);
    if (auto target = core::Url::fromString(url.toString(QUrl::FullyEncoded).toStdString()))
        Workspace::shared().openOrTell(*target);
}

}  // namespace ui
