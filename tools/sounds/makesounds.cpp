// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
// Synthesises the program's five sound cues as 16-bit PCM mono WAV files at 22050 Hz.
//
// Usage: makesounds OUTDIR
//
// Every cue is built from fixed seeds, so two runs write identical files. Each cue is
// normalised to a moderate peak and faded in and out so that it starts and ends on silence.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <numbers>
#include <string>
#include <vector>

namespace {

constexpr int kRate = 22050;
constexpr double kPi = std::numbers::pi;

using Samples = std::vector<double>;

// Small deterministic generator (xorshift64*): the same numbers on every compiler and library.
class Noise {
public:
    explicit Noise(std::uint64_t seed) : state_(seed ? seed : 0x9E3779B97F4A7C15ull) {}

    // Uniform in [0, 1).
    double Uniform() {
        state_ ^= state_ >> 12;
        state_ ^= state_ << 25;
        state_ ^= state_ >> 27;
        const std::uint64_t r = state_ * 0x2545F4914F6CDD1Dull;
        return static_cast<double>(r >> 11) * (1.0 / 9007199254740992.0);
    }
    // Uniform in [-1, 1).
    double White() { return Uniform() * 2.0 - 1.0; }
    double Between(double lo, double hi) { return lo + (hi - lo) * Uniform(); }

private:
    std::uint64_t state_;
};

// Second-order filter with the usual audio-cookbook coefficients.
class Biquad {
public:
    static Biquad BandPass(double freq, double q) {
        const double w = 2.0 * kPi * freq / kRate;
        const double alpha = std::sin(w) / (2.0 * q);
        const double a0 = 1.0 + alpha;
        return Biquad(alpha / a0, 0.0, -alpha / a0, -2.0 * std::cos(w) / a0, (1.0 - alpha) / a0);
    }
    static Biquad LowPass(double freq, double q) {
        const double w = 2.0 * kPi * freq / kRate;
        const double alpha = std::sin(w) / (2.0 * q);
        const double c = std::cos(w);
        const double a0 = 1.0 + alpha;
        return Biquad((1.0 - c) / 2.0 / a0, (1.0 - c) / a0, (1.0 - c) / 2.0 / a0, -2.0 * c / a0,
                      (1.0 - alpha) / a0);
    }
    static Biquad HighPass(double freq, double q) {
        const double w = 2.0 * kPi * freq / kRate;
        const double alpha = std::sin(w) / (2.0 * q);
        const double c = std::cos(w);
        const double a0 = 1.0 + alpha;
        return Biquad((1.0 + c) / 2.0 / a0, -(1.0 + c) / a0, (1.0 + c) / 2.0 / a0, -2.0 * c / a0,
                      (1.0 - alpha) / a0);
    }

