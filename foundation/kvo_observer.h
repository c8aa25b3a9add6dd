// One change observation: a block told of every change of one key of an observable object, once at the start
// with the current value and then with each new value. The observable is not kept alive by the observation.
// Start, stop and destroy on one thread; the block runs on the thread where the key changes.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "platform/core/object.h"
#include "platform/core/observable.h"

namespace kestrane {

class KVOObserver : public core::Object {
public:
    using Block = std::function<void(const core::KeyValueChange&)>;

    // Stores the three values (the observable weakly); registers nothing yet.
    KVOObserver(const std::shared_ptr<core::Observable>& observable, std::string keyPath, Block block);
    // Unregisters first when still observing.
    ~KVOObserver() override;

    // Null once the observable is gone.
    std::shared_ptr<core::Observable> observable() const { return observable_.lock(); }
    const std::string& keyPath() const { return keyPath_; }
    const Block& block() const { return block_; }
    bool isObserving() const { return isObserving_; }

    std::string description() const override;
    // Registers with the observable (when it still lives); the block runs once before this returns.
    virtual void startObservation();
    // Unregisters from the observable (when it still lives).
    virtual void stopObservation();

private:
    std::weak_ptr<core::Observable> observable_;
    std::string keyPath_;
    Block block_;
    bool isObserving_ = false;
    core::ObservationId observation_ = 0;  // the registration with the observable, 0 when none
};

}  // namespace kestrane
