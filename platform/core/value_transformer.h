// Converts values one way and, where allowed, back, for bindings between controls and stored values.
// Transformers are registered by name once and shared; the registry is safe from any thread.
#pragma once

#include <any>
#include <memory>
#include <string>

#include "platform/core/object.h"

namespace core {

class ValueTransformer : public Object {
public:
    virtual bool allowsReverseTransformation() const { return false; }
    virtual std::any transformedValue(const std::any& value) const = 0;
    // By default there is no way back: the value is returned as it came.
    virtual std::any reverseTransformedValue(const std::any& value) const { return value; }

    // Registers (or, with null, removes) the transformer under the name.
    static void setValueTransformer(std::shared_ptr<ValueTransformer> transformer, const std::string& name);
    // The transformer registered under the name, or null.
    static std::shared_ptr<ValueTransformer> valueTransformer(const std::string& name);
};

}  // namespace core
