// The small check macro shared by the generator's test programs: a failed check prints where
// and what, and the program's exit code tells ctest whether any failed.
#pragma once
#include <cstdio>
#include <string>

static int g_passed = 0, g_failed = 0;
static std::string g_case;  // what is being checked, printed with a failure

#define CHECK(cond)                                                                         \
    do {                                                                                    \
        if (cond) {                                                                         \
            ++g_passed;                                                                     \
        } else {                                                                            \
            ++g_failed;                                                                     \
            std::printf("FAIL [%s] %s:%d: %s\n", g_case.c_str(), __FILE__, __LINE__, #cond); \
        }                                                                                   \
    } while (0)
