#include "tests/moviekit/test_movies.h"

#include "tests/support/ffmpeg_tool.h"
#include "tests/support/temp_dir.h"

#include <filesystem>
#include <fstream>
#include <map>
#include <mutex>

namespace moviekittest {

namespace {

testsupport::TempDir& folder()
{
    static testsupport::TempDir dir("moviekit");
    return dir;
}

std::string made(const std::string& name, const testmovie::MovieSpec& spec)
{
    static std::mutex mutex;
    static std::map<std::string, std::string> paths;
    std::lock_guard lock(mutex);
    auto found = paths.find(name);
    if (found != paths.end()) return found->second;
    const std::string path = (folder() / name).string();
    testmovie::writeMovie(path, spec);
    return paths[name] = path;
}

}  // namespace

std::string smallMovie() { return made("Small.Clip.mp4", testmovie::MovieSpec{}); }

std::string hdMovie()
{
    testmovie::MovieSpec spec;
    spec.width = 1920;
    spec.height = 1080;
    spec.rateNum = 25;
    spec.rateDen = 1;
    spec.frameCount = 8;
    spec.keyInterval = 4;
    return made("HD.mov", spec);
}

std::string stripMovie()
{
    testmovie::MovieSpec spec;
    spec.width = 320;
    spec.height = 180;
    spec.rateNum = 25;
    spec.rateDen = 1;
    spec.frameCount = 27;
    spec.keyInterval = 1;
    spec.bFrames = false;
    return made("Strip.mp4", spec);
}

std::string secondsMovie(int seconds)
{
    testmovie::MovieSpec spec;
    spec.rateNum = 1;
    spec.rateDen = 1;
    spec.frameCount = seconds;
    return made("Seconds" + std::to_string(seconds) + ".mp4", spec);
}

std::string soundOnlyMovie()
{
    testmovie::MovieSpec spec;
    spec.audio = true;
    spec.video = false;
    return made("Sound.mp4", spec);
}

std::string rotatedMovie(int degrees)
{
    testmovie::MovieSpec spec;
    spec.frameCount = 6;
    spec.rotation = degrees;
    return made("Turned" + std::to_string(degrees) + ".mp4", spec);
}

std::string taggedMovie(int degrees)
{
    static std::mutex mutex;
    std::lock_guard lock(mutex);
    const std::string path = (folder() / ("Tagged" + std::to_string(degrees) + ".mp4")).string();
    if (!std::filesystem::exists(path)) testsupport::copyStoredTurned(smallMovie(), degrees, path);
    return path;
}

std::string fileWith(const std::string& name, const std::string& bytes)
{
    const std::string path = (folder() / name).string();
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}

std::string missingFile() { return (folder() / "Nothing Here.mov").string(); }

}  // namespace moviekittest
