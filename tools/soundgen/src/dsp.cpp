#include "dsp.h"

#include <algorithm>
#include <cmath>

namespace sg {

std::size_t samplesFor(double seconds) {
    return seconds <= 0.0 ? 0 : static_cast<std::size_t>(std::lround(seconds * kSampleRate));
}

double timeOf(std::size_t index) { return static_cast<double>(index) / kSampleRate; }

std::uint64_t Rng::next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

double Rng::uniform() { return static_cast<double>(next() >> 11) * (1.0 / 9007199254740992.0); }

double Rng::bipolar() { return uniform() * 2.0 - 1.0; }

double Rng::range(double lo, double hi) { return lo + (hi - lo) * uniform(); }

int Rng::below(int n) { return n <= 1 ? 0 : static_cast<int>(next() % static_cast<std::uint64_t>(n)); }

double Rng::gauss() {
    double s = 0.0;
    for (int i = 0; i < 6; ++i) s += uniform();
    return (s - 3.0) * std::sqrt(2.0);  // 6 uniforms: variance 0.5
}

double Phasor::advance(double hz) {
    const double before = phase_;
    phase_ += hz / kSampleRate;
    phase_ -= std::floor(phase_);
    return before;
}

double sineAt(double phase) { return std::sin(2.0 * kPi * phase); }

double sawAt(double phase, int harmonics) {
    double s = 0.0;
    for (int k = 1; k <= harmonics; ++k) s += std::sin(2.0 * kPi * k * phase) / k;
    return s * (2.0 / kPi);
}

double squareAt(double phase, int harmonics) {
    double s = 0.0;
    for (int k = 1; k <= harmonics; k += 2) s += std::sin(2.0 * kPi * k * phase) / k;
    return s * (4.0 / kPi);
}

void OnePoleLowpass::setCutoff(double cutoffHz) {
    a_ = 1.0 - std::exp(-2.0 * kPi * cutoffHz / kSampleRate);
}

double OnePoleLowpass::process(double x) {
    y_ += a_ * (x - y_);
    return y_;
}

void OnePoleHighpass::setCutoff(double cutoffHz) {
    a_ = std::exp(-2.0 * kPi * cutoffHz / kSampleRate);
}

double OnePoleHighpass::process(double x) {
    y_ = a_ * (y_ + x - xPrev_);
    xPrev_ = x;
    return y_;
}

void Biquad::set(Kind kind, double hz, double q, double gainDb) {
    hz = std::clamp(hz, 1.0, kSampleRate * 0.49);
    const double w0 = 2.0 * kPi * hz / kSampleRate;
    const double cw = std::cos(w0), sw = std::sin(w0);
    const double alpha = sw / (2.0 * q);
    double b0 = 1, b1 = 0, b2 = 0, a0 = 1, a1 = 0, a2 = 0;
    switch (kind) {
    case Kind::Lowpass:
        b0 = (1 - cw) / 2; b1 = 1 - cw; b2 = (1 - cw) / 2;
        a0 = 1 + alpha; a1 = -2 * cw; a2 = 1 - alpha;
        break;
    case Kind::Highpass:
        b0 = (1 + cw) / 2; b1 = -(1 + cw); b2 = (1 + cw) / 2;
        a0 = 1 + alpha; a1 = -2 * cw; a2 = 1 - alpha;
        break;
    case Kind::Bandpass:  // unity gain at the centre
        b0 = alpha; b1 = 0; b2 = -alpha;
        a0 = 1 + alpha; a1 = -2 * cw; a2 = 1 - alpha;
        break;
    case Kind::Peak: {
        const double a = std::pow(10.0, gainDb / 40.0);
        b0 = 1 + alpha * a; b1 = -2 * cw; b2 = 1 - alpha * a;
        a0 = 1 + alpha / a; a1 = -2 * cw; a2 = 1 - alpha / a;
        break;
    }
    }
    b0_ = b0 / a0; b1_ = b1 / a0; b2_ = b2 / a0; a1_ = a1 / a0; a2_ = a2 / a0;
}

double Biquad::process(double x) {
    const double y = b0_ * x + b1_ * x1_ + b2_ * x2_ - a1_ * y1_ - a2_ * y2_;
    x2_ = x1_; x1_ = x;
    y2_ = y1_; y1_ = y;
    return y;
}

Envelope::Envelope(std::initializer_list<std::pair<double, double>> points) : points_(points) {}
Envelope::Envelope(std::vector<std::pair<double, double>> points) : points_(std::move(points)) {}

double Envelope::at(double t) const {
    if (points_.empty()) return 0.0;
    if (t <= points_.front().first) return points_.front().second;
    for (std::size_t i = 1; i < points_.size(); ++i) {
        const auto& [t1, v1] = points_[i];
        if (t <= t1) {
            const auto& [t0, v0] = points_[i - 1];
            const double span = t1 - t0;
            return span <= 0.0 ? v1 : v0 + (v1 - v0) * (t - t0) / span;
        }
    }
    return points_.back().second;
}

double strike(double t, double start, double attack, double tau) {
    const double dt = t - start;
    if (dt < 0.0) return 0.0;
    if (dt < attack) return dt / attack;
    return std::exp(-(dt - attack) / tau);
}

double window(double t, double start, double end, double edge) {
    if (t <= start || t >= end) return 0.0;
    const double in = (t - start) / edge, out = (end - t) / edge;
    double v = 1.0;
    if (in < 1.0) v *= 0.5 - 0.5 * std::cos(kPi * in);
    if (out < 1.0) v *= 0.5 - 0.5 * std::cos(kPi * out);
    return v;
}

Buffer whiteNoise(Rng& rng, std::size_t n) {
    Buffer b(n);
    for (auto& s : b) s = rng.bipolar();
    return b;
}

Buffer brownNoise(Rng& rng, std::size_t n) {
    Buffer b(n);
    double y = 0.0;
    for (auto& s : b) {
        y = 0.995 * y + 0.06 * rng.bipolar();
        s = y;
    }
    return b;
}

Buffer filtered(const Buffer& in, Biquad filter) {
    Buffer out(in.size());
    for (std::size_t i = 0; i < in.size(); ++i) out[i] = filter.process(in[i]);
    return out;
}

void mixInto(Buffer& dst, const Buffer& src, double startSeconds, double gain) {
    const std::size_t offset = samplesFor(startSeconds);
    if (offset >= dst.size()) return;
    const std::size_t n = std::min(src.size(), dst.size() - offset);
    for (std::size_t i = 0; i < n; ++i) dst[offset + i] += gain * src[i];
}

double peakOf(const Buffer& b) {
    double p = 0.0;
    for (double s : b) p = std::max(p, std::fabs(s));
    return p;
}

void scale(Buffer& b, double gain) {
    for (auto& s : b) s *= gain;
}

void normalise(Buffer& b, double peak) {
    const double p = peakOf(b);
    if (p > 0.0) scale(b, peak / p);
}

void removeDc(Buffer& b, double cutoffHz) {
    OnePoleHighpass hp(cutoffHz);
    for (auto& s : b) s = hp.process(s);
}

void fadeEdges(Buffer& b, double fadeInSeconds, double fadeOutSeconds) {
    const std::size_t n = b.size();
    if (n == 0) return;
    const std::size_t in = std::min(n, std::max<std::size_t>(2, samplesFor(fadeInSeconds)));
    const std::size_t out = std::min(n, std::max<std::size_t>(2, samplesFor(fadeOutSeconds)));
    for (std::size_t i = 0; i < in; ++i)
        b[i] *= 0.5 - 0.5 * std::cos(kPi * static_cast<double>(i) / static_cast<double>(in));
    for (std::size_t i = 0; i < out; ++i)
        b[n - 1 - i] *= 0.5 - 0.5 * std::cos(kPi * static_cast<double>(i) / static_cast<double>(out));
}

void softClip(Buffer& b, double drive) {
    const double norm = std::tanh(drive);
    for (auto& s : b) s = std::tanh(drive * std::clamp(s, -1.0, 1.0)) / norm;
}

namespace {

class Comb {
public:
    Comb(std::size_t length, double feedback, double damping)
        : line_(std::max<std::size_t>(1, length), 0.0), feedback_(feedback), damping_(damping) {}
    double process(double x) {
        const double y = line_[pos_];
        store_ = y * (1.0 - damping_) + store_ * damping_;
        line_[pos_] = x + store_ * feedback_;
        pos_ = (pos_ + 1) % line_.size();
        return y;
    }

private:
    std::vector<double> line_;
    std::size_t pos_ = 0;
    double feedback_, damping_, store_ = 0.0;
};

class Allpass {
public:
    explicit Allpass(std::size_t length) : line_(std::max<std::size_t>(1, length), 0.0) {}
    double process(double x) {
        const double buffered = line_[pos_];
        const double y = buffered - x;
        line_[pos_] = x + buffered * 0.5;
        pos_ = (pos_ + 1) % line_.size();
        return y;
    }

private:
    std::vector<double> line_;
    std::size_t pos_ = 0;
};

}  // namespace

Buffer reverb(const Buffer& in, double roomScale, double damping, double wet) {
    const double k = roomScale * kSampleRate / 44100.0;
    const std::size_t combLengths[] = {1116, 1188, 1277, 1356};
    std::vector<Comb> combs;
    for (std::size_t len : combLengths)
        combs.emplace_back(static_cast<std::size_t>(len * k), 0.8, damping);
    Allpass ap1(static_cast<std::size_t>(556 * k)), ap2(static_cast<std::size_t>(441 * k));
    Buffer out(in.size());
    for (std::size_t i = 0; i < in.size(); ++i) {
        double r = 0.0;
        for (auto& c : combs) r += c.process(in[i] * 0.25);
        r = ap2.process(ap1.process(r));
        out[i] = in[i] * (1.0 - wet) + r * wet;
    }
    return out;
}

Buffer distant(const Buffer& in, double lowpassHz, double wet) {
    Buffer dull = filtered(in, Biquad(Biquad::Kind::Lowpass, lowpassHz, 0.7));
    return reverb(dull, 0.8, 0.4, wet);
}

Buffer passBy(const PassBy& path, double seconds, const std::function<Buffer(std::size_t, double)>& source) {
    const std::size_t n = samplesFor(seconds);
    auto distanceAt = [&](double t) {
        const double along = path.speed * (t - path.passTime);
        return std::sqrt(path.closest * path.closest + along * along);
    };
    // The earliest emission time needed lies before 0 by the largest travel time.
    const double maxDelay = std::max(distanceAt(0.0), distanceAt(seconds)) / kSpeedOfSound + 0.01;
    const std::size_t lead = samplesFor(maxDelay) + 2;
    const Buffer src = source(n + lead + 2, -static_cast<double>(lead) / kSampleRate);
    Buffer out(n);
    for (std::size_t i = 0; i < n; ++i) {
        const double t = timeOf(i);
        // Emission time te solves t - te = r(te)/c; two fixed-point steps are plenty for v << c.
        double te = t - distanceAt(t) / kSpeedOfSound;
        te = t - distanceAt(te) / kSpeedOfSound;
        const double r = distanceAt(te);
        const double pos = te * kSampleRate + static_cast<double>(lead);
        const auto j = static_cast<std::size_t>(std::floor(pos));
        const double frac = pos - std::floor(pos);
        const double s = (j + 1 < src.size()) ? src[j] * (1.0 - frac) + src[j + 1] * frac : 0.0;
        out[i] = s * path.refDistance / r;
    }
    return out;
}

double glottalPulse(double phase, double openQuotient) {
    const double rise = 0.6 * openQuotient;
    if (phase < rise) return 0.5 - 0.5 * std::cos(kPi * phase / rise);
    if (phase < openQuotient) return std::cos(0.5 * kPi * (phase - rise) / (openQuotient - rise));
    return 0.0;
}

Buffer voice(Rng& rng, const VoiceParams& params) {
    const std::size_t n = samplesFor(params.seconds);
    Buffer out(n, 0.0);
    std::vector<Biquad> bank(params.formants.size());
    auto tune = [&](double factor) {
        for (std::size_t k = 0; k < bank.size(); ++k) {
            const auto& f = params.formants[k];
            bank[k].set(Biquad::Kind::Bandpass, f.hz * factor, f.hz / f.bandwidth);
        }
    };
    tune(params.formantScale ? params.formantScale(0.0) : 1.0);
    Phasor phasor;
    double wander = 0.0, previous = 0.0;
    OnePoleLowpass breathTone(4000.0);
    for (std::size_t i = 0; i < n; ++i) {
        const double t = timeOf(i);
        if (params.formantScale && i % 32 == 0) tune(params.formantScale(t));
        const double before = phasor.phase();
        const double f0 = params.pitch(t) * (1.0 + wander);
        const double ph = phasor.advance(f0);
        if (phasor.phase() < before || i == 0) wander = params.jitter * rng.gauss();  // new cycle
        const double g = glottalPulse(ph, params.openQuotient);
        const double excitation = (g - previous) * kSampleRate / (f0 * 8.0);  // roughly pitch-independent level
        previous = g;
        const double breath = params.breath ? params.breath(t) : 0.0;
        const double src = excitation * (1.0 - breath) + breathTone.process(rng.bipolar()) * breath * params.breathGain;
        double y = 0.0;
        for (std::size_t k = 0; k < bank.size(); ++k) y += params.formants[k].gain * bank[k].process(src);
        out[i] = y * params.amp(t);
    }
    return out;
}

}  // namespace sg
