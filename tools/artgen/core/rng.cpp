#include "rng.h"

#include <cmath>

namespace art {

static double lattice(int x, int y, uint32_t seed) { return (hash2(x, y, seed) & 0xFFFF) / 65535.0; }

double value_noise(double x, double y, double cell, uint32_t seed) {
    double fx = x / cell, fy = y / cell;
    int ix = int(std::floor(fx)), iy = int(std::floor(fy));
    double tx = fx - ix, ty = fy - iy;
    tx = tx * tx * (3 - 2 * tx);
    ty = ty * ty * (3 - 2 * ty);
    double a = lattice(ix, iy, seed), b = lattice(ix + 1, iy, seed);
    double c = lattice(ix, iy + 1, seed), d = lattice(ix + 1, iy + 1, seed);
    return (a + (b - a) * tx) * (1 - ty) + (c + (d - c) * tx) * ty;
}

double fractal_noise(double x, double y, double cell, int octaves, uint32_t seed) {
    double sum = 0, weight = 0, amp = 1;
    for (int o = 0; o < octaves; ++o) {
        sum += value_noise(x, y, cell, seed + 977u * o) * amp;
        weight += amp;
        amp *= 0.5;
        cell *= 0.5;
        if (cell < 1) break;
    }
    return sum / weight;
}

}  // namespace art
