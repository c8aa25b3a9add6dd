#include "app/document/movie_content.h"

#include <memory>

#include "app/document/document.h"
#include "foundation/url_extensions.h"
#include "platform/core/dispatch_queue.h"
#include "platform/core/semaphore.h"
#include "platform/media/movie_probe.h"

namespace vistrel {

std::optional<std::string> whyNotAMovie(const core::Url& url)
{
    // The reading thread keeps what it shares with this call, which may have given up waiting for it.
    struct Reading {
        core::Semaphore done;
        media::MovieProbe probe;
    };
    const auto reading = std::make_shared<Reading>();
    core::DispatchQueue::global(core::QoS::userInitiated)->async([url, reading] {
        reading->probe = media::probeMovie(url);
        reading->done.signal();
    });
    if (!reading->done.wait(Document::nextOpeningWait()))
        return kestrane::conformsToMovieUTI(url) ? std::nullopt
                                                 : std::optional<std::string>("it did not answer when it was read");
    if (reading->probe.isMovie()) return std::nullopt;
    return reading->probe.reason;
}

bool mayBeAMovie(const core::Url& url) { return kestrane::conformsToMovieUTI(url) || !kestrane::UTI(url); }

}  // namespace vistrel
