#include "platform/media/movie_probe.h"

#include "platform/media/detail/ffmpeg.h"

#include <cerrno>
#include <cstring>
#include <vector>

#include <sys/stat.h>

namespace media {

namespace {

MovieProbe refused(MovieVerdict verdict, std::string reason) { return {verdict, std::move(reason)}; }

std::string ffmpegMessage(int error)
{
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(error, text, sizeof text);
    return text;
}

// What the system's error number says of a file that cannot be read.
MovieProbe refusedForError(int number)
{
    if (number == ENOENT || number == ENOTDIR) return refused(MovieVerdict::missing, "there is no such file or folder");
    if (number == EACCES || number == EPERM)
        return refused(MovieVerdict::unreadable, "it may not be read (" + std::string(std::strerror(number)) + ")");
    return refused(MovieVerdict::unreadable, "it cannot be read (" + std::string(std::strerror(number)) + ")");
}

// What FFmpeg's failure to open the file says.
MovieProbe refusedForOpening(int error)
{
    if (error == AVERROR_INVALIDDATA)
        return refused(MovieVerdict::notAMovie,
                       "its content is in no movie format the program reads (" + ffmpegMessage(error) + ")");
    if (error < 0 && error > -4096) return refusedForError(AVUNERROR(error));
    return refused(MovieVerdict::unreadable, "it cannot be read (" + ffmpegMessage(error) + ")");
}

// "sound", "sound and subtitles", "sound, subtitles and data": the kinds of the tracks, in words.
std::string kindsOfTracks(const AVFormatContext* format)
{
    bool sound = false, subtitles = false, data = false;
    for (unsigned i = 0; i < format->nb_streams; ++i) {
        const AVStream* stream = format->streams[i];
        const AVMediaType type = stream->codecpar->codec_type;
        if (type == AVMEDIA_TYPE_AUDIO)
            sound = true;
        else if (type == AVMEDIA_TYPE_SUBTITLE)
            subtitles = true;
        else if (!(stream->disposition & AV_DISPOSITION_ATTACHED_PIC))
            data = true;
    }
    std::vector<std::string> kinds;
    if (sound) kinds.emplace_back("sound");
    if (subtitles) kinds.emplace_back("subtitles");
    if (data) kinds.emplace_back("data");
    std::string text;
    for (std::size_t i = 0; i < kinds.size(); ++i)
        text += (i == 0 ? "" : i + 1 == kinds.size() ? " and " : ", ") + kinds[i];
    return text;
}

MovieProbe refusedWithoutVideo(const AVFormatContext* format)
{
    const std::string kinds = kindsOfTracks(format);
    const std::string name = format->iformat->long_name ? format->iformat->long_name : format->iformat->name;
    return refused(MovieVerdict::noVideo, "it has no video track, " +
                                              (kinds.empty() ? std::string("nor any other") : "only " + kinds) +
                                              " (read as " + name + ")");
}

}  // namespace

MovieProbe probeMovie(const core::Url& url)
{
    if (!url.isFileURL()) return refused(MovieVerdict::missing, "it is not a file of this computer");
    const std::string path = url.path();
    struct stat status {};
    if (stat(path.c_str(), &status) != 0) return refusedForError(errno);
    if (S_ISDIR(status.st_mode)) return refused(MovieVerdict::folder, "it is a folder");
    if (S_ISREG(status.st_mode) && status.st_size == 0) return refused(MovieVerdict::empty, "it is empty");

    int error = 0;
    const detail::FormatContextPtr format = detail::openFormat(path, &error);
    if (!format) return refusedForOpening(error);
    if (detail::isStillImageFormat(format->iformat))
        return refused(MovieVerdict::notAMovie, "it is a still picture, not a movie");
    if (detail::isTextFormat(format->iformat)) return refused(MovieVerdict::notAMovie, "it is text, not a movie");
    // Most containers list their tracks in their header; program and transport streams only in their packets.
    if (detail::movieVideoStream(format.get()) >= 0) return {};
    if (const int found = avformat_find_stream_info(format.get(), nullptr); found < 0)
        return refused(MovieVerdict::damaged, "its tracks cannot be read (" + ffmpegMessage(found) + ")");
    if (detail::movieVideoStream(format.get()) >= 0) return {};
    return refusedWithoutVideo(format.get());
}

}  // namespace media
