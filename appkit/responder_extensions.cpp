#include "appkit/responder_extensions.h"

#include <iostream>

namespace kestrane {

void insertNextResponder(ui::Responder& receiver, const std::shared_ptr<ui::Responder>& responder)
{
    responder->setNextResponder(receiver.nextResponder());
    receiver.setNextResponder(responder);
}

void inspectResponderChain(const std::shared_ptr<ui::Responder>& receiver)
{
    std::cout << "Responder chain :\n";
    for (auto responder = receiver; responder; responder = responder->nextResponder())
        std::cout << "- " << responder->description() << "\n";
}

}  // namespace kestrane
