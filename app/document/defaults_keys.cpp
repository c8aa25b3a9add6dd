#include "app/document/defaults_keys.h"

namespace vistrel {

const std::string& snapsManagerDidAppendItemsNotification() { return SnapsManagerDidAppendItemsNotification; }

const std::string& snapsManagerDidRemoveItemsNotification() { return SnapsManagerDidRemoveItemsNotification; }

const std::string& snapsManagerDidChangeSelectionNotification() { return SnapsManagerDidChangeSelectionNotification; }

const std::string& documentDidLoadNotification() { return DocumentDidLoadNotification; }

}  // namespace vistrel
