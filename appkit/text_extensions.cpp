#include "appkit/text_extensions.h"

#include <functional>
#include <optional>
#include <vector>

#include "platform/core/graphemes.h"
#include "platform/ui/text_layer.h"

namespace kestrane {

namespace {

// The characters [from, to) of the text whose boundaries are `cuts`.
std::string characters(const std::string& text, const std::vector<std::size_t>& cuts, std::size_t from, std::size_t to)
{
    return text.substr(cuts[from], cuts[to] - cuts[from]);
}

// The candidate text for `n` code units, built from the initial text and its character boundaries; nullopt
// when the characters cannot form one.
using Candidate =
    std::function<std::optional<std::string>(const std::string&, const std::vector<std::size_t>&, std::size_t)>;

// Tries ever shorter candidates until the string fits in `width`.
void reduce(gfx::AttributedString& string, double width, const Candidate& candidate)
{
    if (string.size().width <= width) return;
    const std::string initial = string.text();
    const auto cuts = core::graphemeBoundaries(initial);
    const std::size_t count = cuts.size() - 1;
    for (std::size_t n = string.length(); n > 0; --n) {
        auto text = n >= count ? std::optional<std::string>(initial) : candidate(initial, cuts, n);
        if (!text) return;
        replaceAllCharacters(string, *text);
        if (string.size().width <= width) return;
    }
}

}  // namespace

void replaceAllCharacters(gfx::AttributedString& string, const std::string& text)
{
    string.replaceCharacters({0, string.length()}, text);
}

void reduceAtStart(gfx::AttributedString& string, double width)
{
    reduce(string, width, [](const std::string& text, const std::vector<std::size_t>& cuts, std::size_t n) {
        const std::size_t count = cuts.size() - 1;
        if (n < 3) return std::optional<std::string>();
        return std::optional<std::string>("..." + characters(text, cuts, count - (n - 3), count));
    });
}

void reduceAtMiddle(gfx::AttributedString& string, double width)
{
    reduce(string, width, [](const std::string& text, const std::vector<std::size_t>& cuts, std::size_t n) {
        const std::size_t count = cuts.size() - 1;
        const std::size_t half = n / 2;
        if (half < 1) return std::optional<std::string>();
        return std::optional<std::string>(characters(text, cuts, 0, half - 1) + "..." +
                                          characters(text, cuts, count - (half - 1), count));
    });
}

void reduceAtEnd(gfx::AttributedString& string, double width)
{
    reduce(string, width, [](const std::string& text, const std::vector<std::size_t>& cuts, std::size_t n) {
        if (n < 3) return std::optional<std::string>();
        return std::optional<std::string>(characters(text, cuts, 0, n - 3) + "...");
    });
}

gfx::AttributedString reducingAtStart(const gfx::AttributedString& string, double width)
{
    auto copy = string;
    reduceAtStart(copy, width);
    return copy;
}

gfx::AttributedString reducingAtMiddle(const gfx::AttributedString& string, double width)
{
    auto copy = string;
    reduceAtMiddle(copy, width);
    return copy;
}

gfx::AttributedString reducingAtEnd(const gfx::AttributedString& string, double width)
{
    auto copy = string;
    reduceAtEnd(copy, width);
    return copy;
}

bool isEmpty(const gfx::AttributedString& string) { return string.length() == 0; }

std::string caalignment(gfx::TextAlignment alignment)
{
    switch (alignment) {
    case gfx::TextAlignment::right:
        return ui::AlignmentMode::right;
    case gfx::TextAlignment::center:
        return ui::AlignmentMode::center;
    case gfx::TextAlignment::justified:
        return ui::AlignmentMode::justified;
    case gfx::TextAlignment::natural:
        return ui::AlignmentMode::natural;
    default:
        return ui::AlignmentMode::left;
    }
}

}  // namespace kestrane
