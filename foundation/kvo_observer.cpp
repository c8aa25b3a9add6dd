#include "foundation/kvo_observer.h"

namespace kestrane {

KVOObserver::KVOObserver(const std::shared_ptr<core::Observable>& observable, std::string keyPath, Block block)
    : observable_(observable), keyPath_(std::move(keyPath)), block_(std::move(block))
{
}

KVOObserver::~KVOObserver() { KVOObserver::stopObservation(); }

std::string KVOObserver::description() const
{
    const auto object = observable();
    return "KVOObservator<" + (object ? "Optional(" + object->description() + ")" : std::string("nil")) + ", " +
           keyPath_ + ">";
}

void KVOObserver::startObservation()
{
    if (isObserving_) return;
    isObserving_ = true;
    // The registration holds its own copy of the block, so that a change on another thread never reaches into
    // this object while it is being destroyed.
    if (const auto object = observable())
        observation_ =
            object->addObserver(keyPath_, block_, core::ObserveOptions::initial | core::ObserveOptions::newValue);
}

void KVOObserver::stopObservation()
{
    if (!isObserving_) return;
    isObserving_ = false;
    if (const auto object = observable()) object->removeObserver(observation_);
    observation_ = 0;
}

}  // namespace kestrane
