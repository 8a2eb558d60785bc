// RIFF/WAVE encoding of mono 16-bit PCM, and a strict reader that the tests use to check
// every file the generator writes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "dsp.h"

namespace sg {

constexpr int kBitsPerSample = 16;

// Rounds to 16-bit; values beyond full scale are clamped (the catalogue never gets there).
std::vector<std::int16_t> toPcm16(const Buffer& signal);
std::vector<std::uint8_t> encodeWave(const std::vector<std::int16_t>& samples, int sampleRate);

struct WaveInfo {
    int formatTag = 0;
    int channels = 0;
    int sampleRate = 0;
    int byteRate = 0;
    int blockAlign = 0;
    int bitsPerSample = 0;
    std::vector<std::int16_t> samples;  // filled for 16-bit data only
};

// Walks the chunk list and checks that every size is consistent with the file. Returns false
// and sets error when anything is off.
bool parseWave(const std::vector<std::uint8_t>& bytes, WaveInfo& info, std::string& error);

}  // namespace sg
