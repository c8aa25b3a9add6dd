#include "platform/core/case_mapping.h"

#include <QString>

namespace core {

namespace {

QString toQString(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

}  // namespace

std::string lowercased(std::string_view text) { return toQString(text).toLower().toStdString(); }

std::string uppercased(std::string_view text) { return toQString(text).toUpper().toStdString(); }

}  // namespace core
