// Passengers seen through a bus window: head and shoulders of a cast member
// in front of the bus's seats, 32 x 26, by day and at night.
#pragma once
#include "core/image.h"

namespace art::figures {

constexpr int kFaceW = 32, kFaceH = 26;

// The window picture of cast member `id` (1..23).
Image paint_face(int id, bool night);

}  // namespace art::figures
