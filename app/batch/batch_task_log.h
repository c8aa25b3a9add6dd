// What went wrong in one batch task: the frames that failed, each with its reason, the reason the task stopped
// before its end, and the task's log file when one is asked for (a header, then the failed frames' lines in the
// order of their times). Counts the task's errors. Safe from any thread.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/core/mutex.h"
#include "platform/core/url.h"
#include "platform/media/time.h"

namespace vistrel {

class BatchTaskLog {
public:
    // `folder`: the path of the folder the task writes into, which the reason it stopped names.
    explicit BatchTaskLog(std::string folder) : folder_(std::move(folder)) {}
    BatchTaskLog(const BatchTaskLog&) = delete;
    BatchTaskLog& operator=(const BatchTaskLog&) = delete;

    // Starts the log with a header of labelled values, one a line; the failed frames are kept for it until it
    // is closed.
    void open(const std::vector<std::pair<std::string, std::string>>& header);
    // Hands the log's text to `write`, which writes it whole and answers why it could not (in words, for the
    // user), and closes the log; later lines are dropped. A log that cannot be written counts as an error.
    // Nothing when the log is not open.
    void close(const std::function<std::optional<std::string>(const std::string& text)>& write);

    // Counts the failed frame at `position` of the splitter and keeps its line, with the reason.
    void snapError(std::int64_t position, const media::Time& time, const std::string& reason);
    void writeError(std::int64_t position, const core::Url& url, const std::string& reason);
    // The reason the task stops for good, when it is the first; false when one was given before.
    bool stop(const std::string& reason);

    // Frames that could not be grabbed or written, and the log when it could not be written.
    std::int64_t errors() const;
    std::optional<std::string> logFailure() const;
    // The lines of the first `most` frames that failed, in the order of their times; a task that writes no
    // log keeps the first failuresKeptWithoutLog only.
    std::vector<std::string> failedFrames(std::size_t most) const;
    static constexpr std::size_t failuresKeptWithoutLog = 20;
    std::optional<std::string> stopReason() const;

private:
    void recordFailure(std::int64_t position, std::string line);
    // The failed frames' lines in the order of their times, whatever order they failed in.
    std::vector<std::pair<std::int64_t, std::string>> failuresInTimeOrder() const REQUIRES(mutex_);

    const std::string folder_;
    mutable core::Mutex mutex_;                             // guards everything below
    std::optional<std::string> header_ GUARDED_BY(mutex_);  // present while the log is open
    // The failed frames' lines (without their line feeds) by their positions, in the order they failed.
    std::vector<std::pair<std::int64_t, std::string>> failures_ GUARDED_BY(mutex_);
    // Counted under the lock with the line, so that a reader never sees more errors than lines.
    std::atomic<std::int64_t> errors_ = 0;
    std::optional<std::string> logFailure_ GUARDED_BY(mutex_);
    std::optional<std::string> stopReason_ GUARDED_BY(mutex_);
};

}  // namespace vistrel
