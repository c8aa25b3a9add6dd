// A text field whose value is a list of tokens, typed separated by commas ("a, b,c" holds "a", "b" and "c";
// empty tokens are dropped). Main thread only.
#pragma once

#include <vector>

#include "platform/ui/text_field.h"

namespace ui {

class TokenField : public TextField {
public:
    using TextField::TextField;

    std::vector<std::string> tokens() const;
    void setTokens(const std::vector<std::string>& tokens);
};

}  // namespace ui
