#include "platform/gfx/attributed_string.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QTextLayout>

#include <algorithm>

#include "platform/gfx/context.h"
#include "platform/gfx/detail/qt_context.h"
#include "platform/gfx/detail/qt_font.h"

namespace gfx {

namespace {

Font fontOf(const TextAttributes& attributes) { return attributes.font.value_or(Font::system(12)); }

// The font sized so that a point is one unit of the user space it is drawn in.
QFont unitFont(const Font& font, const QPaintDevice* device)
{
    QFont qfont = toQFont(font);
    const int dpi = device ? device->logicalDpiY() : 72;
    qfont.setPointSizeF(qfont.pointSizeF() * 72.0 / dpi);
    return qfont;
}

Qt::Alignment qtAlignment(TextAlignment alignment)
{
    switch (alignment) {
    case TextAlignment::right:
        return Qt::AlignRight;
    case TextAlignment::center:
        return Qt::AlignHCenter;
    case TextAlignment::justified:
        return Qt::AlignJustify;
    case TextAlignment::left:
    case TextAlignment::natural:
        break;
    }
    return Qt::AlignLeft;
}

}  // namespace

std::size_t AttributedString::length() const { return std::size_t(QString::fromStdString(text_).size()); }

void AttributedString::replaceCharacters(TextRange range, const std::string& replacement)
{
    QString text = QString::fromStdString(text_);
    const auto location = qsizetype(std::min(range.location, std::size_t(text.size())));
    const auto count = qsizetype(std::min(range.length, std::size_t(text.size() - location)));
    text.replace(location, count, QString::fromStdString(replacement));
    text_ = text.toStdString();
}

Size AttributedString::size() const
{
    // Measured on a device of 72 dots per inch, where a point is a unit, as in drawing.
    QImage device(1, 1, QImage::Format_ARGB32_Premultiplied);
    device.setDotsPerMeterX(2835);
    device.setDotsPerMeterY(2835);
    const QFontMetricsF metrics(unitFont(fontOf(attributes_), &device), &device);
    const QStringList lines = QString::fromStdString(text_).split(QLatin1Char('\n'));
    double width = 0;
    for (const auto& line : lines)
        width = std::max(width, metrics.horizontalAdvance(line));
    return {width, metrics.lineSpacing() * double(lines.size())};
}

void AttributedString::drawInRect(Context& context, const Rect& rect) const
{
    const Rect r = rect.standardized();
    if (r.isEmpty() || text_.empty()) return;
    QPainter& painter = painterOf(context);
    painter.save();
    // Local space: origin at the rectangle's top left, y down, so the text stands upright in y-up space.
    painter.setWorldTransform(QTransform(1, 0, 0, -1, r.minX(), r.maxY()) * userToDevice(context));
    painter.setClipRect(QRectF(0, 0, r.width(), r.height()), Qt::IntersectClip);
    painter.setOpacity(contextAlpha(context));
    painter.setPen(toQColor(attributes_.foregroundColor.value_or(Color::black())));

    const QFont font = unitFont(fontOf(attributes_), painter.device());
    const auto alignment = attributes_.paragraphStyle.value_or(ParagraphStyle{}).alignment;
    QTextOption option(qtAlignment(alignment));
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    double y = 0;
    for (const QString& paragraph : QString::fromStdString(text_).split(QLatin1Char('\n'))) {
        QTextLayout layout(paragraph, font, painter.device());
        layout.setTextOption(option);
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(r.width());
            line.setPosition(QPointF(0, y));
            y += line.height();
        }
        layout.endLayout();
        layout.draw(&painter, QPointF(0, 0));
        if (y > r.height()) break;
    }
    painter.restore();
}

void drawText(Context& context, const AttributedString& string, const Rect& rect) { string.drawInRect(context, rect); }

}  // namespace gfx
