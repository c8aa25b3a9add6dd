#include "platform/core/keyed_unarchiver.h"

#include <QByteArray>
#include <QCborArray>
#include <QCborMap>
#include <QCborParserError>
#include <QCborValue>
#include <exception>

#include "platform/core/archive_format.h"
#include "platform/core/error.h"

namespace core {

struct KeyedUnarchiver::Fields {
    QCborMap map;
};

struct UnarchiverAccess {
    // The object that `value` encodes, decoded `depth` levels below the root.
    static std::shared_ptr<Coding> decode(const QCborValue& value, int depth, KeyedUnarchiver::Expected expected)
    {
        if (!value.isMap() || depth >= archive::maximumDepth) return nullptr;
        const QCborMap object = value.toMap();
        const QCborValue name = object.value(QLatin1String(archive::classKey));
        const QCborValue fields = object.value(QLatin1String(archive::fieldsKey));
        if (!name.isString() || !fields.isMap()) return nullptr;
        const CodingRegistry::Factory factory = CodingRegistry::factory(name.toString().toStdString());
        if (!factory) return nullptr;
        if (expected && !expected(CodingRegistry::probe(name.toString().toStdString()))) return nullptr;
        KeyedUnarchiver unarchiver(std::make_unique<KeyedUnarchiver::Fields>(KeyedUnarchiver::Fields{fields.toMap()}),
                                   depth);
        return factory(unarchiver);
    }
};

namespace {

QString text(const std::string& s) { return QString::fromStdString(s); }

}  // namespace

KeyedUnarchiver::KeyedUnarchiver(std::unique_ptr<Fields> fields, int depth) : fields_(std::move(fields)), depth_(depth)
{
}

KeyedUnarchiver::~KeyedUnarchiver() = default;

std::shared_ptr<Coding> KeyedUnarchiver::unarchiveObject(const Data& data, Expected expected)
{
    QCborParserError error;
    const QCborValue archive = QCborValue::fromCbor(
        QByteArray(reinterpret_cast<const char*>(data.data()), static_cast<qsizetype>(data.size())), &error);
    if (error.error != QCborError::NoError || !archive.isMap()) return nullptr;
    const QCborMap map = archive.toMap();
    if (map.value(QLatin1String(archive::archiverKey)).toString() != QLatin1String(archive::archiverName) ||
        map.value(QLatin1String(archive::versionKey)) != QCborValue(archive::version))
        return nullptr;
    try {
        return UnarchiverAccess::decode(map.value(QLatin1String(archive::topKey)), 0, expected);
    } catch (const Error&) {
        // A class's decoding that refuses its fields.
        return nullptr;
    }
}

bool KeyedUnarchiver::contains(const std::string& key) const { return fields_->map.contains(text(key)); }

std::shared_ptr<Coding> KeyedUnarchiver::decodeObject(const std::string& key, Expected expected)
{
    return UnarchiverAccess::decode(fields_->map.value(text(key)), depth_ + 1, expected);
}

std::optional<std::vector<std::shared_ptr<Coding>>> KeyedUnarchiver::decodeArray(const std::string& key,
                                                                                 Expected expected)
{
    const QCborValue value = fields_->map.value(text(key));
    if (!value.isArray()) return std::nullopt;
    std::vector<std::shared_ptr<Coding>> objects;
    for (const QCborValue& element : value.toArray())
        objects.push_back(UnarchiverAccess::decode(element, depth_ + 1, expected));
    return objects;
}

std::int64_t KeyedUnarchiver::decodeInt64(const std::string& key) const
{
    const QCborValue value = fields_->map.value(text(key));
    return value.isInteger() ? value.toInteger() : 0;
}

double KeyedUnarchiver::decodeDouble(const std::string& key) const
{
    const QCborValue value = fields_->map.value(text(key));
    return value.isDouble() ? value.toDouble() : 0.0;
}

bool KeyedUnarchiver::decodeBool(const std::string& key) const { return fields_->map.value(text(key)).toBool(false); }

std::optional<std::string> KeyedUnarchiver::decodeString(const std::string& key) const
{
    const QCborValue value = fields_->map.value(text(key));
    if (!value.isString()) return std::nullopt;
    return value.toString().toStdString();
}

std::optional<Data> KeyedUnarchiver::decodeData(const std::string& key) const
{
    const QCborValue value = fields_->map.value(text(key));
    if (!value.isByteArray()) return std::nullopt;
    const QByteArray bytes = value.toByteArray();
    return Data(bytes.begin(), bytes.end());
}

}  // namespace core
