// Sound catalogue of the street scene.
//
//  No  What it is                                   Who plays it
//  --  -------------------------------------------  ---------------------------------------------
//  01  distant car horn, two honks                  ambient sound; director when a vehicle starts
//  02  distant two-tone siren passing a crossing    ambient sound; director when a vehicle starts
//  03  dog's bark                                   figure 4's dog while she pauses; dog (24)
//  04  dull knock with a latch click                phone-booth door (6, 14), ball bounce of the
//                                                   children (30), banana peel dropped (9)
//  05  hourly chime: four soft church-bell strikes  the shelter clock at the full hour
//  06  propeller plane drone, passing overhead      banner planes (aircraft 1, 2)
//  07  blackbird song from the trees                ambient sound, by day (rarely in winter)
//  08  bicycle bell, ring-ring                      no script; spare street sound
//  09  diesel engine pulling away                   the bus (70), big vehicle 94, banner planes
//  10  a cough                                      hooded figure (20) while it stands
//  11  broom strokes on paving                      street sweeper (22)
//  12  a big dog barking far away                   rare ambient sound, day and night
//  13  lorry air horn, two tones                    near-lane vehicle 93
//  14  air-brake hiss over an idling diesel         near-lane vehicle 99
//  15  moped passing by                             ambient sound; director when a vehicle starts
//  16  small birds chirping in flight               birds in the sky (aircraft 6, 7)
//  17  woman's giggle, hi-hi-hi                     woman in the long coat (53), woman in red (58)
//  18  woman's call, huhu!                          woman in the long coat (53), woman in red (58)
//  19  paper bag tearing, shopping spilling         woman with the shopping bag (16)
//  20  tractor chugging                             far-lane vehicle 81
//  21  rustling and rattling                        banana peeled (9), basket woman (21), rattling
//                                                   load of far-lane vehicle 84
//  22  two voices laughing, ha-ha                   two boys (23), strollers (56, 57), two men (59)
//  23  small car horn, meep-meep                    vehicles 87, 97, 98
//  24  motorcycle revving past                      far-lane vehicle 85
//  25  crunchy bite and chewing                     eating passer-by (2), man with the sack (25)
//  26  car passing by                               cars 80, 86, 90, 91, 92, 96
//  27  car door slammed                             cars 80 and 86 when they leave the stop
#include "sound_catalogue.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "wave_file.h"

