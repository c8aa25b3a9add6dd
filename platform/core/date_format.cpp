#include "platform/core/date_format.h"

#include <QDateTime>
#include <QLocale>
#include <QTimeZone>
#include <cmath>

namespace core {

namespace {

std::string padded(long long value, std::size_t width)
{
    std::string digits = std::to_string(value < 0 ? -value : value);
    if (digits.size() < width) digits.insert(0, width - digits.size(), '0');
    return value < 0 ? "-" + digits : digits;
}

// One run of the same pattern letter, such as "yyyy" or "MM".
std::string field(char letter, std::size_t count, const QDateTime& local, double fraction)
{
    const QDate day = local.date();
    const QTime time = local.time();
    const QLocale c = QLocale::c();
    switch (letter) {
    case 'y':
        return count == 2 ? padded(day.year() % 100, 2) : padded(day.year(), count);
    case 'M':
        if (count >= 4) return c.monthName(day.month(), QLocale::LongFormat).toStdString();
        if (count == 3) return c.monthName(day.month(), QLocale::ShortFormat).toStdString();
        return padded(day.month(), count);
    case 'd':
        return padded(day.day(), count);
    case 'E':
        return c.dayName(day.dayOfWeek(), count >= 4 ? QLocale::LongFormat : QLocale::ShortFormat).toStdString();
    case 'H':
        return padded(time.hour(), count);
    case 'h':
        return padded(time.hour() % 12 == 0 ? 12 : time.hour() % 12, count);
    case 'm':
        return padded(time.minute(), count);
    case 's':
        return padded(time.second(), count);
    case 'S':
        return padded(static_cast<long long>(std::floor(fraction * std::pow(10.0, double(count)) + 1e-9)), count);
    case 'a':
        return time.hour() < 12 ? "AM" : "PM";
    default:
        return std::string(count, letter);
    }
}

}  // namespace

std::string formatDate(Date date, const std::string& pattern)
{
    // Whole milliseconds first, so that a fraction such as .123 does not show as .122.
    const auto msecs = static_cast<long long>(std::llround(date.timeIntervalSince1970() * 1000.0));
    const long long seconds = msecs >= 0 ? msecs / 1000 : -((-msecs + 999) / 1000);
    const double fraction = double(msecs - seconds * 1000) / 1000.0;
    const QDateTime local = QDateTime::fromSecsSinceEpoch(seconds, QTimeZone::systemTimeZone());
    std::string text;
    for (std::size_t i = 0; i < pattern.size();) {
        const char letter = pattern[i];
        if (letter == '\'') {
            const auto close = pattern.find('\'', i + 1);
            const auto end = close == std::string::npos ? pattern.size() : close;
            text += end == i + 1 ? "'" : pattern.substr(i + 1, end - i - 1);
            i = end + 1;
            continue;
        }
        std::size_t count = 1;
        while (i + count < pattern.size() && pattern[i + count] == letter)
            ++count;
        const bool isLetter = (letter >= 'a' && letter <= 'z') || (letter >= 'A' && letter <= 'Z');
        text += isLetter ? field(letter, count, local, fraction) : pattern.substr(i, count);
        i += count;
    }
    return text;
}

}  // namespace core
