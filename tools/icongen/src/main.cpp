// icongen <outdir>: the program icons as <outdir>/saver.ico, setup.ico and setup_saver.ico, and
// the saver's resource script fragment <outdir>/icons.rc.
#include <cstdio>
#include <exception>
#include <string>

#include "icon_art.h"
#include "ico_file.h"

int main(int argc, char** argv) {
    if (argc != 2 || argv[1][0] == '-') {
        std::fprintf(stderr, "usage: icongen <outdir>\n");
        return 2;
    }
    const std::string dir = argv[1];
    try {
        const std::vector<uint8_t> bus = icons::IcoBytes(icons::BusIcon());
        const std::vector<uint8_t> stop = icons::IcoBytes(icons::StopIcon());
        const std::string rc = "100 ICON \"saver.ico\"\n";
        const struct {
            const char* name;
            std::vector<uint8_t> bytes;
        } files[] = {
            {"saver.ico", bus},
            {"setup_saver.ico", bus},
            {"setup.ico", stop},
            {"icons.rc", std::vector<uint8_t>(rc.begin(), rc.end())},
        };
        for (const auto& file : files) {
            if (!icons::WriteFile(dir + "/" + file.name, file.bytes)) {
                std::fprintf(stderr, "icongen: cannot write %s/%s\n", dir.c_str(), file.name);
                return 1;
            }
        }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "icongen: %s\n", error.what());
        return 1;
    }
    return 0;
}
