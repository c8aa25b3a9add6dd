// The value transformer that bindings use between a colour and its hexadecimal text ("#00FF00"),
// registered under the name "HexNSColorTransformer". Values are gfx::Color one way and std::string back.
#pragma once

#include "platform/core/value_transformer.h"

namespace kestrane {

class HexNSColorTransformer : public core::ValueTransformer {
public:
    static constexpr const char* name = "HexNSColorTransformer";

    // Registers one shared transformer under its name, unless one is registered there already.
    static void registerIfNeeded();

    bool allowsReverseTransformation() const override { return true; }
    // A text gives its colour, or an empty value when it does not parse; anything else gives black.
    std::any transformedValue(const std::any& value) const override;
    // A colour gives its text; anything else gives the text of black, "#000000".
    std::any reverseTransformedValue(const std::any& value) const override;
};

}  // namespace kestrane
