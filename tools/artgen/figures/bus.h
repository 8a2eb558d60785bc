// The bus's pictures and the window geometry the engine paints faces into.
#pragma once
#include "core/image.h"

namespace art::vehicles {

constexpr int kBusDayW = 312, kBusNightW = 416, kBusH = 114;
constexpr int kBusNightShift = 99;  // the body sits this much further right at night, behind its beam
constexpr int kBusSeats = 6;
constexpr int kBusDayWindowX = 62, kBusNightWindowX = kBusDayWindowX + kBusNightShift, kBusWindowStep = 37;
constexpr int kBusWindowY = 25, kBusWindowW = 32, kBusWindowH = 26;

// Where seat 0..5's face goes in a day or night picture.
Rect bus_window(int seat, bool night);

// variant 0..2 (the wheels' turn), colour 1..3 (the livery).
Image paint_bus_frame(int variant, int colour, bool night);

}  // namespace art::vehicles
