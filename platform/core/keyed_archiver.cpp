#include "platform/core/keyed_archiver.h"

#include <QByteArray>
#include <QCborArray>
#include <QCborMap>
#include <QCborValue>

#include "platform/core/archive_format.h"
#include "platform/core/error.h"

namespace core {

struct KeyedArchiver::Fields {
    QCborMap map;
};

namespace {

QString text(const std::string& s) { return QString::fromStdString(s); }

}  // namespace

KeyedArchiver::KeyedArchiver() : fields_(std::make_unique<Fields>()) {}

KeyedArchiver::KeyedArchiver(int depth) : fields_(std::make_unique<Fields>()), depth_(depth) {}

KeyedArchiver::~KeyedArchiver() = default;

Data KeyedArchiver::archivedData(const std::shared_ptr<const Coding>& rootObject)
{
    KeyedArchiver top(-1);
    top.encodeObject(archive::topKey, rootObject);
    QCborMap map = top.fields_->map;
    map.insert(QLatin1String(archive::archiverKey), QLatin1String(archive::archiverName));
    map.insert(QLatin1String(archive::versionKey), archive::version);
    const QByteArray bytes = QCborValue(map).toCbor();
    return Data(bytes.begin(), bytes.end());
}

void KeyedArchiver::encodeObject(const std::string& key, const std::shared_ptr<const Coding>& object)
{
    if (!object) {
        fields_->map.insert(text(key), QCborValue(nullptr));
        return;
    }
    if (depth_ + 1 >= archive::maximumDepth)
        throw Error("KeyedArchiver", 1, "objects nested too deeply to archive (a cycle?)");
    KeyedArchiver child(depth_ + 1);
    object->encode(child);
    QCborMap encoded;
    encoded.insert(QLatin1String(archive::classKey), text(object->className()));
    encoded.insert(QLatin1String(archive::fieldsKey), child.fields_->map);
    fields_->map.insert(text(key), encoded);
}

void KeyedArchiver::encodeObjects(const std::string& key, const std::vector<std::shared_ptr<const Coding>>& objects)
{
    // Each element goes through encodeObject under a scratch key, so that elements are written as objects are.
    KeyedArchiver elements(depth_);
    QCborArray array;
    for (const auto& object : objects) {
        elements.encodeObject(std::string(), object);
        array.append(elements.fields_->map.value(QString()));
    }
    fields_->map.insert(text(key), array);
}

void KeyedArchiver::encodeInt64(const std::string& key, std::int64_t value)
{
    fields_->map.insert(text(key), QCborValue(static_cast<qint64>(value)));
}

void KeyedArchiver::encodeDouble(const std::string& key, double value)
{
    fields_->map.insert(text(key), QCborValue(value));
}

void KeyedArchiver::encodeBool(const std::string& key, bool value)
{
    fields_->map.insert(text(key), QCborValue(value));
}

void KeyedArchiver::encodeString(const std::string& key, const std::string& value)
{
    fields_->map.insert(text(key), text(value));
}

void KeyedArchiver::encodeData(const std::string& key, const Data& value)
{
    fields_->map.insert(text(key),
                        QByteArray(reinterpret_cast<const char*>(value.data()), static_cast<qsizetype>(value.size())));
}

}  // namespace core
