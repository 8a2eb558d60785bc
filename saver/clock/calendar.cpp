#include "clock/calendar.h"

const char* const MonthNames[13] = {"",     "Januar", "Februar", "M\xE4rz",  "April",    "Mai",     "Juni",
                                    "Juli", "August", "September", "Oktober", "November", "Dezember"};
