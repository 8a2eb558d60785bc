// The 27 scene sounds: what each one is, how loud it is written, and its recipe.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "dsp.h"

namespace sg {

constexpr int kSoundCount = 27;

struct SoundRecipe {
    int number;           // 1..27, the resource is SOUND%02d
    const char* what;     // one line for listings
    double peak;          // written peak level, fraction of full scale
    double seconds;       // length of the finished sound
    Buffer (*make)(Rng& rng);
};

const std::vector<SoundRecipe>& soundCatalogue();

// "SOUND07" for 7.
std::string soundName(int number);

// The finished signal: recipe, DC removed, click-free edges, normalised to the recipe's peak.
Buffer renderSound(const SoundRecipe& recipe);

// The finished sound as the bytes of a WAVE file (mono, kSampleRate, 16-bit PCM).
std::vector<std::uint8_t> renderWaveFile(const SoundRecipe& recipe);

// The resource script fragment: one line `SOUNDnn WAVE "SOUNDnn.wav"` per sound.
std::string resourceScript();

// Writes SOUND01.wav .. SOUND27.wav and sounds.rc into dir (which must exist or be creatable).
bool writeAllSounds(const std::string& dir, std::string& error);

}  // namespace sg
