// The file extensions of the documents the application declares it opens. Main thread only.
#pragma once
#include "platform/core/value.h"
#include "platform/ui/application.h"
#include <string>
#include <vector>

namespace kestrane {

// Every "CFBundleTypeExtensions" list of the main bundle's document types, joined in order (duplicates kept).
std::vector<std::string> supportedFileExtensions(const ui::Application& application);

// The same, read from an information dictionary; a document type without a list of extensions is skipped.
std::vector<std::string> supportedFileExtensions(const core::Dictionary& info);

}  // namespace kestrane