    double operator()(double x) {
        const double y = b0_ * x + b1_ * x1_ + b2_ * x2_ - a1_ * y1_ - a2_ * y2_;
        x2_ = x1_;
        x1_ = x;
        y2_ = y1_;
        y1_ = y;
        return y;
    }

private:
    Biquad(double b0, double b1, double b2, double a1, double a2)
        : b0_(b0), b1_(b1), b2_(b2), a1_(a1), a2_(a2) {}
    double b0_, b1_, b2_, a1_, a2_;
    double x1_ = 0, x2_ = 0, y1_ = 0, y2_ = 0;
};

int SamplesFor(double seconds) { return static_cast<int>(std::lround(seconds * kRate)); }

// Adds `src` into `dst` starting at sample `at`, clipped to the end of `dst`.
void MixAt(Samples& dst, const Samples& src, int at, double gain) {
    for (std::size_t i = 0; i < src.size(); ++i) {
        const std::size_t j = static_cast<std::size_t>(at) + i;
        if (j >= dst.size()) break;
        dst[j] += src[i] * gain;
    }
}

// Scales to the given peak, then fades both ends with raised-cosine ramps.
void Finish(Samples& s, double peak, double fadeIn, double fadeOut) {
    double max = 0.0;
    for (double v : s) max = std::max(max, std::abs(v));
    if (max > 0.0)
        for (double& v : s) v *= peak / max;
    const int in = std::min<int>(SamplesFor(fadeIn), static_cast<int>(s.size()));
    const int out = std::min<int>(SamplesFor(fadeOut), static_cast<int>(s.size()));
    for (int i = 0; i < in; ++i) s[i] *= 0.5 - 0.5 * std::cos(kPi * i / in);
    for (int i = 0; i < out; ++i) s[s.size() - 1 - i] *= 0.5 - 0.5 * std::cos(kPi * i / out);
}

// One mechanical click: a noise tick through a resonance, plus a short damped body tone.
Samples Click(Noise& noise, double resonance, double body, double length, double decay) {
    Samples out(SamplesFor(length));
    Biquad ring = Biquad::BandPass(resonance, 6.0);
    Biquad air = Biquad::HighPass(900.0, 0.7);
    for (std::size_t i = 0; i < out.size(); ++i) {
        const double t = static_cast<double>(i) / kRate;
        const double env = std::exp(-t / decay);
        const double tick = (t < 0.004 ? noise.White() : noise.White() * 0.15) * env;
        const double tone = std::sin(2.0 * kPi * body * t) * std::exp(-t / (decay * 1.6));
        out[i] = ring(tick) * 2.2 + air(tick) * 0.5 + tone * 0.35;
    }
    return out;
}

// A slide changer: the latch clicks, the tray slides with a soft rattle, the new slide clacks
// into place. About 0.4 s.
Samples Projector() {
    Noise noise(0x51D3C0DEull);
    Samples s(SamplesFor(0.40));
    MixAt(s, Click(noise, 2300.0, 420.0, 0.06, 0.010), SamplesFor(0.015), 0.8);

    // The tray sliding: band-limited noise with a gentle swell and a faint motor hum.
    Biquad slide = Biquad::BandPass(1400.0, 1.2);
    for (int i = SamplesFor(0.05); i < SamplesFor(0.22); ++i) {
        const double t = (static_cast<double>(i) / kRate - 0.05) / 0.17;
        const double env = std::sin(kPi * t);
        const double rattle = 0.6 + 0.4 * std::sin(2.0 * kPi * 38.0 * t * 0.17);
        s[i] += slide(noise.White()) * env * rattle * 0.22;
        s[i] += std::sin(2.0 * kPi * 120.0 * i / kRate) * env * 0.05;
    }

    MixAt(s, Click(noise, 1600.0, 260.0, 0.12, 0.018), SamplesFor(0.215), 1.0);
    MixAt(s, Click(noise, 3100.0, 520.0, 0.05, 0.006), SamplesFor(0.245), 0.35);
    Finish(s, 0.50, 0.003, 0.04);
    return s;
}

// Air rushing past: noise through a band-pass filter whose centre sweeps up and back down,
// under a smooth swell. About 0.35 s.
Samples Whoosh() {
    Noise noise(0x0A1B2C3Dull);
    const int n = SamplesFor(0.35);
    Samples s(n);
    // A state-variable filter takes a new centre frequency every sample without a jump.
    double low = 0.0, band = 0.0;
    const double damping = 1.0 / 2.2;
    for (int i = 0; i < n; ++i) {
        const double t = static_cast<double>(i) / n;
        const double freq = 300.0 + 2100.0 * std::sin(kPi * std::pow(t, 0.8));
        const double f = 2.0 * std::sin(kPi * freq / kRate);
        const double in = noise.White();
        low += f * band;
        const double high = in - low - damping * band;
        band += f * high;
        const double env = std::pow(std::sin(kPi * std::pow(t, 0.7)), 2.0);
        s[i] = (band + 0.25 * high) * env;
    }
    Biquad soften = Biquad::LowPass(4500.0, 0.7);
    for (double& v : s) v = soften(v);
    Finish(s, 0.35, 0.01, 0.03);
    return s;
}

// A low, soft thud: a falling sine with a quick decay and a muffled knock at its start.
// About 0.15 s.
Samples Bump() {
    Noise noise(0xB0B0B0B0ull);
    const int n = SamplesFor(0.15);
    Samples s(n);
    Biquad knock = Biquad::LowPass(700.0, 0.8);
    double phase = 0.0;
    for (int i = 0; i < n; ++i) {
        const double t = static_cast<double>(i) / kRate;
        const double freq = 55.0 + 70.0 * std::exp(-t / 0.03);
        phase += 2.0 * kPi * freq / kRate;
        const double body = std::sin(phase) * std::exp(-t / 0.045);
        const double hit = knock(noise.White()) * std::exp(-t / 0.006);
        s[i] = body + hit * 0.8;
    }
    Finish(s, 0.55, 0.002, 0.03);
    return s;
}

// One hand clap: a burst of noise through the resonance of the cupped hands.
Samples HandClap(Noise& noise, double gain) {
    const double centre = noise.Between(900.0, 2200.0);
    const double decay = noise.Between(0.008, 0.016);
    Biquad body = Biquad::BandPass(centre, noise.Between(1.5, 3.0));
    Biquad air = Biquad::HighPass(2500.0, 0.7);
    Samples out(SamplesFor(decay * 6.0));
    for (std::size_t i = 0; i < out.size(); ++i) {
        const double t = static_cast<double>(i) / kRate;
        const double attack = std::min(1.0, t / 0.0008);
        const double x = noise.White() * attack * std::exp(-t / decay);
        out[i] = (body(x) * 1.8 + air(x) * 0.35) * gain;
    }
    return out;
}

// People clapping, each at their own pace with a little jitter, between `from` and `to`.
void Crowd(Samples& s, Noise& noise, int people, double from, double to, double loudness) {
    for (int p = 0; p < people; ++p) {
        const double pace = noise.Between(0.17, 0.32);
        const double gain = loudness * noise.Between(0.35, 1.0);
        double t = from + noise.Between(0.0, pace);
        while (t < to) {
            MixAt(s, HandClap(noise, gain * noise.Between(0.7, 1.0)), SamplesFor(t), 1.0);
            t += pace * noise.Between(0.85, 1.15);
        }
    }
}

// Applause: a crowd of about thirty, swelling in and dying away. About 2.5 s.
Samples Applause() {
    Noise noise(0xC1A9C1A9ull);
    const double length = 2.5;
    Samples s(SamplesFor(length));
    Crowd(s, noise, 30, 0.0, length - 0.05, 1.0);
    // A bed of room noise that blends the claps together.
    Biquad room = Biquad::BandPass(1500.0, 0.6);
    for (double& v : s) v += room(noise.White()) * 0.12;
    const int n = static_cast<int>(s.size());
    for (int i = 0; i < n; ++i) {
        const double t = static_cast<double>(i) / kRate;
        const double swell = std::min(1.0, t / 0.25);
        const double die = t > length - 0.9 ? std::pow((length - t) / 0.9, 1.5) : 1.0;
        s[i] *= swell * die;
    }
    Finish(s, 0.42, 0.02, 0.12);
    return s;
}

// A few claps: three people clapping together four or five times. About 1 s.
Samples Clap() {
    Noise noise(0xC1A90001ull);
    Samples s(SamplesFor(1.0));
    for (int p = 0; p < 3; ++p) {
        const double pace = noise.Between(0.19, 0.24);
        const double gain = noise.Between(0.6, 1.0);
        for (double t = 0.02 + noise.Between(0.0, 0.03); t < 0.86;
             t += pace * noise.Between(0.95, 1.05))
            MixAt(s, HandClap(noise, gain * noise.Between(0.75, 1.0)), SamplesFor(t), 1.0);
    }
    Finish(s, 0.45, 0.003, 0.1);
    return s;
}

void PutU32(std::ofstream& f, std::uint32_t v) {
    const std::array<char, 4> b{static_cast<char>(v & 0xFF), static_cast<char>((v >> 8) & 0xFF),
                                static_cast<char>((v >> 16) & 0xFF),
                                static_cast<char>((v >> 24) & 0xFF)};
    f.write(b.data(), 4);
}

void PutU16(std::ofstream& f, std::uint16_t v) {
    const std::array<char, 2> b{static_cast<char>(v & 0xFF), static_cast<char>((v >> 8) & 0xFF)};
    f.write(b.data(), 2);
}

bool WriteWav(const std::string& path, const Samples& s) {
    std::ofstream f(path, std::ios::binary | std::ios::trunc);
    if (!f) return false;
    const std::uint32_t dataBytes = static_cast<std::uint32_t>(s.size() * 2);
    f.write("RIFF", 4);
    PutU32(f, 36 + dataBytes);
    f.write("WAVE", 4);
    f.write("fmt ", 4);
    PutU32(f, 16);
    PutU16(f, 1);  // PCM
    PutU16(f, 1);  // mono
    PutU32(f, kRate);
    PutU32(f, kRate * 2);  // bytes per second
    PutU16(f, 2);          // bytes per frame
    PutU16(f, 16);         // bits per sample
    f.write("data", 4);
    PutU32(f, dataBytes);
    for (double v : s) {
        const long q = std::lround(std::clamp(v, -1.0, 1.0) * 32767.0);
        PutU16(f, static_cast<std::uint16_t>(static_cast<std::int16_t>(q)));
    }
    return static_cast<bool>(f.flush());
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: makesounds OUTDIR\n");
        return 2;
    }
    const std::string dir = argv[1];
    const struct {
        const char* name;
        Samples (*make)();
    } cues[] = {{"projctor.wav", Projector},
                {"whoosh.wav", Whoosh},
                {"bump.wav", Bump},
                {"applause.wav", Applause},
                {"clap.wav", Clap}};
    for (const auto& cue : cues) {
        const std::string path = dir + "/" + cue.name;
        if (!WriteWav(path, cue.make())) {
            std::fprintf(stderr, "makesounds: could not write %s\n", path.c_str());
            return 1;
        }
    }
    return 0;
}
