// testmovie: writes a test movie whose frames carry their own index.
//   testmovie OUT.(mp4|mkv|avi|mov|webm|ts|m2ts) [--codec h264|mpeg4|mjpeg|vp9|prores|mpeg2] [--size WxH] [--rate N/D]
//             [--frames N] [--keyint N] [--no-bframes] [--vfr] [--start TICKS] [--rotate DEG] [--sar N:D]
//             [--bt709] [--audio] [--texture]
#include "tools/testmovie/test_movie.h"

#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: testmovie OUT [options]; see the source's head for the options\n");
        return 2;
    }
    testmovie::MovieSpec spec;
    const std::map<std::string, testmovie::Codec> codecs = {
        {"h264", testmovie::Codec::h264}, {"mpeg4", testmovie::Codec::mpeg4},   {"mjpeg", testmovie::Codec::mjpeg},
        {"vp9", testmovie::Codec::vp9},   {"prores", testmovie::Codec::prores}, {"mpeg2", testmovie::Codec::mpeg2}};
    for (int i = 2; i < argc; ++i) {
        std::string option = argv[i];
        auto value = [&]() -> std::string {
            if (i + 1 >= argc) {
                std::fprintf(stderr, "testmovie: %s needs a value\n", option.c_str());
                std::exit(2);
            }
            return argv[++i];
        };
        if (option == "--codec" && codecs.count(argv[i + 1 < argc ? i + 1 : i]))
            spec.codec = codecs.at(value());
        else if (option == "--size")
            std::sscanf(value().c_str(), "%dx%d", &spec.width, &spec.height);
        else if (option == "--rate")
            std::sscanf(value().c_str(), "%d/%d", &spec.rateNum, &spec.rateDen);
        else if (option == "--frames")
            spec.frameCount = std::atoi(value().c_str());
        else if (option == "--keyint")
            spec.keyInterval = std::atoi(value().c_str());
        else if (option == "--start")
            spec.startTicks = std::atoll(value().c_str());
        else if (option == "--rotate")
            spec.rotation = std::atoi(value().c_str());
        else if (option == "--sar")
            std::sscanf(value().c_str(), "%d:%d", &spec.sampleAspectNum, &spec.sampleAspectDen);
        else if (option == "--no-bframes")
            spec.bFrames = false;
        else if (option == "--vfr")
            spec.variableFrameRate = true;
        else if (option == "--bt709")
            spec.matrix = testmovie::Matrix::bt709;
        else if (option == "--audio")
            spec.audio = true;
        else if (option == "--texture")
            spec.texture = true;
        else {
            std::fprintf(stderr, "testmovie: unknown option %s\n", option.c_str());
            return 2;
        }
    }
    try {
        testmovie::writeMovie(argv[1], spec);
    } catch (const testmovie::Failure& failure) {
        std::fprintf(stderr, "testmovie: %s\n", failure.what());
        return 1;
    }
    return 0;
}
