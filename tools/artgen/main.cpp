// artgen <outdir>            every picture as <outdir>/<NAME>.bmp and the
//                            resource script fragment <outdir>/pictures.rc
// artgen --contact <pngdir>  contact sheets for review
#include <cstdio>
#include <cstring>
#include <string>

#include "catalogue.h"
#include "contact.h"
#include "core/bmp.h"

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "--contact") == 0) {
        auto pics = art::build_catalogue();
        int n = art::write_contact_sheets(pics, argv[2]);
        if (n < 0) {
            std::fprintf(stderr, "artgen: cannot write contact sheets to %s\n", argv[2]);
            return 1;
        }
        std::printf("artgen: %d contact sheets in %s\n", n, argv[2]);
        return 0;
    }
    if (argc != 2 || argv[1][0] == '-') {
        std::fprintf(stderr, "usage: artgen <outdir> | artgen --contact <pngdir>\n");
        return 2;
    }
    std::string dir = argv[1];
    auto pics = art::build_catalogue();
    std::string rc;
    for (const art::Picture& p : pics) {
        if (!art::write_file(dir + "/" + p.name + ".bmp", art::bmp_bytes(p.img, p.format))) {
            std::fprintf(stderr, "artgen: cannot write %s/%s.bmp\n", dir.c_str(), p.name.c_str());
            return 1;
        }
        rc += p.name + " BITMAP \"" + p.name + ".bmp\"\n";
    }
    if (!art::write_file(dir + "/pictures.rc", std::vector<uint8_t>(rc.begin(), rc.end()))) {
        std::fprintf(stderr, "artgen: cannot write %s/pictures.rc\n", dir.c_str());
        return 1;
    }
    return 0;
}
