#include "foundation/listing_order.h"

#include <string>

#include "platform/core/case_mapping.h"

namespace kestrane {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// The run of digits that starts at `at`, without its leading zeros; `at` moves past the run.
std::string_view digitRun(std::string_view text, std::size_t& at)
{
    while (at + 1 < text.size() && text[at] == '0' && isDigit(text[at + 1]))
        ++at;
    const std::size_t start = at;
    while (at < text.size() && isDigit(text[at]))
        ++at;
    return text.substr(start, at - start);
}

// Compares the numbers two digit runs spell, however long they are.
int compareNumbers(std::string_view a, std::string_view b)
{
    if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
    const int order = a.compare(b);
    return order < 0 ? -1 : order > 0 ? 1 : 0;
}

int compareNatural(std::string_view a, std::string_view b)
{
    std::size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        if (isDigit(a[i]) && isDigit(b[j])) {
            if (const int order = compareNumbers(digitRun(a, i), digitRun(b, j))) return order;
            continue;
        }
        const auto x = static_cast<unsigned char>(a[i++]);
        const auto y = static_cast<unsigned char>(b[j++]);
        if (x != y) return x < y ? -1 : 1;
    }
    if (i < a.size()) return 1;
    if (j < b.size()) return -1;
    return 0;
}

}  // namespace

int compareListingNames(std::string_view a, std::string_view b)
{
    if (const int order = compareNatural(core::lowercased(a), core::lowercased(b))) return order;
    const int order = a.compare(b);
    return order < 0 ? -1 : order > 0 ? 1 : 0;
}

}  // namespace kestrane
