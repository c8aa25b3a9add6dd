// An exclusive lock that processes of one user take on a file of theirs (made when missing, never written) to
// do one step at a time: while one object holds it, another in any process waits for it. Released when the
// object goes, and by the system when its process ends. Used on one thread at a time.
#pragma once

#include <string>

namespace core {

class FileLock {
public:
    // Waits for the lock on the file at `path`; locked() tells whether it was taken.
    explicit FileLock(const std::string& path);
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    // False when the file could not be opened or made (then `error()` holds the system's error number).
    bool locked() const { return descriptor_ >= 0; }
    int error() const { return error_; }

private:
    int descriptor_ = -1;
    int error_ = 0;
};

}  // namespace core
