// Small signal-processing toolkit for the scene sounds: a seeded random source, oscillators,
// filters, envelopes and the few effects (distance, pass-by) that the recipes share.
// Signals are plain vectors of doubles at one fixed sample rate, full scale = 1.0.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <utility>
#include <vector>

namespace sg {

constexpr int kSampleRate = 22050;
constexpr double kPi = 3.14159265358979323846;
constexpr double kSpeedOfSound = 343.0;  // metres per second

using Buffer = std::vector<double>;

std::size_t samplesFor(double seconds);
double timeOf(std::size_t index);

// SplitMix64: tiny, fast and identical on every platform, so the sounds never depend on the
// standard library's distributions.
class Rng {
public:
    explicit Rng(std::uint64_t seed) : state_(seed) {}
    std::uint64_t next();
    double uniform();                    // [0, 1)
    double bipolar();                    // [-1, 1)
    double range(double lo, double hi);  // [lo, hi)
    int below(int n);                    // 0 .. n-1
    double gauss();                      // mean 0, deviation 1 (sum of uniforms, bounded tails)

private:
    std::uint64_t state_;
};

// Phase accumulator in cycles; lets frequency change per sample without phase jumps.
class Phasor {
public:
    explicit Phasor(double startPhase = 0.0) : phase_(startPhase) {}
    double advance(double hz);  // returns the phase before the step, in [0, 1)
    double phase() const { return phase_; }

private:
    double phase_;
};

double sineAt(double phase);
// Band-limited-ish waveforms built from a fixed number of harmonics (no aliasing surprises at
// the low pitches we use).
double sawAt(double phase, int harmonics);
double squareAt(double phase, int harmonics);

class OnePoleLowpass {
public:
    explicit OnePoleLowpass(double cutoffHz = 1000.0) { setCutoff(cutoffHz); }
    void setCutoff(double cutoffHz);
    double process(double x);

private:
    double a_ = 0.0, y_ = 0.0;
};

class OnePoleHighpass {
public:
    explicit OnePoleHighpass(double cutoffHz = 20.0) { setCutoff(cutoffHz); }
    void setCutoff(double cutoffHz);
    double process(double x);

private:
    double a_ = 0.0, xPrev_ = 0.0, y_ = 0.0;
};

// Second-order section (RBJ cookbook forms). Coefficients may be changed while running for
// sweeps; the state is kept.
class Biquad {
public:
    enum class Kind { Lowpass, Highpass, Bandpass, Peak };
    Biquad() = default;
    Biquad(Kind kind, double hz, double q, double gainDb = 0.0) { set(kind, hz, q, gainDb); }
    void set(Kind kind, double hz, double q, double gainDb = 0.0);
    double process(double x);
    void reset() { x1_ = x2_ = y1_ = y2_ = 0.0; }

private:
    double b0_ = 1, b1_ = 0, b2_ = 0, a1_ = 0, a2_ = 0;
    double x1_ = 0, x2_ = 0, y1_ = 0, y2_ = 0;
};

// Piecewise-linear envelope through (time, value) points; flat before the first and after the
// last point.
class Envelope {
public:
    Envelope(std::initializer_list<std::pair<double, double>> points);
    explicit Envelope(std::vector<std::pair<double, double>> points);
    double at(double t) const;

private:
    std::vector<std::pair<double, double>> points_;
};

// Attack (linear), then exponential decay with time constant tau; zero before start.
double strike(double t, double start, double attack, double tau);
// Smooth 0..1 bump between start and end with raised-cosine edges of the given length.
double window(double t, double start, double end, double edge);

Buffer whiteNoise(Rng& rng, std::size_t n);
Buffer brownNoise(Rng& rng, std::size_t n);  // integrated, leaky, normalised to about +-1

Buffer filtered(const Buffer& in, Biquad filter);
void mixInto(Buffer& dst, const Buffer& src, double startSeconds, double gain = 1.0);
double peakOf(const Buffer& b);
void scale(Buffer& b, double gain);
void normalise(Buffer& b, double peak);
void removeDc(Buffer& b, double cutoffHz = 25.0);
// Raised-cosine fade in and out; afterwards the first and the last sample are exactly zero.
void fadeEdges(Buffer& b, double fadeInSeconds, double fadeOutSeconds);
// Saturation curve for signals within +-1 (louder input is limited first).
void softClip(Buffer& b, double drive);

// Sound heard from across the street: treble lost to air and walls, plus a short diffuse tail
// from the house fronts.
Buffer distant(const Buffer& in, double lowpassHz, double wet);
// Schroeder reverberator: four combs and two all-passes.
Buffer reverb(const Buffer& in, double roomScale, double damping, double wet);

// A source moving along a straight line past the listener at the closest distance, at the
// given speed, closest at passTime. Each output sample reads the source at its emission time
// (t - r/c), which yields the doppler shift of every component, and is scaled by refDistance/r.
// The source function is evaluated on a dense grid that starts early enough for the delay.
struct PassBy {
    double speed = 14.0;         // m/s
    double closest = 5.0;        // m
    double passTime = 0.8;       // s
    double refDistance = 5.0;    // distance at which the gain is 1
};
Buffer passBy(const PassBy& path, double seconds, const std::function<Buffer(std::size_t, double)>& source);

// Voice building blocks.
struct Formant {
    double hz, bandwidth, gain;
};
// One glottal cycle shape (Rosenberg pulse, open quotient oq), sampled at phase in [0, 1).
double glottalPulse(double phase, double openQuotient);

// Formant synthesis of one syllable-like stretch: the source is a glottal pulse train (f0 from
// pitch(t)) mixed with aspiration noise (breath(t) 0..1), shaped by amp(t), and sent through
// parallel band-passes whose centre frequencies can glide (formantScale(t) multiplies them).
struct VoiceParams {
    double seconds = 0.3;
    std::function<double(double)> pitch;
    std::function<double(double)> amp;
    std::function<double(double)> breath;
    std::function<double(double)> formantScale;  // may be empty: 1.0
    std::vector<Formant> formants;
    double jitter = 0.01;  // relative random pitch wander per cycle
    double openQuotient = 0.6;
    double breathGain = 0.3;  // level of the aspiration noise against the voiced source
};
Buffer voice(Rng& rng, const VoiceParams& params);

}  // namespace sg
