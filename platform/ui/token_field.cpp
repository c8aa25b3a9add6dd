#include "platform/ui/token_field.h"

namespace ui {

namespace {

std::string trimmed(const std::string& text)
{
    const auto first = text.find_first_not_of(" \t\n");
    if (first == std::string::npos) return {};
    const auto last = text.find_last_not_of(" \t\n");
    return text.substr(first, last - first + 1);
}

}  // namespace

std::vector<std::string> TokenField::tokens() const
{
    std::vector<std::string> result;
    const std::string text = stringValue();
    std::size_t start = 0;
    while (start <= text.size()) {
        const auto comma = text.find(',', start);
        const std::string token = trimmed(text.substr(start, comma == std::string::npos ? std::string::npos : comma - start));
        if (!token.empty()) result.push_back(token);
        if (comma == std::string::npos) break;
        start = comma + 1;
    }
    return result;
}

void TokenField::setTokens(const std::vector<std::string>& tokens)
{
    std::string text;
    for (auto& token : tokens) text += (text.empty() ? "" : ", ") + token;
    setStringValue(text);
}

}  // namespace ui
