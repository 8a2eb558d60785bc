// Checks of the sound generator: the DSP parts whose mistakes are hard to hear, the WAVE files
// as Windows will read them, and the program's command-line contract.
//
// usage: soundgen_tests [<path to soundgen> <scratch dir>]
// Without arguments only the in-process checks run.
#include <algorithm>
#include <cmath>
#include <complex>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "dsp.h"
#include "sound_catalogue.h"
#include "wave_file.h"

namespace {

int g_failures = 0;
int g_checks = 0;

void check(bool ok, const std::string& what) {
    ++g_checks;
    if (!ok) {
        ++g_failures;
        std::printf("  FAIL: %s\n", what.c_str());
    }
}

std::string fmt(double v) {
    char s[32];
    std::snprintf(s, sizeof s, "%.4g", v);
    return s;
}

sg::Buffer sine(double hz, double seconds, double amp = 1.0) {
    sg::Buffer b(sg::samplesFor(seconds));
    for (std::size_t i = 0; i < b.size(); ++i) b[i] = amp * std::sin(2.0 * sg::kPi * hz * sg::timeOf(i));
    return b;
}

// Steady-state amplitude of a filtered sine (skips the filter's settling time).
double gainAt(sg::Biquad filter, double hz) {
    const sg::Buffer out = sg::filtered(sine(hz, 0.5), filter);
    double p = 0.0;
    for (std::size_t i = out.size() / 2; i < out.size(); ++i) p = std::max(p, std::fabs(out[i]));
    return p;
}

// Average frequency from the rising zero crossings between two times.
double crossingFrequency(const sg::Buffer& b, double from, double to) {
    const std::size_t a = sg::samplesFor(from), e = std::min(b.size(), sg::samplesFor(to));
    double first = -1.0, last = -1.0;
    int count = 0;
    for (std::size_t i = a + 1; i < e; ++i) {
        if (b[i - 1] < 0.0 && b[i] >= 0.0) {
            const double at = static_cast<double>(i - 1) + b[i - 1] / (b[i - 1] - b[i]);
            if (first < 0.0) first = at;
            last = at;
            ++count;
        }
    }
    return count < 2 ? 0.0 : (count - 1) * sg::kSampleRate / (last - first);
}

double rms(const sg::Buffer& b, double from, double to) {
    const std::size_t a = sg::samplesFor(from), e = std::min(b.size(), sg::samplesFor(to));
    double s = 0.0;
    for (std::size_t i = a; i < e; ++i) s += b[i] * b[i];
    return e > a ? std::sqrt(s / static_cast<double>(e - a)) : 0.0;
}

// Magnitude spectrum (Hann window, zero padded to a power of two).
std::vector<double> spectrum(const std::vector<std::int16_t>& pcm, std::size_t& fftSize) {
    fftSize = 1;
    while (fftSize < pcm.size()) fftSize <<= 1;
    std::vector<std::complex<double>> x(fftSize);
    for (std::size_t i = 0; i < pcm.size(); ++i) {
        const double w = 0.5 - 0.5 * std::cos(2.0 * sg::kPi * static_cast<double>(i) / static_cast<double>(pcm.size()));
        x[i] = w * pcm[i];
    }
    for (std::size_t i = 1, j = 0; i < fftSize; ++i) {
        std::size_t bit = fftSize >> 1;
        for (; j & bit; bit >>= 1) j ^= bit;
        j ^= bit;
        if (i < j) std::swap(x[i], x[j]);
    }
    for (std::size_t len = 2; len <= fftSize; len <<= 1) {
        const std::complex<double> w = std::polar(1.0, -2.0 * sg::kPi / static_cast<double>(len));
        for (std::size_t i = 0; i < fftSize; i += len) {
            std::complex<double> wn(1.0);
            for (std::size_t k = 0; k < len / 2; ++k) {
                const auto u = x[i + k], v = x[i + k + len / 2] * wn;
                x[i + k] = u + v;
                x[i + k + len / 2] = u - v;
                wn *= w;
            }
        }
    }
    std::vector<double> mag(fftSize / 2);
    for (std::size_t k = 0; k < mag.size(); ++k) mag[k] = std::abs(x[k]);
    return mag;
}

double binHz(std::size_t k, std::size_t fftSize) { return static_cast<double>(k) * sg::kSampleRate / static_cast<double>(fftSize); }

// Power-weighted mean frequency: where the energy of the sound lies.
double spectralCentroid(const std::vector<std::int16_t>& pcm) {
    std::size_t n = 0;
    const auto mag = spectrum(pcm, n);
    double num = 0.0, den = 0.0;
    for (std::size_t k = 1; k < mag.size(); ++k) {
        num += binHz(k, n) * mag[k] * mag[k];
        den += mag[k] * mag[k];
    }
    return den > 0.0 ? num / den : 0.0;
}

// Voice pitch of the loudest 60 ms: the shortest lag (80 to 600 Hz) whose normalised
// autocorrelation comes close to the best one, so that octave-low lags are not taken.
double voicePitch(const std::vector<std::int16_t>& pcm) {
    const std::size_t len = sg::samplesFor(0.06);
    std::size_t best = 0;
    double bestEnergy = -1.0;
    for (std::size_t at = 0; at + len <= pcm.size(); at += len / 4) {
        double e = 0.0;
        for (std::size_t i = at; i < at + len; ++i) e += static_cast<double>(pcm[i]) * pcm[i];
        if (e > bestEnergy) {
            bestEnergy = e;
            best = at;
        }
    }
    const std::size_t minLag = sg::kSampleRate / 600, maxLag = sg::kSampleRate / 80;
    std::vector<double> r(maxLag + 1, 0.0);
    double top = 0.0;
    for (std::size_t lag = minLag; lag <= maxLag; ++lag) {
        double xy = 0.0, xx = 0.0, yy = 0.0;
        for (std::size_t i = best; i + lag < best + len && i + lag < pcm.size(); ++i) {
            xy += static_cast<double>(pcm[i]) * pcm[i + lag];
            xx += static_cast<double>(pcm[i]) * pcm[i];
            yy += static_cast<double>(pcm[i + lag]) * pcm[i + lag];
        }
        r[lag] = (xx > 0.0 && yy > 0.0) ? xy / std::sqrt(xx * yy) : 0.0;
        top = std::max(top, r[lag]);
    }
    for (std::size_t lag = minLag + 1; lag < maxLag; ++lag)
        if (r[lag] >= 0.9 * top && r[lag] >= r[lag - 1] && r[lag] >= r[lag + 1]) return sg::kSampleRate / static_cast<double>(lag);
    return 0.0;
}

double strongestFrequency(const std::vector<std::int16_t>& pcm) {
    std::size_t n = 0;
    const auto mag = spectrum(pcm, n);
    std::size_t best = 1;
    for (std::size_t k = 1; k < mag.size(); ++k)
        if (mag[k] > mag[best]) best = k;
    return binHz(best, n);
}

std::vector<std::uint8_t> readFile(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// ---------------------------------------------------------------------------------------------

void testRandomSource() {
    std::puts("random source");
    sg::Rng a(42), b(42), c(43);
    bool same = true, differs = false;
    for (int i = 0; i < 1000; ++i) {
        const auto va = a.next(), vb = b.next(), vc = c.next();
        same = same && va == vb;
        differs = differs || va != vc;
    }
    check(same, "the same seed gives the same sequence");
    check(differs, "different seeds give different sequences");

    sg::Rng r(7);
    double sum = 0.0, lo = 1.0, hi = 0.0;
    std::vector<int> hits(5, 0);
    const int n = 200000;
    for (int i = 0; i < n; ++i) {
        const double u = r.uniform();
        sum += u;
        lo = std::min(lo, u);
        hi = std::max(hi, u);
        ++hits[static_cast<std::size_t>(r.below(5))];
    }
    check(lo >= 0.0 && hi < 1.0, "uniform stays in [0, 1)");
    check(std::fabs(sum / n - 0.5) < 0.005, "uniform has mean 0.5, got " + fmt(sum / n));
    check(*std::min_element(hits.begin(), hits.end()) > n / 5 * 0.95, "below(5) hits every value evenly");
}

void testFilters() {
    std::puts("filters");
    using K = sg::Biquad::Kind;
    const double passLow = gainAt(sg::Biquad(K::Lowpass, 500.0, 0.707), 100.0);
    const double stopLow = gainAt(sg::Biquad(K::Lowpass, 500.0, 0.707), 4000.0);
    check(passLow > 0.95 && passLow < 1.05, "low-pass passes 100 Hz, gain " + fmt(passLow));
    check(stopLow < 0.03, "low-pass at 500 Hz stops 4 kHz, gain " + fmt(stopLow));

    const double passHigh = gainAt(sg::Biquad(K::Highpass, 500.0, 0.707), 4000.0);
    const double stopHigh = gainAt(sg::Biquad(K::Highpass, 500.0, 0.707), 60.0);
    check(passHigh > 0.95 && passHigh < 1.05, "high-pass passes 4 kHz, gain " + fmt(passHigh));
    check(stopHigh < 0.03, "high-pass at 500 Hz stops 60 Hz, gain " + fmt(stopHigh));

    const double centre = gainAt(sg::Biquad(K::Bandpass, 1000.0, 3.0), 1000.0);
    const double below = gainAt(sg::Biquad(K::Bandpass, 1000.0, 3.0), 250.0);
    const double above = gainAt(sg::Biquad(K::Bandpass, 1000.0, 3.0), 4000.0);
    check(centre > 0.95 && centre < 1.05, "band-pass has unity gain at its centre, got " + fmt(centre));
    check(below < 0.15 && above < 0.15, "band-pass rejects two octaves away: " + fmt(below) + ", " + fmt(above));

    const double boost = gainAt(sg::Biquad(K::Peak, 1000.0, 1.0, 12.0), 1000.0);
    check(std::fabs(boost - std::pow(10.0, 12.0 / 20.0)) < 0.1, "peak filter boosts its centre by 12 dB, gain " + fmt(boost));

    sg::OnePoleLowpass smooth(200.0);
    sg::Buffer tone = sine(5000.0, 0.3);
    double p = 0.0;
    for (std::size_t i = 0; i < tone.size(); ++i) {
        const double y = smooth.process(tone[i]);
        if (i > tone.size() / 2) p = std::max(p, std::fabs(y));
    }
    check(p < 0.06, "one-pole low-pass at 200 Hz damps 5 kHz, gain " + fmt(p));

    sg::Buffer offset(sg::samplesFor(1.0), 0.5);
    sg::removeDc(offset);
    check(std::fabs(offset.back()) < 0.005, "DC removal settles a constant offset to zero, left " + fmt(offset.back()));
}

void testEnvelopesAndLevels() {
    std::puts("envelopes and levels");
    const sg::Envelope env{{0.1, 0.0}, {0.2, 1.0}, {0.4, 0.5}};
    check(env.at(0.0) == 0.0 && std::fabs(env.at(0.15) - 0.5) < 1e-12 && std::fabs(env.at(0.3) - 0.75) < 1e-12 &&
              env.at(1.0) == 0.5,
          "envelope interpolates between its points and holds outside them");
    check(sg::strike(0.05, 0.1, 0.01, 0.1) == 0.0 && std::fabs(sg::strike(0.21, 0.1, 0.01, 0.1) - std::exp(-1.0)) < 1e-9,
          "strike is silent before its start and falls by 1/e after one time constant");

    sg::Buffer b = sine(440.0, 0.5);
    sg::fadeEdges(b, 0.01, 0.02);
    check(b.front() == 0.0 && b.back() == 0.0, "fades leave exact zeros at both ends");
    check(sg::peakOf(b) > 0.99, "fades do not touch the middle");
    check(std::fabs(b[sg::samplesFor(0.005)]) < 0.51, "fade-in is half way at half its length");

    sg::normalise(b, 0.42);
    check(std::fabs(sg::peakOf(b) - 0.42) < 1e-12, "normalise sets the peak exactly");

    sg::Buffer loud = sine(100.0, 0.1, 3.0);
    sg::softClip(loud, 2.0);
    check(sg::peakOf(loud) <= 1.0 + 1e-9, "soft clipping never exceeds full scale");
}

void testPassBy() {
    std::puts("pass-by (doppler)");
    sg::PassBy path;
    path.speed = 14.0;
    path.closest = 5.0;
    path.passTime = 0.8;
    path.refDistance = 5.0;
    const sg::Buffer b = sg::passBy(path, 1.6, [](std::size_t n, double t0) {
        sg::Buffer s(n);
        for (std::size_t i = 0; i < n; ++i) s[i] = std::sin(2.0 * sg::kPi * 1000.0 * (t0 + sg::timeOf(i)));
        return s;
    });
    const double approaching = crossingFrequency(b, 0.0, 0.3);
    const double leaving = crossingFrequency(b, 1.3, 1.6);
    const double passing = crossingFrequency(b, 0.77, 0.83);
    check(approaching > 1025.0 && approaching < 1045.0, "approaching source sounds higher: " + fmt(approaching) + " Hz");
    check(leaving < 975.0 && leaving > 955.0, "receding source sounds lower: " + fmt(leaving) + " Hz");
    check(std::fabs(passing - 1000.0) < 10.0, "source abreast sounds at its own pitch: " + fmt(passing) + " Hz");
    check(rms(b, 0.75, 0.85) > 2.0 * rms(b, 0.0, 0.1), "source is loudest when it passes");
}

void testWaveFormat() {
    std::puts("WAVE encoding and parsing");
    const std::vector<std::int16_t> pcm = {0, 1, -1, 32767, -32768, 1234, -4321, 0};
    const auto bytes = sg::encodeWave(pcm, sg::kSampleRate);
    sg::WaveInfo info;
    std::string error;
    check(bytes.size() == 44 + 2 * pcm.size(), "canonical 44-byte header plus data");
    check(sg::parseWave(bytes, info, error), "own output parses: " + error);
    check(info.formatTag == 1 && info.channels == 1 && info.sampleRate == 22050 && info.bitsPerSample == 16 &&
              info.blockAlign == 2 && info.byteRate == 44100,
          "format is PCM mono 22050 Hz 16-bit");
    check(info.samples == pcm, "samples survive the round trip, including the extremes");

    auto broken = bytes;
    broken[4] += 2;  // RIFF size no longer matches
    check(!sg::parseWave(broken, info, error), "a wrong RIFF size is rejected");
    broken = bytes;
    broken.resize(broken.size() - 2);
    check(!sg::parseWave(broken, info, error), "a truncated data chunk is rejected");
    broken = bytes;
    broken[40] = 3;  // data size odd: not whole frames, and past the end
    check(!sg::parseWave(broken, info, error), "a data size that is not whole frames is rejected");
    broken = bytes;
    broken[32] = 4;  // block align disagrees with the bit depth
    check(!sg::parseWave(broken, info, error), "inconsistent fmt fields are rejected");
    broken = bytes;
    std::copy_n("JUNK", 4, broken.begin() + 12);  // no fmt chunk any more
    check(!sg::parseWave(broken, info, error), "a file without fmt chunk is rejected");

    const auto clipped = sg::toPcm16({2.0, -2.0, 0.5, -0.5});
    check(clipped[0] == 32767 && clipped[1] == -32768 && clipped[2] == 16384 && clipped[3] == -16384,
          "conversion rounds and clamps to 16 bits");
}

void testCatalogue() {
    std::puts("catalogue and resource script");
    const auto& cat = sg::soundCatalogue();
    check(cat.size() == 27, "27 sounds");
    bool numbered = true;
    for (std::size_t i = 0; i < cat.size(); ++i) numbered = numbered && cat[i].number == static_cast<int>(i) + 1;
    check(numbered, "sounds are numbered 1..27 in order");
    check(sg::soundName(5) == "SOUND05" && sg::soundName(27) == "SOUND27", "names have two digits with a leading zero");

    std::istringstream rc(sg::resourceScript());
    std::string line;
    int n = 0;
    bool lines = true;
    while (std::getline(rc, line)) {
        ++n;
        char expect[64];
        std::snprintf(expect, sizeof expect, "SOUND%02d WAVE \"SOUND%02d.wav\"", n, n);
        lines = lines && line == expect;
    }
    check(n == 27 && lines, "sounds.rc has one line SOUNDnn WAVE \"SOUNDnn.wav\" per sound");
}

// Every sound as it will be written: format, length, level, clean edges, real content.
void testRenderedSounds(std::map<int, std::vector<std::int16_t>>& rendered) {
    std::puts("rendered sounds");
    for (const auto& r : sg::soundCatalogue()) {
        const std::string id = sg::soundName(r.number);
        const auto bytes = sg::renderWaveFile(r);
        sg::WaveInfo info;
        std::string error;
        if (!sg::parseWave(bytes, info, error)) {
            check(false, id + " parses: " + error);
            continue;
        }
        check(info.formatTag == 1 && info.channels == 1 && info.sampleRate == 22050 && info.bitsPerSample == 16,
              id + " is PCM mono 22050 Hz 16-bit");
        const auto& s = info.samples;
        const double seconds = static_cast<double>(s.size()) / info.sampleRate;
        const double limit = r.number == 5 ? 4.0 : 2.0;
        check(seconds > 0.25 && seconds < limit, id + " lasts " + fmt(seconds) + " s (limit " + fmt(limit) + ")");

        int peak = 0;
        double sum = 0.0;
        for (auto v : s) {
            peak = std::max(peak, std::abs(static_cast<int>(v)));
            sum += v;
        }
        const int target = static_cast<int>(std::lround(r.peak * 32767.0));
        check(std::abs(peak - target) <= 1, id + " peak " + std::to_string(peak) + " is at its level " + std::to_string(target));
        check(r.peak >= 0.3 && r.peak <= 0.85, id + " level leaves headroom and is not inaudible");
        check(std::fabs(sum / static_cast<double>(s.size())) < 0.01 * peak, id + " has no DC offset");

        // No click at either end: the first and last 2 ms stay far below the peak.
        const std::size_t edge = sg::samplesFor(0.002);
        int headMax = 0, tailMax = 0;
        for (std::size_t i = 0; i < edge; ++i) {
            headMax = std::max(headMax, std::abs(static_cast<int>(s[i])));
            tailMax = std::max(tailMax, std::abs(static_cast<int>(s[s.size() - 1 - i])));
        }
        check(s.front() == 0 && s.back() == 0, id + " starts and ends on zero");
        check(headMax < 0.05 * peak && tailMax < 0.05 * peak,
              id + " fades in and out (edge peaks " + std::to_string(headMax) + ", " + std::to_string(tailMax) + ")");

        // Real content: at least a tenth of a second of 10 ms blocks above a tenth of the peak.
        const std::size_t block = sg::samplesFor(0.01);
        int loudBlocks = 0;
        for (std::size_t at = 0; at + block <= s.size(); at += block) {
            double e = 0.0;
            for (std::size_t i = at; i < at + block; ++i) e += static_cast<double>(s[i]) * s[i];
            if (std::sqrt(e / static_cast<double>(block)) > 0.1 * peak) ++loudBlocks;
        }
        check(loudBlocks >= 10, id + " has sustained content (" + std::to_string(loudBlocks) + " loud blocks)");

        check(sg::renderWaveFile(r) == bytes, id + " renders to the same bytes twice");
        rendered[r.number] = s;
    }

    bool distinct = true;
    for (auto a = rendered.begin(); a != rendered.end(); ++a)
        for (auto b = std::next(a); b != rendered.end(); ++b)
            if (a->second == b->second) {
                distinct = false;
                check(false, sg::soundName(a->first) + " and " + sg::soundName(b->first) + " are identical");
            }
    check(distinct, "all sounds differ");
}

// Coarse timbre: the things that would be badly wrong if a recipe broke (a bird that rumbles,
// an engine that hisses, a bell at the wrong pitch).
void testCharacter(const std::map<int, std::vector<std::int16_t>>& rendered) {
    std::puts("character of the sounds");
    auto centroidOf = [&](int n) { return spectralCentroid(rendered.at(n)); };
    for (int n : {7, 8, 16}) {
        const double c = centroidOf(n);
        check(c > 2000.0, sg::soundName(n) + " (birds, bell) is bright: centroid " + fmt(c) + " Hz");
    }
    for (int n : {11, 14, 21}) {
        const double c = centroidOf(n);
        check(c > 1200.0, sg::soundName(n) + " (noise of bristles, air, crinkles) is hissy: centroid " + fmt(c) + " Hz");
    }
    for (int n : {6, 9, 20, 26, 27}) {
        const double c = centroidOf(n);
        check(c < 900.0, sg::soundName(n) + " (engines, door) is dark: centroid " + fmt(c) + " Hz");
    }
    const double chime = strongestFrequency(rendered.at(5));
    check(chime > 120.0 && chime < 900.0, "the chime's strongest partial lies in the bell range: " + fmt(chime) + " Hz");
    // Voices sit where people's voices sit: the woman high, the laughing men low.
    const double giggle = voicePitch(rendered.at(17)), call = voicePitch(rendered.at(18)), laugh = voicePitch(rendered.at(22));
    check(giggle > 250.0 && giggle < 500.0, "the giggle has a woman's pitch: " + fmt(giggle) + " Hz");
    check(call > 250.0 && call < 550.0, "the call has a woman's pitch: " + fmt(call) + " Hz");
    check(laugh > 90.0 && laugh < 240.0, "the laughter has men's pitch: " + fmt(laugh) + " Hz");
}

// The program itself: command line, file set, determinism between runs, same bytes as in-process.
void testProgram(const std::string& exe, const std::filesystem::path& scratch) {
    std::puts("soundgen program");
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::remove_all(scratch, ec);
    const fs::path runA = scratch / "a", runB = scratch / "b" / "nested";
    const std::string quote = "\"";
    check(std::system((quote + exe + quote + " " + quote + runA.string() + quote).c_str()) == 0, "first run succeeds");
    check(std::system((quote + exe + quote + " " + quote + runB.string() + quote).c_str()) == 0,
          "second run succeeds and creates missing directories");
    check(std::system((quote + exe + quote + " > " + quote + (scratch / "usage.txt").string() + quote + " 2>&1").c_str()) != 0,
          "running without an output directory fails");

    std::vector<std::string> expected;
    for (int n = 1; n <= 27; ++n) expected.push_back(sg::soundName(n) + ".wav");
    expected.push_back("sounds.rc");
    std::vector<std::string> present;
    for (const auto& e : fs::directory_iterator(runA, ec)) present.push_back(e.path().filename().string());
    std::sort(present.begin(), present.end());
    check(present == expected, "writes exactly SOUND01.wav .. SOUND27.wav and sounds.rc (" + std::to_string(present.size()) + " files)");

    for (const auto& name : expected) {
        const auto a = readFile(runA / name), b = readFile(runB / name);
        check(!a.empty() && a == b, name + " is identical in both runs");
    }
    for (const auto& r : sg::soundCatalogue()) {
        const auto bytes = readFile(runA / (sg::soundName(r.number) + ".wav"));
        sg::WaveInfo info;
        std::string error;
        check(sg::parseWave(bytes, info, error), sg::soundName(r.number) + ".wav from the program parses: " + error);
        check(bytes == sg::renderWaveFile(r), sg::soundName(r.number) + ".wav matches the in-process rendering");
    }
    const auto rc = readFile(runA / "sounds.rc");
    check(std::string(rc.begin(), rc.end()) == sg::resourceScript(), "sounds.rc holds the resource script");
    fs::remove_all(scratch, ec);
}

}  // namespace

int main(int argc, char** argv) {
    testRandomSource();
    testFilters();
    testEnvelopesAndLevels();
    testPassBy();
    testWaveFormat();
    testCatalogue();
    std::map<int, std::vector<std::int16_t>> rendered;
    testRenderedSounds(rendered);
    if (rendered.size() == 27) testCharacter(rendered);
    if (argc >= 3) {
        testProgram(argv[1], argv[2]);
    } else {
        std::puts("(program checks skipped: no soundgen path given)");
    }
    std::printf("%d checks, %d failed\n", g_checks, g_failures);
    return g_failures == 0 ? 0 : 1;
}
