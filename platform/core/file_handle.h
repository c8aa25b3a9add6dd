// An open file that bytes are written to, in order, from any thread: each write lands whole, never
// interleaved with another.
#pragma once

#include <memory>
#include <string>

#include "platform/core/data.h"
#include "platform/core/mutex.h"
#include "platform/core/object.h"

namespace core {

class FileHandle : public Object {
public:
    // Opens an existing file for writing at its start, without truncating it; null when the file does not
    // exist or cannot be opened.
    [[nodiscard]] static std::shared_ptr<FileHandle> forWriting(const std::string& path);

    explicit FileHandle(int descriptor);
    ~FileHandle() override;

    // Writes all the bytes at the current offset; false when the file is closed or the write fails.
    [[nodiscard]] bool write(const Data& data);
    // Closes the file; later writes fail. Closing twice is harmless.
    void close();

private:
    Mutex mutex_;  // guards the descriptor: one write or the close at a time
    int descriptor_ GUARDED_BY(mutex_);
};

}  // namespace core
