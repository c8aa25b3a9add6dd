#include "platform/media/detail/decoder_error_log.h"

#include <cstring>
#include <mutex>
#include <set>

#include "platform/core/shared_mutex.h"

namespace media::detail {

namespace {

// The logs counting now, by address: a context's opaque pointer is only followed when it is one of them.
struct Registered {
    core::SharedMutex mutex;  // guards the set
    std::set<const void*> logs GUARDED_BY(mutex);
};

// Never destroyed: decoders may still go on other threads while the program's static objects go.
Registered& registered()
{
    static auto* logs = new Registered;
    return *logs;
}

bool isCodecContext(void* object)
{
    const AVClass* avClass = object ? *static_cast<const AVClass* const*>(object) : nullptr;
    return avClass && avClass->class_name && std::strcmp(avClass->class_name, "AVCodecContext") == 0;
}

}  // namespace

DecoderErrorLog::DecoderErrorLog(AVCodecContext* context)
{
    static std::once_flag installed;
    // The layer prints nothing: the callback only counts.
    std::call_once(installed, [] { av_log_set_callback(&DecoderErrorLog::log); });
    {
        Registered& all = registered();
        core::WriterLock lock(all.mutex);
        all.logs.insert(this);
    }
    context->opaque = this;
}

DecoderErrorLog::~DecoderErrorLog()
{
    Registered& all = registered();
    core::WriterLock lock(all.mutex);
    all.logs.erase(this);
}

void DecoderErrorLog::log(void* object, int level, const char*, va_list)
{
    if (level > AV_LOG_ERROR || !isCodecContext(object)) return;
    void* opaque = static_cast<AVCodecContext*>(object)->opaque;
    Registered& all = registered();
    core::ReaderLock lock(all.mutex);
    if (all.logs.count(opaque)) static_cast<DecoderErrorLog*>(opaque)->count_.fetch_add(1, std::memory_order_release);
}

}  // namespace media::detail
