// The archived form of an Edition: its three fields under the keys "orientation" (the raw value, 0 to 3),
// "horizontalFlipped" and "verticalFlipped", written in that order. Registered for decoding under the class
// name "EditionCodingState"; an archive whose orientation names no case decodes as nothing.
#pragma once

#include "numerics/orientation.h"
#include "platform/core/coding.h"
#include "platform/core/keyed_unarchiver.h"

#include <memory>

namespace orvalis {

class EditionCodingState : public core::Coding {
public:
    static constexpr const char* codingClassName = "EditionCodingState";

    EditionCodingState() = default;
    EditionCodingState(kestrane::Orientation orientation, bool horizontalFlipped, bool verticalFlipped)
        : orientation_(orientation), horizontalFlipped_(horizontalFlipped), verticalFlipped_(verticalFlipped)
    {
    }

    kestrane::Orientation orientation() const { return orientation_; }
    bool horizontalFlipped() const { return horizontalFlipped_; }
    bool verticalFlipped() const { return verticalFlipped_; }

    // Null when the stored orientation is outside 0 to 3; missing keys read as up and not flipped.
    static std::shared_ptr<EditionCodingState> decode(core::KeyedUnarchiver& coder);

    std::string className() const override { return codingClassName; }
    void encode(core::KeyedArchiver& coder) const override;

private:
    kestrane::Orientation orientation_ = kestrane::Orientation::up;
    bool horizontalFlipped_ = false;
    bool verticalFlipped_ = false;
};

}  // namespace orvalis
