// Seeded generators: every random-looking detail comes from here, so the same
// source always paints the same bytes.
#pragma once
#include <cstdint>

namespace art {

class Rng {
public:
    explicit Rng(uint64_t seed) : state_(seed) {}
    uint64_t next() {  // splitmix64
        uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    int below(int n) { return n <= 0 ? 0 : int(next() % uint64_t(n)); }
    int range(int lo, int hi) { return lo + below(hi - lo + 1); }  // inclusive
    double real() { return double(next() >> 11) * (1.0 / 9007199254740992.0); }
    bool chance(double p) { return real() < p; }

private:
    uint64_t state_;
};

// Stateless hash of a lattice point; the base of the value noise.
inline uint32_t hash2(int x, int y, uint32_t seed) {
    uint32_t h = uint32_t(x) * 0x8DA6B343u ^ uint32_t(y) * 0xD8163841u ^ seed * 0xCB1AB31Fu;
    h ^= h >> 13;
    h *= 0x85EBCA6Bu;
    h ^= h >> 16;
    return h;
}

// Smooth value noise in [0, 1]; cell is the feature size in pixels.
double value_noise(double x, double y, double cell, uint32_t seed);
// Sum of octaves, still in [0, 1].
double fractal_noise(double x, double y, double cell, int octaves, uint32_t seed);

}  // namespace art
