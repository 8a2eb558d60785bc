// Every picture the program carries, by resource name.
#pragma once
#include <string>
#include <vector>

#include "core/bmp.h"
#include "core/image.h"

namespace art {

struct Picture {
    std::string name;    // resource name, upper case
    std::string family;  // groups pictures on the contact sheets
    Image img;
    BmpFormat format;
};

std::vector<Picture> build_catalogue();

}  // namespace art
