#include "app/batch/batch_task_log.h"

#include <algorithm>

#include "foundation/time_values.h"

namespace vistrel {

namespace {

// A label padded with blanks to 12 characters, then ": ".
std::string headerLine(const std::string& label, const std::string& value)
{
    std::string line = label;
    line.resize(12, ' ');
    return line + ": " + value + "\n";
}

bool earlier(const std::pair<std::int64_t, std::string>& a, const std::pair<std::int64_t, std::string>& b)
{
    return a.first < b.first;
}

}  // namespace

void BatchTaskLog::open(const std::vector<std::pair<std::string, std::string>>& header)
{
    std::string text;
    for (const auto& [label, value] : header)
        text += headerLine(label, value);
    core::MutexLock lock(mutex_);
    header_ = text + "\n";
}

void BatchTaskLog::close(const std::function<std::optional<std::string>(const std::string& text)>& write)
{
    core::MutexLock lock(mutex_);
    if (!header_) return;
    // The frames' lines in the order of their times; the reason the task stopped, when it did, last.
    std::string text = *header_;
    for (const auto& failure : failuresInTimeOrder())
        text += failure.second + "\n";
    if (stopReason_) text += "Stopped, no frame can be written in " + folder_ + ": " + *stopReason_ + "\n";
    if (auto failure = write(text)) {
        ++errors_;
        logFailure_ = std::move(failure);
    }
    header_.reset();
}

std::vector<std::pair<std::int64_t, std::string>> BatchTaskLog::failuresInTimeOrder() const
{
    auto failures = failures_;
    std::stable_sort(failures.begin(), failures.end(), earlier);
    return failures;
}

void BatchTaskLog::recordFailure(std::int64_t position, std::string line)
{
    core::MutexLock lock(mutex_);
    ++errors_;
    failures_.emplace_back(position, std::move(line));
    // Without a log only the first ones in time are ever shown.
    if (!header_ && failures_.size() > 2 * failuresKeptWithoutLog) {
        std::sort(failures_.begin(), failures_.end(), earlier);
        failures_.resize(failuresKeptWithoutLog);
    }
}

void BatchTaskLog::snapError(std::int64_t position, const media::Time& time, const std::string& reason)
{
    recordFailure(position, "Cannot snap image at time : " + kestrane::hhmmssmsDesc(time) + ": " + reason);
}

void BatchTaskLog::writeError(std::int64_t position, const core::Url& url, const std::string& reason)
{
    recordFailure(position, "Cannot write image at url : " + url.path() + ": " + reason);
}

bool BatchTaskLog::stop(const std::string& reason)
{
    core::MutexLock lock(mutex_);
    if (stopReason_) return false;
    stopReason_ = reason;
    return true;
}

std::int64_t BatchTaskLog::errors() const { return errors_.load(); }

std::optional<std::string> BatchTaskLog::logFailure() const
{
    core::MutexLock lock(mutex_);
    return logFailure_;
}

std::vector<std::string> BatchTaskLog::failedFrames(std::size_t most) const
{
    core::MutexLock lock(mutex_);
    const auto failures = failuresInTimeOrder();
    std::vector<std::string> lines;
    for (std::size_t i = 0; i < failures.size() && i < most; ++i)
        lines.push_back(failures[i].second);
    return lines;
}

std::optional<std::string> BatchTaskLog::stopReason() const
{
    core::MutexLock lock(mutex_);
    return stopReason_;
}

}  // namespace vistrel
