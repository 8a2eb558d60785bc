// The date source, the month calendar painted on the board, and the holiday tests.
#pragma once

// Index 0 is empty; 1..12 are the German month names (code page 1252).
extern const char* const MonthNames[13];
