// The program icons, painted as pixel art: a bus front beside a street lamp (the screen saver)
// and a bus-stop "H" sign (the installer), each at 32 x 32 and 16 x 16.
#pragma once
#include <string>
#include <vector>

#include "ico_file.h"

namespace icons {

// The colours every icon is painted with, one character each; '.' is transparent.
struct Ink {
    char key;
    Rgb colour;
};
const std::vector<Ink>& Inks();

// A square picture from rows of ink characters. Throws std::invalid_argument when the rows do
// not form a square or use a character that is not an ink.
IconImage ImageFromRows(const std::vector<std::string>& rows);

Icon BusIcon();
Icon StopIcon();

}  // namespace icons