namespace sg {

namespace {

using Kind = Biquad::Kind;

// ---------------------------------------------------------------------------------------------
// Shared recipe parts.

// Sparse random impulses at a rate that may change over time: the raw material of crackles,
// crunches, tearing paper and bristles.
Buffer crackle(Rng& rng, std::size_t n, const std::function<double(double)>& ratePerSecond) {
    Buffer b(n, 0.0);
    for (std::size_t i = 0; i < n; ++i) {
        if (rng.uniform() < ratePerSecond(timeOf(i)) / kSampleRate) {
            // Keep every impulse audible: a random size between half and full strength.
            const double size = 0.5 + 0.5 * rng.uniform();
            b[i] = rng.uniform() < 0.5 ? -size : size;
        }
    }
    return b;
}

// Electromagnetic or air horn: a few buzzy oscillators with the bell of the horn as resonances.
struct HornParams {
    std::vector<double> pitches;
    std::vector<std::pair<double, double>> blasts;  // start, end in seconds
    double seconds = 1.0;
    double bodyHz = 1200.0, bodyQ = 1.5, presenceHz = 2600.0;
    double drive = 2.0;
    double onsetDip = 0.0;  // relative pitch below target at the start of each blast (air horns)
};

Buffer horn(const HornParams& params) {
    const std::size_t n = samplesFor(params.seconds);
    Buffer b(n, 0.0);
    std::vector<Phasor> phasors(params.pitches.size());
    for (std::size_t i = 0; i < n; ++i) {
        const double t = timeOf(i);
        double gate = 0.0, sinceStart = 1.0;
        for (const auto& [s, e] : params.blasts) {
            const double w = window(t, s, e, 0.012);
            if (w > gate) {
                gate = w;
                sinceStart = t - s;
            }
        }
        const double bend = 1.0 - params.onsetDip * std::exp(-sinceStart / 0.04);
        double v = 0.0;
        for (std::size_t k = 0; k < phasors.size(); ++k) {
            const double f = params.pitches[k] * bend;
            const int harmonics = std::max(1, static_cast<int>(5000.0 / f));
            v += sawAt(phasors[k].advance(f), harmonics);
        }
        b[i] = v * gate;
    }
    b = filtered(b, Biquad(Kind::Peak, params.bodyHz, params.bodyQ, 9.0));
    b = filtered(b, Biquad(Kind::Peak, params.presenceHz, 2.0, 5.0));
    b = filtered(b, Biquad(Kind::Lowpass, 5500.0, 0.7));
    normalise(b, 1.0);
    softClip(b, params.drive);
    // Saturation adds overtones; keep them well below the Nyquist limit.
    return filtered(filtered(b, Biquad(Kind::Lowpass, 5000.0, 0.6)), Biquad(Kind::Lowpass, 6000.0, 0.6));
}

// Piston engine: every firing is a smooth pressure pulse (with cycle-to-cycle variation) plus a
// short burst of combustion noise, rung through the resonances of exhaust and body. The pulse
// width sets how bright the engine is: a long pulse is a soft thud, a short one a buzz.
struct EngineParams {
    std::function<double(double)> firingHz;
    std::vector<Formant> resonances;  // hz, bandwidth, gain
    double roughness = 0.2;
    double timingJitter = 0.02;
    double burstNoise = 0.3;
    double burstTau = 0.004;
    double pulseSeconds = 0.003;
};

Buffer engine(Rng& rng, const EngineParams& params, std::size_t n, double startTime) {
    std::vector<Biquad> bank;
    for (const auto& r : params.resonances) bank.emplace_back(Kind::Bandpass, r.hz, r.hz / r.bandwidth);
    Buffer b(n, 0.0);
    Phasor phasor(0.999);
    double jitter = 0.0, burst = 0.0, pulse = 0.0;
    const double burstDecay = std::exp(-1.0 / (params.burstTau * kSampleRate));
    const double pulseLength = std::max(2.0, params.pulseSeconds * kSampleRate);
    double pulsePos = pulseLength;
    for (std::size_t i = 0; i < n; ++i) {
        const double t = startTime + timeOf(i);
        const double before = phasor.phase();
        phasor.advance(params.firingHz(t) * (1.0 + jitter));
        double src = 0.0;
        if (phasor.phase() < before) {  // a cylinder fires
            pulse = std::max(0.1, 1.0 + params.roughness * rng.gauss());
            pulsePos = 0.0;
            burst = pulse;
            jitter = params.timingJitter * rng.gauss();
        }
        if (pulsePos < pulseLength) {
            src += pulse * (0.5 - 0.5 * std::cos(2.0 * kPi * pulsePos / pulseLength));
            pulsePos += 1.0;
        }
        src += burst * params.burstNoise * rng.bipolar();
        burst *= burstDecay;
        double y = 0.0;
        for (std::size_t k = 0; k < bank.size(); ++k) y += params.resonances[k].gain * bank[k].process(src);
        b[i] = y;
    }
    return b;
}

// One struck bell: pairs of slightly split modes per partial give the slow warble of a real
// bell. Each partial: ratio to the prime, amplitude, decay time.
struct Partial {
    double ratio, amp, tau;
};

void addBell(Buffer& b, double start, double prime, double gain, const std::vector<Partial>& partials,
             double splitHz, Rng& rng) {
    const std::size_t from = samplesFor(start);
    for (const auto& p : partials) {
        const double f = prime * p.ratio;
        if (f > kSampleRate * 0.45) continue;
        const double phase1 = rng.uniform(), phase2 = rng.uniform();
        for (std::size_t i = from; i < b.size(); ++i) {
            const double t = timeOf(i) - start;
            const double env = std::exp(-t / p.tau) * std::min(1.0, t / 0.002);
            const double v = std::sin(2.0 * kPi * (f * t + phase1)) + 0.7 * std::sin(2.0 * kPi * ((f + splitHz) * t + phase2));
            b[i] += gain * p.amp * env * v;
        }
    }
}

// A short whistled glide: bird notes and chirps.
struct Note {
    double start, seconds, fromHz, toHz, amp;
    double vibratoHz = 0.0, vibratoDepth = 0.0;
};

void addNote(Buffer& b, const Note& note) {
    const std::size_t from = samplesFor(note.start);
    const std::size_t len = samplesFor(note.seconds);
    Phasor ph;
    for (std::size_t i = 0; i < len && from + i < b.size(); ++i) {
        const double u = static_cast<double>(i) / static_cast<double>(len);
        const double t = timeOf(i);
        // Birds glide along a curve, not a straight line: ease the sweep.
        const double shape = u * u * (3.0 - 2.0 * u);
        const double f = note.fromHz + (note.toHz - note.fromHz) * shape +
                         note.vibratoDepth * std::sin(2.0 * kPi * note.vibratoHz * t);
        const double p = ph.advance(f);
        const double env = std::sin(kPi * u) * std::sin(kPi * u);
        // The overtone fades out before it would fold back from the Nyquist limit.
        const double room = std::clamp((kSampleRate * 0.45 - 2.0 * f) / 1500.0, 0.0, 1.0);
        const double overtone = 0.12 * room * sineAt(2.0 * p);
        b[from + i] += note.amp * env * (sineAt(p) + overtone);
    }
}

// A decaying pitched knock: the body of doors, balls and things that fall.
void addThump(Buffer& b, double start, double fromHz, double toHz, double tau, double gain) {
    const std::size_t from = samplesFor(start);
    Phasor ph;
    for (std::size_t i = from; i < b.size(); ++i) {
        const double t = timeOf(i) - start;
        if (t > tau * 8.0) break;
        const double f = toHz + (fromHz - toHz) * std::exp(-t / 0.03);
        b[i] += gain * strike(t, 0.0, 0.0015, tau) * sineAt(ph.advance(f));
    }
}

// A burst of filtered noise with an attack and an exponential decay.
void addNoiseHit(Buffer& b, Rng& rng, double start, double attack, double tau, Biquad filter, double gain) {
    const std::size_t from = samplesFor(start);
    for (std::size_t i = from; i < b.size(); ++i) {
        const double t = timeOf(i) - start;
        if (t > attack + tau * 8.0) break;
        b[i] += gain * strike(t, 0.0, attack, tau) * filter.process(rng.bipolar());
    }
}

// Vowel formants (centre, bandwidth, gain) of an adult man; women and children scale them up.
const std::vector<Formant> kVowelA = {{730, 90, 1.0}, {1090, 110, 0.6}, {2440, 170, 0.25}, {3300, 250, 0.1}};
const std::vector<Formant> kVowelE = {{530, 70, 1.0}, {1840, 120, 0.5}, {2480, 170, 0.3}, {3400, 250, 0.1}};
const std::vector<Formant> kVowelI = {{280, 60, 1.0}, {2250, 140, 0.45}, {3000, 200, 0.35}, {3700, 250, 0.12}};
const std::vector<Formant> kVowelU = {{310, 60, 1.0}, {870, 90, 0.35}, {2240, 160, 0.1}};
const std::vector<Formant> kVowelOe = {{480, 80, 1.0}, {1400, 120, 0.5}, {2300, 180, 0.3}, {3300, 250, 0.12}};

std::vector<Formant> scaled(std::vector<Formant> formants, double factor) {
    for (auto& f : formants) {
        f.hz *= factor;
        f.bandwidth *= factor;
    }
    return formants;
}

// A run of laughing or giggling syllables: breathy "h" onset, short vowel, falling pitch.
struct LaughParams {
    int syllables = 5;
    double first = 0.0, period = 0.17, voiced = 0.1, onset = 0.035;
    double pitchStart = 180.0, pitchEnd = 125.0;
    double fade = 0.15;  // how much weaker the last syllable is than the first
    std::vector<Formant> vowel;
    double seconds = 1.2;
};

Buffer laugh(Rng& rng, const LaughParams& s) {
    VoiceParams v;
    v.seconds = s.seconds;
    v.formants = s.vowel;
    v.jitter = 0.02;
    auto syllableOf = [s](double t) {
        const double k = std::floor((t - s.first) / s.period);
        return std::clamp(k, 0.0, static_cast<double>(s.syllables - 1));
    };
    v.pitch = [s, syllableOf](double t) {
        const double k = syllableOf(t);
        const double base = s.pitchStart + (s.pitchEnd - s.pitchStart) * k / std::max(1, s.syllables - 1);
        const double within = std::clamp((t - s.first - k * s.period) / (s.onset + s.voiced), 0.0, 1.0);
        return base * (1.06 - 0.12 * within);
    };
    v.amp = [s, syllableOf](double t) {
        const double k = syllableOf(t);
        const double start = s.first + k * s.period;
        const double level = 1.0 - s.fade * k / std::max(1, s.syllables - 1);
        return level * window(t, start, start + s.onset + s.voiced, 0.025);
    };
    v.breath = [s, syllableOf](double t) {
        const double k = syllableOf(t);
        const double into = t - s.first - k * s.period;
        return into < s.onset ? 0.95 : 0.3;
    };
    return voice(rng, v);
}

// A bark: a rough, noisy, very short voiced burst whose mouth opens and closes.
struct BarkParams {
    double size = 1.0;  // larger dogs: lower pitch and formants
    double seconds = 0.4;
    double length = 0.2;
};

Buffer bark(Rng& rng, const BarkParams& s) {
    VoiceParams v;
    v.seconds = s.seconds;
    const double p = 1.0 / s.size;
    const double L = s.length;
    v.pitch = [p, L](double t) {
        return p * Envelope{{0.0, 380}, {0.025, 560}, {0.45 * L, 470}, {L, 300}}.at(t);
    };
    v.amp = [L](double t) { return Envelope{{0.0, 0.0}, {0.008, 1.0}, {0.4 * L, 0.85}, {L, 0.0}}.at(t); };
    v.breath = [L](double t) { return Envelope{{0.0, 0.35}, {0.5 * L, 0.15}, {L, 0.5}}.at(t); };
    v.formantScale = [L](double t) { return Envelope{{0.0, 0.75}, {0.3 * L, 1.1}, {L, 0.8}}.at(t); };
    v.formants = scaled({{750, 200, 1.0}, {1500, 260, 0.7}, {2600, 400, 0.4}, {3600, 500, 0.2}}, p > 1.0 ? 1.0 : 0.6 + 0.4 * p);
    v.jitter = 0.07;
    v.openQuotient = 0.5;
    v.breathGain = 1.5;
    Buffer b = filtered(voice(rng, v), Biquad(Kind::Lowpass, 4500.0, 0.7));
    // The growl in a bark is a fast flutter of the vocal folds.
    for (std::size_t i = 0; i < b.size(); ++i) b[i] *= 1.0 + 0.25 * std::sin(2.0 * kPi * 33.0 * timeOf(i));
    return b;
}

// ---------------------------------------------------------------------------------------------
// The sounds.

Buffer distantCarHorn(Rng&) {
    HornParams h;
    h.pitches = {405.0, 508.0};
    h.blasts = {{0.02, 0.24}, {0.34, 0.74}};
    h.seconds = 1.15;
    h.drive = 2.5;
    return distant(horn(h), 2200.0, 0.35);
}

Buffer distantSiren(Rng&) {
    const double seconds = 1.85, segment = 0.38;
    const std::size_t n = samplesFor(seconds);
    Buffer b(n, 0.0);
    Phasor a, c;
    // The siren's compressor changes pitch within a few centiseconds, not instantly.
    const double glide = 1.0 - std::exp(-2.0 * kPi * 25.0 / kSampleRate);
    double pitch = 440.0;
    for (std::size_t i = 0; i < n; ++i) {
        const double t = timeOf(i);
        const int k = static_cast<int>(t / segment);
        const double target = (k % 2 == 0) ? 440.0 : 587.0;
        pitch += glide * (target - pitch);
        // Slowly drifting down: the vehicle is moving away across the crossing.
        const double f = pitch * (1.0 - 0.025 * t / seconds);
        const double gate = window(t, 0.0, 4.0 * segment + 0.05, 0.04);
        const double swell = Envelope{{0.0, 0.6}, {0.5, 1.0}, {1.2, 0.9}, {seconds, 0.5}}.at(t);
        b[i] = gate * swell * (squareAt(a.advance(f), 9) + 0.4 * sawAt(c.advance(f * 2.0), 4));
    }
    b = filtered(b, Biquad(Kind::Peak, 1400.0, 1.2, 6.0));
    return distant(b, 2400.0, 0.4);
}

Buffer dogBark(Rng& rng) {
    BarkParams s;
    s.size = 1.0;
    s.seconds = 0.38;
    s.length = 0.22;
    return bark(rng, s);
}

Buffer knock(Rng& rng) {
    Buffer b(samplesFor(0.36), 0.0);
    addNoiseHit(b, rng, 0.004, 0.0005, 0.0025, Biquad(Kind::Highpass, 2500.0, 0.7), 0.55);  // latch
    addThump(b, 0.006, 190.0, 105.0, 0.055, 1.0);
    addNoiseHit(b, rng, 0.006, 0.001, 0.02, Biquad(Kind::Bandpass, 450.0, 3.0), 2.0);  // panel
    addThump(b, 0.006, 1250.0, 1250.0, 0.022, 0.1);  // a little ring in the frame
    return b;
}

Buffer hourChime(Rng& rng) {
    // Partials of a church bell relative to its prime: hum, prime, minor third (tierce), fifth,
    // nominal and upper partials; the hum sings longest. Soft: the upper partials are kept low.
    const std::vector<Partial> partials = {
        {0.5, 0.55, 2.4}, {1.0, 0.7, 1.7}, {1.19, 0.45, 1.3}, {1.5, 0.22, 0.9}, {2.0, 0.55, 1.0},
        {2.52, 0.18, 0.55}, {2.67, 0.1, 0.45}, {3.01, 0.12, 0.4}, {4.07, 0.05, 0.25},
    };
    Buffer b(samplesFor(3.9), 0.0);
    const double primes[] = {392.0, 311.1, 349.2, 261.6};  // ding, dong, ding, dong
    for (int k = 0; k < 4; ++k) {
        const double start = 0.01 + 0.78 * k;
        addBell(b, start, primes[k], k == 3 ? 1.1 : 1.0, partials, 0.35 + 0.1 * k, rng);
        addNoiseHit(b, rng, start, 0.001, 0.004, Biquad(Kind::Lowpass, 1500.0, 0.7), 0.5);  // soft hammer
    }
    // The last stroke must die away inside the file rather than being cut by the fade.
    const double tailStart = 3.0, end = 3.9;
    for (std::size_t i = samplesFor(tailStart); i < b.size(); ++i) {
        const double u = (timeOf(i) - tailStart) / (end - tailStart);
        b[i] *= 0.5 + 0.5 * std::cos(kPi * std::min(1.0, u));
    }
    return reverb(b, 1.0, 0.3, 0.2);
}

Buffer propellerPlane(Rng& rng) {
    const double seconds = 1.9;
    EngineParams e;
    e.firingHz = [](double t) { return 148.0 * (1.0 + 0.006 * std::sin(2.0 * kPi * 0.7 * t)); };
    e.resonances = {{150, 60, 1.0}, {300, 120, 0.6}, {600, 300, 0.35}, {1200, 600, 0.15}};
    e.roughness = 0.15;
    e.burstNoise = 0.3;
    e.pulseSeconds = 0.0025;
    e.burstTau = 0.002;
    PassBy path;
    path.speed = 55.0;
    path.closest = 250.0;
    path.refDistance = 250.0;
    path.passTime = 1.1;
    Buffer b = passBy(path, seconds, [&](std::size_t n, double t0) {
        Buffer s = engine(rng, e, n, t0);
        normalise(s, 1.0);
        // Two-bladed propeller at 2000 rpm: a strong 67 Hz blade tone with a buzzing edge.
        Phasor prop;
        for (std::size_t i = 0; i < n; ++i) {
            const double t = t0 + timeOf(i);
            const double p = prop.advance(66.7 * (1.0 + 0.004 * std::sin(2.0 * kPi * 0.5 * t)));
            s[i] = 0.55 * s[i] + 0.8 * sawAt(p, 30);
        }
        return s;
    });
    for (std::size_t i = 0; i < b.size(); ++i) b[i] *= window(timeOf(i), 0.0, seconds, 0.45);
    return distant(b, 2600.0, 0.25);
}

Buffer blackbird(Rng& rng) {
    Buffer b(samplesFor(1.55), 0.0);
    const Note notes[] = {
        {0.02, 0.12, 1900, 2150, 0.8},
        {0.15, 0.10, 2350, 1700, 0.9},
        {0.27, 0.17, 1600, 1680, 1.0, 24.0, 70.0},
        {0.47, 0.09, 2000, 2550, 0.8},
        {0.58, 0.14, 2250, 1800, 0.9},
        {0.76, 0.19, 1750, 1900, 1.0, 22.0, 60.0},
    };
    for (const auto& n : notes) addNote(b, n);
    // The closing twitter: a few quick high scratchy notes.
    double t = 1.02;
    for (int k = 0; k < 7; ++k) {
        const double hi = rng.range(4800.0, 6200.0);
        addNote(b, {t, 0.032, hi, hi - rng.range(900.0, 1500.0), 0.45});
        t += 0.042 + 0.01 * rng.uniform();
    }
    return reverb(b, 0.9, 0.5, 0.25);
}

Buffer bicycleBell(Rng& rng) {
    const std::vector<Partial> partials = {
        {1.0, 1.0, 0.45}, {1.52, 0.45, 0.25}, {2.31, 0.3, 0.14}, {3.08, 0.15, 0.09},
    };
    Buffer b(samplesFor(1.3), 0.0);
    // Each "rrring" is the clapper hammering the dome a few times in quick succession.
    for (double ring : {0.01, 0.46}) {
        for (int hit = 0; hit < 6; ++hit) {
            const double when = ring + hit * 0.034 + 0.003 * rng.uniform();
            addBell(b, when, 2180.0, (hit % 2 == 0 ? 0.35 : 0.25) * (1.0 - 0.08 * hit), partials, 9.0, rng);
        }
    }
    return b;
}

Buffer busDiesel(Rng& rng) {
    const double seconds = 1.8;
    EngineParams e;
    e.firingHz = [](double t) { return 38.0 + 9.0 * std::min(1.0, t / 1.4); };  // pulling away
    e.resonances = {{85, 35, 1.0}, {170, 60, 0.7}, {420, 140, 0.35}, {1800, 700, 0.25}, {3100, 900, 0.1}};
    e.roughness = 0.25;
    e.burstNoise = 0.25;  // the diesel knock
    e.pulseSeconds = 0.004;
    e.burstTau = 0.003;
    Buffer b = engine(rng, e, samplesFor(seconds), 0.0);
    // Turbo and gearbox: a faint rising whine.
    Phasor whine;
    for (std::size_t i = 0; i < b.size(); ++i) {
        const double t = timeOf(i);
        b[i] = b[i] * window(t, 0.0, seconds, 0.25) + 0.015 * sineAt(whine.advance(900.0 + 250.0 * t / seconds)) * window(t, 0.2, seconds, 0.4);
    }
    return b;
}

Buffer cough(Rng& rng) {
    Buffer out(samplesFor(0.8), 0.0);
    for (int k = 0; k < 2; ++k) {
        VoiceParams v;
        v.seconds = 0.3;
        v.formants = kVowelOe;
        v.jitter = 0.05;
        v.pitch = [](double t) { return 135.0 - 60.0 * t; };
        v.amp = [](double t) { return strike(t, 0.0, 0.006, 0.065); };
        v.breath = [](double t) { return t < 0.035 ? 0.55 : 0.9; };  // voiced only as the glottis bursts open
        v.formantScale = [](double t) { return 1.0 - 0.3 * t; };
        v.breathGain = 1.5;
        mixInto(out, voice(rng, v), 0.01 + 0.34 * k, k == 0 ? 1.0 : 0.75);
    }
    return out;
}

Buffer broom(Rng& rng) {
    const double seconds = 1.05;
    const std::size_t n = samplesFor(seconds);
    Buffer b(n, 0.0);
    const double strokes[] = {0.02, 0.36, 0.70};
    for (double s : strokes) {
        Biquad swish, scrape(Kind::Bandpass, 900.0, 1.2);
        const double len = 0.28;
        Buffer grit = crackle(rng, samplesFor(len), [](double) { return 900.0; });
        OnePoleLowpass texture(60.0);
        for (std::size_t i = 0; i < grit.size() && samplesFor(s) + i < n; ++i) {
            const double u = timeOf(i) / len;
            if (i % 32 == 0) swish.set(Kind::Bandpass, 2600.0 + 2000.0 * u, 0.8);
            // Pressure builds while the broom is pushed and eases off as it lifts.
            const double env = std::pow(std::sin(kPi * std::pow(u, 0.7)), 1.5);
            const double noise = rng.bipolar();
            const double rough = 0.6 + 0.8 * std::fabs(texture.process(rng.bipolar() * 8.0));
            b[samplesFor(s) + i] += env * (swish.process(noise) * rough + 0.3 * scrape.process(noise) + 0.25 * grit[i]);
        }
    }
    return filtered(b, Biquad(Kind::Highpass, 300.0, 0.7));
}

Buffer distantDog(Rng& rng) {
    Buffer b(samplesFor(1.5), 0.0);
    const double starts[] = {0.02, 0.36, 0.82};
    for (int k = 0; k < 3; ++k) {
        BarkParams s;
        s.size = 1.6 + 0.08 * k;
        s.seconds = 0.4;
        s.length = 0.24;
        mixInto(b, bark(rng, s), starts[k], k == 1 ? 0.8 : 1.0);
    }
    return distant(b, 1500.0, 0.45);
}

Buffer lorryHorn(Rng&) {
    HornParams h;
    h.pitches = {185.0, 233.0};
    h.blasts = {{0.02, 0.88}};
    h.seconds = 1.1;
    h.bodyHz = 520.0;
    h.bodyQ = 1.2;
    h.presenceHz = 1300.0;
    h.drive = 1.6;
    h.onsetDip = 0.08;
    return reverb(horn(h), 1.0, 0.4, 0.15);
}

Buffer airBrake(Rng& rng) {
    const double seconds = 1.3;
    const std::size_t n = samplesFor(seconds);
    EngineParams idle;
    idle.firingHz = [](double) { return 27.0; };
    idle.resonances = {{80, 35, 1.0}, {160, 60, 0.6}, {1800, 700, 0.2}};
    idle.burstNoise = 0.2;
    idle.pulseSeconds = 0.005;
    Buffer b = engine(rng, idle, n, 0.0);
    normalise(b, 0.25);
    addNoiseHit(b, rng, 0.03, 0.0005, 0.004, Biquad(Kind::Bandpass, 3200.0, 4.0), 1.2);  // valve
    Biquad hiss, body(Kind::Highpass, 1500.0, 0.7);
    for (std::size_t i = 0; i < n; ++i) {
        const double t = timeOf(i);
        if (i % 32 == 0) hiss.set(Kind::Bandpass, 6000.0 - 2500.0 * std::min(1.0, t / 1.0), 0.7);
        const double env = strike(t, 0.04, 0.012, 0.32);
        b[i] += env * hiss.process(body.process(rng.bipolar()));
    }
    return b;
}

Buffer moped(Rng& rng) {
    const double seconds = 1.9;
    EngineParams e;
    e.firingHz = [](double t) { return 92.0 + 4.0 * std::sin(2.0 * kPi * 0.6 * t); };  // two-stroke: once per turn
    e.resonances = {{190, 60, 0.6}, {1100, 250, 1.0}, {2300, 500, 0.5}, {4200, 900, 0.15}};
    e.roughness = 0.15;
    e.burstNoise = 0.2;
    e.pulseSeconds = 0.001;
    e.burstTau = 0.002;
    PassBy path;
    path.speed = 9.0;
    path.closest = 9.0;
    path.refDistance = 9.0;
    path.passTime = 0.95;
    Buffer b = passBy(path, seconds, [&](std::size_t n, double t0) { return engine(rng, e, n, t0); });
    for (std::size_t i = 0; i < b.size(); ++i) b[i] *= window(timeOf(i), 0.0, seconds, 0.3);
    return distant(b, 3500.0, 0.2);
}

Buffer birdsInFlight(Rng& rng) {
    Buffer b(samplesFor(1.4), 0.0);
    // Three sparrows, each with its own pitch, calling "tschilp" as the flock passes.
    for (int bird = 0; bird < 3; ++bird) {
        const double base = 3300.0 + 500.0 * bird;
        double t = 0.02 + 0.07 * bird;
        while (t < 1.2) {
            const double a = rng.range(0.5, 1.0);
            addNote(b, {t, 0.028, base * 0.9, base * 1.45, a});
            addNote(b, {t + 0.03, 0.045, base * 1.4, base * 0.85, a * 0.8});
            t += rng.range(0.16, 0.3);
        }
    }
    // Soft whirr of wings under the calls.
    Biquad wing(Kind::Bandpass, 700.0, 1.0);
    for (std::size_t i = 0; i < b.size(); ++i) {
        const double t = timeOf(i);
        const double flap = 0.5 + 0.5 * std::sin(2.0 * kPi * 13.0 * t);
        b[i] += 0.12 * flap * flap * window(t, 0.0, 1.4, 0.3) * wing.process(rng.bipolar());
    }
    return b;
}

Buffer giggle(Rng& rng) {
    LaughParams s;
    s.syllables = 6;
    s.first = 0.01;
    s.period = 0.115;
    s.voiced = 0.055;
    s.onset = 0.025;
    s.pitchStart = 390.0;
    s.pitchEnd = 300.0;
    s.fade = 0.4;
    s.vowel = scaled(kVowelI, 1.15);
    s.seconds = 0.85;
    return laugh(rng, s);
}

Buffer huhuCall(Rng& rng) {
    VoiceParams v;
    v.seconds = 0.85;
    v.formants = scaled(kVowelU, 1.18);
    v.jitter = 0.008;
    v.pitch = [](double t) {
        return Envelope{{0.0, 320}, {0.2, 345}, {0.3, 420}, {0.5, 470}, {0.72, 400}}.at(t);
    };
    v.amp = [](double t) { return 0.75 * window(t, 0.01, 0.23, 0.05) + window(t, 0.31, 0.76, 0.07); };
    v.breath = [](double t) { return (t < 0.06 || (t > 0.3 && t < 0.35)) ? 0.8 : 0.15; };
    return reverb(voice(rng, v), 0.9, 0.4, 0.15);
}

Buffer bagTearing(Rng& rng) {
    const double seconds = 1.35;
    const std::size_t n = samplesFor(seconds);
    Buffer b(n, 0.0);
    // The paper gives way faster and faster, then the bottom drops out.
    Buffer tear = crackle(rng, n, [](double t) { return t < 0.46 ? 150.0 + 1400.0 * t : 0.0; });
    Biquad crisp(Kind::Bandpass, 2800.0, 0.7), rip(Kind::Bandpass, 1200.0, 1.0);
    for (std::size_t i = 0; i < n; ++i) {
        const double t = timeOf(i);
        const double ripEnv = window(t, 0.05, 0.47, 0.06) * (0.3 + t);
        b[i] = crisp.process(tear[i]) * 1.4 + ripEnv * 0.35 * rip.process(rng.bipolar());
    }
    // The shopping lands: apples, a tin, a box.
    struct Fall {
        double when, fromHz, toHz, gain;
    };
    const Fall falls[] = {{0.52, 260, 160, 0.9}, {0.59, 320, 210, 0.6}, {0.69, 230, 140, 0.8},
                          {0.82, 300, 200, 0.45}, {0.95, 280, 190, 0.3}, {1.06, 300, 210, 0.2}};
    for (const auto& f : falls) {
        addThump(b, f.when, f.fromHz, f.toHz, 0.035, f.gain);
        addNoiseHit(b, rng, f.when, 0.0005, 0.006, Biquad(Kind::Bandpass, 1500.0, 1.0), f.gain * 0.8);
    }
    // The tin rings as it hits the paving.
    addThump(b, 0.69, 1850.0, 1850.0, 0.07, 0.12);
    addThump(b, 0.69, 2730.0, 2730.0, 0.05, 0.08);
    return b;
}

Buffer tractor(Rng& rng) {
    const double seconds = 1.6;
    EngineParams e;
    e.firingHz = [](double t) { return 11.5 + 1.2 * t; };
    e.resonances = {{70, 30, 1.0}, {150, 60, 0.6}, {480, 200, 0.3}, {2400, 1200, 0.12}};
    e.roughness = 0.2;
    e.timingJitter = 0.03;
    e.burstNoise = 0.35;
    e.pulseSeconds = 0.010;
    e.burstTau = 0.014;
    Buffer b = engine(rng, e, samplesFor(seconds), 0.0);
    normalise(b, 1.0);
    // Loose sheet metal rattles on every power stroke.
    Buffer rattle = crackle(rng, b.size(), [](double) { return 260.0; });
    Biquad tin(Kind::Bandpass, 2200.0, 2.0);
    for (std::size_t i = 0; i < b.size(); ++i) {
        const double t = timeOf(i);
        b[i] = (b[i] + 0.5 * std::fabs(b[i]) * tin.process(rattle[i])) * window(t, 0.0, seconds, 0.2);
    }
    return b;
}

Buffer rustle(Rng& rng) {
    const double seconds = 0.8;
    const std::size_t n = samplesFor(seconds);
    // Three handlings, each made of short crinkles: a quick run of sharp ticks, a pause, another.
    std::vector<std::pair<double, double>> crinkles;
    for (double start : {0.02, 0.3, 0.57}) {
        double t = start;
        while (t < start + 0.16) {
            const double len = rng.range(0.012, 0.035);
            crinkles.emplace_back(t, t + len);
            t += len + rng.range(0.004, 0.03);
        }
    }
    auto inCrinkle = [&crinkles](double t) {
        for (const auto& [a, e] : crinkles)
            if (t >= a && t < e) return true;
        return false;
    };
    Buffer ticks = crackle(rng, n, [&](double t) { return inCrinkle(t) ? 2500.0 : 0.0; });
    Biquad high(Kind::Bandpass, 3800.0, 0.8), mid(Kind::Bandpass, 1700.0, 1.2), rub(Kind::Bandpass, 1700.0, 1.2);
    Buffer b(n, 0.0);
    OnePoleLowpass bedLevel(150.0);
    for (std::size_t i = 0; i < n; ++i) {
        const double t = timeOf(i);
        const double bed = bedLevel.process(inCrinkle(t) ? 0.12 : 0.0);  // the material rubbing under the ticks
        b[i] = high.process(ticks[i]) + 0.4 * mid.process(ticks[i]) + bed * rub.process(rng.bipolar());
    }
    return b;
}

Buffer twoLaughing(Rng& rng) {
    LaughParams low;
    low.syllables = 5;
    low.first = 0.01;
    low.period = 0.175;
    low.pitchStart = 165.0;
    low.pitchEnd = 118.0;
    low.fade = 0.4;
    low.vowel = kVowelA;
    low.seconds = 1.2;
    LaughParams high = low;
    high.syllables = 6;
    high.first = 0.09;
    high.period = 0.15;
    high.voiced = 0.085;
    high.pitchStart = 225.0;
    high.pitchEnd = 170.0;
    high.vowel = scaled(kVowelE, 1.1);
    Buffer b = laugh(rng, low);
    mixInto(b, laugh(rng, high), 0.0, 0.7);
    return b;
}

Buffer smallCarHorn(Rng&) {
    HornParams h;
    h.pitches = {560.0};
    h.blasts = {{0.01, 0.15}, {0.22, 0.40}};
    h.seconds = 0.55;
    h.bodyHz = 2000.0;
    h.bodyQ = 2.0;
    h.presenceHz = 3200.0;
    h.drive = 3.0;
    return reverb(horn(h), 0.7, 0.5, 0.12);
}

Buffer motorcycle(Rng& rng) {
    const double seconds = 1.7;
    EngineParams e;
    // Opens the throttle, shifts up, pulls again.
    e.firingHz = [](double t) { return Envelope{{0.0, 40}, {0.75, 118}, {0.85, 80}, {1.7, 108}}.at(t); };
    e.resonances = {{110, 50, 1.0}, {250, 90, 0.7}, {600, 250, 0.45}, {1500, 500, 0.3}, {2600, 900, 0.15}};
    e.roughness = 0.2;
    e.burstNoise = 0.15;
    e.pulseSeconds = 0.0015;  // a sharp exhaust bark
    PassBy path;
    path.speed = 11.0;
    path.closest = 8.0;
    path.refDistance = 8.0;
    path.passTime = 0.9;
    Buffer b = passBy(path, seconds, [&](std::size_t n, double t0) { return engine(rng, e, n, t0); });
    for (std::size_t i = 0; i < b.size(); ++i) b[i] *= window(timeOf(i), 0.0, seconds, 0.2);
    return b;
}

Buffer munching(Rng& rng) {
    const double seconds = 0.95;
    const std::size_t n = samplesFor(seconds);
    // The bite: a dense, fast-fading crackle; then three chews, duller each time.
    Buffer bite = crackle(rng, n, [](double t) {
        if (t > 0.01 && t < 0.14) return 2200.0 * (1.0 - (t - 0.01) / 0.13);
        for (double c : {0.32, 0.54, 0.76})
            if (t > c && t < c + 0.11) return 500.0;
        return 0.0;
    });
    Biquad crisp(Kind::Bandpass, 2300.0, 0.6), body(Kind::Lowpass, 700.0, 0.8), chew(Kind::Lowpass, 1300.0, 0.7);
    Buffer b(n, 0.0);
    for (std::size_t i = 0; i < n; ++i) {
        const double t = timeOf(i);
        if (t < 0.2) {
            b[i] = crisp.process(bite[i]) + 0.6 * body.process(bite[i]);
        } else {
            const double k = t < 0.5 ? 0.55 : (t < 0.7 ? 0.45 : 0.35);
            b[i] = k * (chew.process(bite[i]) + 0.3 * crisp.process(bite[i]));
        }
    }
    return b;
}

Buffer carPassing(Rng& rng) {
    const double seconds = 1.8;
    EngineParams e;
    e.firingHz = [](double t) { return 80.0 + 3.0 * t; };  // four cylinders at 2400 rpm
    e.resonances = {{160, 80, 0.7}, {320, 150, 0.5}, {700, 300, 0.2}};
    e.roughness = 0.1;
    e.burstNoise = 0.08;
    e.pulseSeconds = 0.003;
    PassBy path;
    path.speed = 13.9;
    path.closest = 4.0;
    path.refDistance = 4.0;
    path.passTime = 0.85;
    Buffer b = passBy(path, seconds, [&](std::size_t n, double t0) {
        Buffer s = engine(rng, e, n, t0);
        normalise(s, 1.0);
        // Tyres on asphalt: broadband roar that dominates at town speed.
        Biquad roar(Kind::Lowpass, 900.0, 0.7), hiss(Kind::Bandpass, 1800.0, 0.8);
        Buffer noise = brownNoise(rng, n);
        for (std::size_t i = 0; i < n; ++i) s[i] += 0.8 * roar.process(noise[i]) + 0.1 * hiss.process(rng.bipolar());
        return s;
    });
    for (std::size_t i = 0; i < b.size(); ++i) b[i] *= window(timeOf(i), 0.0, seconds, 0.15);
    return b;
}

Buffer doorSlam(Rng& rng) {
    Buffer b(samplesFor(0.6), 0.0);
    addNoiseHit(b, rng, 0.004, 0.0005, 0.003, Biquad(Kind::Highpass, 3000.0, 0.7), 0.4);  // latch catches
    addThump(b, 0.004, 3200.0, 3200.0, 0.015, 0.08);
    addThump(b, 0.008, 95.0, 72.0, 0.09, 1.0);  // the door's mass
    addNoiseHit(b, rng, 0.008, 0.001, 0.08, Biquad(Kind::Bandpass, 280.0, 4.0), 2.5);  // panel
    addNoiseHit(b, rng, 0.008, 0.001, 0.05, Biquad(Kind::Bandpass, 850.0, 5.0), 1.6);
    // The window glass rattles in its frame for a moment.
    Buffer rattle = crackle(rng, b.size(), [](double t) { return (t > 0.03 && t < 0.16) ? 500.0 * (0.16 - t) / 0.13 : 0.0; });
    Biquad glass(Kind::Bandpass, 2100.0, 3.0);
    for (std::size_t i = 0; i < b.size(); ++i) b[i] += 0.35 * glass.process(rattle[i]);
    return b;
}

const std::vector<SoundRecipe> kCatalogue = {
    {1, "distant car horn, two honks", 0.40, 1.15, distantCarHorn},
    {2, "distant two-tone siren", 0.35, 1.85, distantSiren},
    {3, "dog's bark", 0.80, 0.38, dogBark},
    {4, "dull knock with a latch click (door, ball)", 0.70, 0.36, knock},
    {5, "hourly chime, four church-bell strikes", 0.60, 3.90, hourChime},
    {6, "propeller plane drone", 0.50, 1.90, propellerPlane},
    {7, "blackbird song", 0.45, 1.55, blackbird},
    {8, "bicycle bell", 0.50, 1.30, bicycleBell},
    {9, "diesel engine pulling away", 0.70, 1.80, busDiesel},
    {10, "a cough", 0.70, 0.80, cough},
    {11, "broom strokes", 0.55, 1.05, broom},
    {12, "big dog barking far away", 0.35, 1.50, distantDog},
    {13, "lorry air horn", 0.75, 1.10, lorryHorn},
    {14, "air-brake hiss over idling diesel", 0.65, 1.30, airBrake},
    {15, "moped passing by", 0.45, 1.90, moped},
    {16, "small birds chirping in flight", 0.50, 1.40, birdsInFlight},
    {17, "woman's giggle", 0.60, 0.85, giggle},
    {18, "woman's call, huhu", 0.60, 0.85, huhuCall},
    {19, "paper bag tearing, shopping spilling", 0.70, 1.35, bagTearing},
    {20, "tractor chugging", 0.60, 1.60, tractor},
    {21, "rustling and rattling", 0.50, 0.80, rustle},
    {22, "two voices laughing", 0.60, 1.20, twoLaughing},
    {23, "small car horn", 0.60, 0.55, smallCarHorn},
    {24, "motorcycle revving past", 0.65, 1.70, motorcycle},
    {25, "crunchy bite and chewing", 0.60, 0.95, munching},
    {26, "car passing by", 0.70, 1.80, carPassing},
    {27, "car door slammed", 0.80, 0.60, doorSlam},
};

}  // namespace

const std::vector<SoundRecipe>& soundCatalogue() { return kCatalogue; }

std::string soundName(int number) {
    char name[16];
    std::snprintf(name, sizeof name, "SOUND%02d", number);
    return name;
}

Buffer renderSound(const SoundRecipe& recipe) {
    // Each sound has its own fixed seed, so changing one recipe leaves the others' bytes alone.
    Rng rng(0x51756C6C62726E64ull ^ (static_cast<std::uint64_t>(recipe.number) * 0x9E3779B97F4A7C15ull));
    Buffer b = recipe.make(rng);
    b.resize(samplesFor(recipe.seconds), 0.0);
    removeDc(b);
    fadeEdges(b, 0.004, 0.03);
    normalise(b, recipe.peak);
    return b;
}

std::vector<std::uint8_t> renderWaveFile(const SoundRecipe& recipe) {
    return encodeWave(toPcm16(renderSound(recipe)), kSampleRate);
}

std::string resourceScript() {
    std::string rc;
    for (const auto& r : kCatalogue) {
        const std::string name = soundName(r.number);
        rc += name + " WAVE \"" + name + ".wav\"\n";
    }
    return rc;
}

bool writeAllSounds(const std::string& dir, std::string& error) {
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::create_directories(dir, ec);
    if (!fs::is_directory(dir)) {
        error = "cannot create directory " + dir;
        return false;
    }
    auto writeFile = [&](const fs::path& path, const char* data, std::size_t size) {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(data, static_cast<std::streamsize>(size));
        out.close();
        if (!out) {
            error = "cannot write " + path.string();
            return false;
        }
        return true;
    };
    for (const auto& r : kCatalogue) {
        const auto bytes = renderWaveFile(r);
        if (!writeFile(fs::path(dir) / (soundName(r.number) + ".wav"), reinterpret_cast<const char*>(bytes.data()), bytes.size()))
            return false;
    }
    const std::string rc = resourceScript();
    return writeFile(fs::path(dir) / "sounds.rc", rc.data(), rc.size());
}

}  // namespace sg
