#include "platform/core/data.h"

#include <QByteArray>
#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>

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

bool writeAtomically(const Data& data, const std::string& path)
{
    QSaveFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::WriteOnly)) return false;
    const auto size = qint64(data.size());
    if (file.write(reinterpret_cast<const char*>(data.data()), size) != size) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

bool writeAtomically(const Data& data, const Url& url)
{
    return url.isFileURL() && writeAtomically(data, url.path());
}

}  // namespace core
