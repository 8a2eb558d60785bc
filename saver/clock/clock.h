// The four-digit clock on the shelter, drawn straight onto the window.
#pragma once

// Draws hour and minute when the minute changed or a redraw is pending; chimes at the full hour.
void DrawClock(int hour, int minute);
// The hour as the clock shows it: 13..23 become 1..11 on a 12-hour clock; 0 and 12 stay.
int DisplayedHour(int hour, int use24HourClock);
