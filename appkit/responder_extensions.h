// Splicing a responder into the chain, and printing the chain. Main thread only.
#pragma once

#include <memory>

#include "platform/ui/responder.h"

namespace kestrane {

// Makes `responder` come right after `receiver`, followed by what came after `receiver` before.
void insertNextResponder(ui::Responder& receiver, const std::shared_ptr<ui::Responder>& responder);
// Prints "Responder chain :" then "- " and the description of the receiver and each next responder.
void inspectResponderChain(const std::shared_ptr<ui::Responder>& receiver);

}  // namespace kestrane
