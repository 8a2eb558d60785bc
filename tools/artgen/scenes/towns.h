// Previews of the other three streets (backgrounds 2 to 4), 262 x 169.
#pragma once
#include "../core/image.h"

namespace towns {

constexpr int kWidth = 262, kHeight = 169;

// 2: market square, 3: suburban road, 4: tram street; all by day.
art::Image paint_town(int background);

}  // namespace towns
