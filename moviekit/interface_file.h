// The interface files of the movie kit's bundle: small property lists that lay out the views of a popover,
// read and built when the popover's controller loads its view, so that layouts and their texts live with the
// kit's other resources. Main thread only.
//
// A file <name>.plist holds a dictionary: "size" ("width height" in points) and "views", an array of
// dictionaries, one per view, each with "class" (Label, Button or Slider) and "frame" ("x y width height",
// y-up from the bottom left), and as they apply: "title" and "toolTip" (keys of the bundle's strings),
// "image" (a picture of the bundle), "bordered", "alignment" (left, center or right), "minValue", "maxValue",
// "continuous", "action" (sent to the owner) and "outlet" (the name under which the owner keeps the view).
#pragma once

#include "platform/core/bundle.h"
#include "platform/ui/responder.h"
#include "platform/ui/view.h"

#include <memory>
#include <string>

namespace orvalis {

// What an interface file is built for: it receives the actions of the file's controls and keeps its outlets.
class InterfaceFileOwner {
public:
    virtual ~InterfaceFileOwner() = default;
    // Keeps `view` under the outlet `name`; a name the owner does not know is ignored.
    virtual void setOutlet(const std::string& name, const std::shared_ptr<ui::View>& view) = 0;
};

// The root view of the file `name` of `bundle`, its controls sending their actions to `target` and handed to
// `owner` by outlet; null when the file is missing or is no such description (a view of an unknown class is
// left out).
std::shared_ptr<ui::View> loadInterfaceFile(const core::Bundle& bundle, const std::string& name,
                                            const std::shared_ptr<ui::Responder>& target, InterfaceFileOwner& owner);

// Makes the interface file `name` of the movie kit's bundle the interface of view controllers of that name:
// loading their view builds it for them (the controller must be an InterfaceFileOwner). Once per name.
void registerInterfaceFile(const std::string& name);

}  // namespace orvalis
