#include "platform/core/data.h"

#include <QByteArray>
#include <QFile>
#include <QStringDecoder>
#include <filesystem>

#include "platform/core/unpublished_file.h"
#include "platform/core/url.h"

namespace core {

Data dataFromString(const std::string& text)
{
    return Data(text.begin(), text.end());
}

std::optional<Data> readData(const std::string& path)
{
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) return std::nullopt;
    return Data(bytes.begin(), bytes.end());
}

std::optional<std::string> readUTF8(const std::string& path)
{
    auto bytes = readData(path);
    if (!bytes) return std::nullopt;
    QStringDecoder decoder(QStringDecoder::Utf8);
    const QByteArrayView view(reinterpret_cast<const char*>(bytes->data()), qsizetype(bytes->size()));
    const QString text = decoder.decode(view);
    if (decoder.hasError()) return std::nullopt;
    return text.toStdString();
}

std::filesystem::path followingLinks(const std::filesystem::path& path)
{
    namespace fs = std::filesystem;
    fs::path target = path;
    for (int hops = 0; hops < 40; ++hops) {
        std::error_code error;
        if (!fs::is_symlink(fs::symlink_status(target, error))) return target;
        const fs::path next = fs::read_symlink(target, error);
        if (error) return target;
        target = next.is_absolute() ? next : target.parent_path() / next;
    }
    return path;
}

bool writeAtomically(const Data& data, const std::string& path)
{
    if (path.empty()) return false;
    const std::filesystem::path target = followingLinks(path);
    auto file = UnpublishedFile::create(target.parent_path().string(), target.filename().string());
    return file && file->write(data) && file->publishReplacing(target.string());
}

bool writeAtomically(const Data& data, const Url& url)
{
    return url.isFileURL() && writeAtomically(data, url.path());
}

}  // namespace core
