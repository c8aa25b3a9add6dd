#include "platform/ui/pasteboard.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QUrl>

#include "platform/core/main_thread.h"
#include "platform/core/property_list.h"

namespace ui {

namespace {

QByteArray bytesOf(const core::Data& data)
{
    return QByteArray(reinterpret_cast<const char*>(data.data()), qsizetype(data.size()));
}

core::Data dataOf(const QByteArray& bytes) { return core::Data(bytes.begin(), bytes.end()); }

QClipboard* clipboard()
{
    return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) ? QGuiApplication::clipboard() : nullptr;
}

// Adds `data` of `type` to what the clipboard holds.
bool addToClipboard(const std::string& type, const core::Data& data)
{
    QClipboard* board = clipboard();
    if (!board) return false;
    auto* mime = new QMimeData;
    if (const QMimeData* current = board->mimeData())
        for (const QString& format : current->formats())
            mime->setData(format, current->data(format));
    mime->setData(QString::fromStdString(type), bytesOf(data));
    board->setMimeData(mime);
    return true;
}

}  // namespace

void PasteboardItem::setData(const core::Data& data, const std::string& type)
{
    for (auto& entry : entries_)
        if (entry.first == type) {
            entry.second = data;
            return;
        }
    entries_.push_back({type, data});
}

void PasteboardItem::setString(const std::string& text, const std::string& type)
{
    setData(core::dataFromString(text), type);
}

std::optional<core::Data> PasteboardItem::data(const std::string& type) const
{
    for (auto& entry : entries_)
        if (entry.first == type) return entry.second;
    return std::nullopt;
}

std::vector<std::string> PasteboardItem::types() const
{
    std::vector<std::string> result;
    for (auto& entry : entries_)
        result.push_back(entry.first);
    return result;
}

std::shared_ptr<Pasteboard> Pasteboard::general()
{
    core::assertMainThread();
    static auto pasteboard = core::make<Pasteboard>();
    return pasteboard;
}

long Pasteboard::clearContents()
{
    core::assertMainThread();
    if (QClipboard* board = clipboard()) board->setMimeData(new QMimeData);
    return ++changeCount_;
}

bool Pasteboard::setData(const core::Data& data, const std::string& type)
{
    core::assertMainThread();
    return addToClipboard(type, data);
}

bool Pasteboard::setString(const std::string& text, const std::string& type)
{
    core::assertMainThread();
    return setData(core::dataFromString(text), type);
}

bool Pasteboard::writeObjects(const std::vector<std::shared_ptr<PasteboardItem>>& items)
{
    core::assertMainThread();
    QClipboard* board = clipboard();
    if (!board) return false;
    auto* mime = new QMimeData;
    if (const QMimeData* current = board->mimeData())
        for (const QString& format : current->formats())
            mime->setData(format, current->data(format));
    for (auto it = items.rbegin(); it != items.rend(); ++it)
        for (auto& type : (*it)->types())
            mime->setData(QString::fromStdString(type), bytesOf(*(*it)->data(type)));
    board->setMimeData(mime);
    return true;
}

bool Pasteboard::setFileURLs(const std::vector<core::Url>& urls)
{
    core::assertMainThread();
    std::string list;
    for (auto& url : urls)
        list += url.absoluteString() + "\r\n";
    return setString(list, PasteboardType::fileURL);
}

std::optional<core::Data> Pasteboard::data(const std::string& type) const
{
    core::assertMainThread();
    QClipboard* board = clipboard();
    const QMimeData* mime = board ? board->mimeData() : nullptr;
    const QString format = QString::fromStdString(type);
    if (!mime || !mime->hasFormat(format)) return std::nullopt;
    return dataOf(mime->data(format));
}

std::optional<std::string> Pasteboard::string(const std::string& type) const
{
    core::assertMainThread();
    auto bytes = data(type);
    if (!bytes) return std::nullopt;
    return std::string(bytes->begin(), bytes->end());
}

std::vector<std::string> Pasteboard::types() const
{
    core::assertMainThread();
    std::vector<std::string> result;
    QClipboard* board = clipboard();
    if (const QMimeData* mime = board ? board->mimeData() : nullptr)
        for (const QString& format : mime->formats())
            result.push_back(format.toStdString());
    return result;
}

std::optional<core::Value> Pasteboard::propertyList(const std::string& type) const
{
    auto bytes = data(type);
    if (!bytes) return std::nullopt;
    if (type == PasteboardType::filenames) {
        core::Array paths;
        for (auto& path : filenames())
            paths.push_back(path);
        return core::Value(paths);
    }
    return core::PropertyList::read(*bytes);
}

std::vector<core::Url> Pasteboard::fileURLs() const
{
    core::assertMainThread();
    std::vector<core::Url> urls;
    QClipboard* board = clipboard();
    const QMimeData* mime = board ? board->mimeData() : nullptr;
    if (!mime || !mime->hasUrls()) return urls;
    for (const QUrl& url : mime->urls())
        if (url.isLocalFile()) urls.push_back(core::Url::fileURL(url.toLocalFile().toStdString()));
    return urls;
}

std::vector<std::string> Pasteboard::filenames() const
{
    std::vector<std::string> paths;
    for (auto& url : fileURLs())
        paths.push_back(url.path());
    return paths;
}

}  // namespace ui
