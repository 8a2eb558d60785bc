// The small check macro shared by the generator's test programs: a failed check prints where
// and what, and the program's exit code tells ctest whether any failed.
#pragma once
#include <cstdio>
#include <string>
#include <vector>

#include "catalogue.h"
#include "core/palette.h"

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

// A picture of the catalogue by name, or null.
static inline const art::Picture* find(const std::vector<art::Picture>& pics, const std::string& n) {
    for (const art::Picture& p : pics)
        if (p.name == n) return &p;
    return nullptr;
}

// How light a palette entry looks, 0 (black) to 255.
static inline double luminance(uint8_t i) {
    art::Rgb c = art::palette()[i];
    return 0.3 * c.r + 0.59 * c.g + 0.11 * c.b;
}
