// The advertising board next to the shelter and the posters it carries.
#pragma once
#include "../core/image.h"

namespace board {

constexpr int kWidth = 168, kHeight = 149;        // board with its legs
constexpr int kPosterW = 168, kPosterH = 130;     // motive picture
// The paper inside the frame; outside it a motive is transparent so the
// board's frame shows.
constexpr art::Rect kPaper{5, 5, 158, 122};
// The board's legs, relative to the board; the street picture puts the
// footings under them.
constexpr int kLegX[2] = {13, 147};
constexpr int kLegW = 8;

art::Image paint_board(bool night);
// n = 1..8; motive 1 is the blank calendar sheet.
art::Image paint_motive(int n, bool night);

}  // namespace board
