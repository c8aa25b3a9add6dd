#include "platform/gfx/font.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QStringList>

#include "platform/gfx/detail/qt_font.h"

namespace gfx {

std::optional<Font> Font::named(const std::string& name, double size)
{
    const QString family = QString::fromStdString(name);
    const auto families = QFontDatabase::families();
    if (!families.contains(family, Qt::CaseInsensitive)) return std::nullopt;
    return Font(name, size);
}

Font Font::withName(const std::string& name, double size) { return Font(name, size); }

Font Font::system(double size)
{
    return Font(QFontDatabase::systemFont(QFontDatabase::GeneralFont).family().toStdString(), size);
}

std::string Font::familyName() const { return QFontInfo(toQFont(*this)).family().toStdString(); }

QFont toQFont(const Font& font)
{
    QFont qfont(QString::fromStdString(font.name()));
    qfont.setPointSizeF(font.pointSize() > 0 ? font.pointSize() : 12.0);
    return qfont;
}

}  // namespace gfx
