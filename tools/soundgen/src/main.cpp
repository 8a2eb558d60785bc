// soundgen <outdir>: writes SOUND01.wav .. SOUND27.wav and the resource fragment sounds.rc.
#include <cstdio>
#include <string>

#include "sound_catalogue.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: soundgen <outdir>\n");
        return 2;
    }
    std::string error;
    if (!sg::writeAllSounds(argv[1], error)) {
        std::fprintf(stderr, "soundgen: %s\n", error.c_str());
        return 1;
    }
    return 0;
}
