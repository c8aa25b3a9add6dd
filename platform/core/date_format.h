// Dates as text in local time, with date-format patterns ("yyyy:MM:dd HH:mm:ss"): y year, M month, d day,
// H hour (0-23), h hour (1-12), m minute, s second, S fraction, a AM/PM, E weekday, text in quotes kept.
// ASCII digits and English names whatever the user's locale.
#pragma once

#include <string>

#include "platform/core/date.h"

namespace core {

std::string formatDate(Date date, const std::string& pattern);

}  // namespace core
