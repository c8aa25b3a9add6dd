#include "platform/core/data.h"

#include <QByteArray>
#include <QFile>
#include <QStringDecoder>
#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/core/unpublished_file.h"
#include "platform/core/url.h"

namespace core {

Data dataFromString(const std::string& text) { return Data(text.begin(), text.end()); }

std::optional<Data> readData(const std::string& path)
{
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) return std::nullopt;
    return Data(bytes.begin(), bytes.end());
}

std::optional<Data> readRegularFile(const std::string& path, std::size_t limit, int* error)
{
    int ignored = 0;
    int& failure = error ? *error : ignored;
    failure = 0;
    // Not blocking: opening a FIFO must not wait for a writer.
    const int descriptor = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (descriptor < 0) {
        failure = errno;
        return std::nullopt;
    }
    struct stat status {};
    std::optional<Data> bytes;
    if (::fstat(descriptor, &status) != 0) {
        failure = errno;
    } else if (!S_ISREG(status.st_mode)) {
        failure = EINVAL;
    } else if (std::uint64_t(status.st_size) > limit) {
        failure = EFBIG;
    } else {
        // The file may grow while it is read: never more than the limit and one byte.
        Data read(std::size_t(status.st_size) + 1);
        std::size_t done = 0;
        for (;;) {
            if (done == read.size()) {
                if (done > limit) break;
                read.resize(std::min(limit + 1, read.size() * 2));
            }
            const ssize_t got = ::read(descriptor, read.data() + done, read.size() - done);
            if (got < 0 && errno == EINTR) continue;
            if (got < 0) {
                failure = errno;
                break;
            }
            if (got == 0) break;
            done += std::size_t(got);
        }
        if (!failure && done > limit) failure = EFBIG;
        if (!failure) {
            read.resize(done);
            bytes = std::move(read);
        }
    }
    ::close(descriptor);
    return bytes;
}

std::optional<std::string> readUTF8(const std::string& path)
{
    auto bytes = readData(path);
    if (!bytes) return std::nullopt;
    QStringDecoder decoder(QStringDecoder::Utf8);
    const QByteArrayView view(reinterpret_cast<const char*>(bytes->data()), qsizetype(bytes->size()));
    const QString text = decoder.decode(view);
    if (decoder.hasError()) return std::nullopt;
    return text.toStdString();
}

std::filesystem::path followingLinks(const std::filesystem::path& path)
{
    namespace fs = std::filesystem;
    fs::path target = path;
    for (int hops = 0; hops < 40; ++hops) {
        std::error_code error;
        if (!fs::is_symlink(fs::symlink_status(target, error))) return target;
        const fs::path next = fs::read_symlink(target, error);
        if (error) return target;
        target = next.is_absolute() ? next : target.parent_path() / next;
    }
    return path;
}

bool writeAtomically(const Data& data, const std::string& path)
{
    int error = 0;
    return writeAtomically(data, path, error);
}

bool writeAtomically(const Data& data, const std::string& path, int& error)
{
    error = 0;
    if (path.empty()) {
        error = ENOENT;
        return false;
    }
    const std::filesystem::path target = followingLinks(path);
    // Only files are replaced: never a device, a FIFO or a socket that a link leads to.
    struct stat existing {};
    if (::lstat(target.c_str(), &existing) == 0 && !S_ISREG(existing.st_mode) && !S_ISDIR(existing.st_mode)) {
        error = EINVAL;
        return false;
    }
    errno = 0;
    auto file = UnpublishedFile::create(target.parent_path().string(), target.filename().string());
    if (file && file->write(data) && file->publishReplacing(target.string())) return true;
    // Taken before dropping the file, whose clean-up may change errno.
    error = errno ? errno : EIO;
    return false;
}

bool writeAtomically(const Data& data, const Url& url) { return url.isFileURL() && writeAtomically(data, url.path()); }

}  // namespace core
