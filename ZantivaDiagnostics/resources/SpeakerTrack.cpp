// Writes the speaker check's music track: a short tune in C major with pad chords, bass,
// melody and drums, 40 s of 48 kHz stereo 16-bit PCM WAV. It opens with two quiet bars of
// chords, and both channels carry the whole tune (only the balance of the parts differs a
// little), so it still sounds complete from one speaker. The loudest sample is at -1 dBFS.
// Usage: zantiva_speaker_track OUTPUT.wav

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <numbers>
#include <vector>

namespace {

constexpr int rate = 48'000;
constexpr double beat = 0.6; // 100 beats a minute
constexpr double bar = 4 * beat;
constexpr double length = 40;
constexpr int hold = -1, rest = 0;

struct Mix {
    std::vector<double> left, right;
    Mix() : left(static_cast<std::size_t>(length * rate)), right(left.size()) {}

    // Adds a voice from start for seconds; shape(t) gives its sample at t seconds into it.
    template <typename Shape> void add(double start, double seconds, double leftGain, double rightGain, Shape shape) {
        const auto first = static_cast<std::size_t>(start * rate);
        const std::size_t count = std::min(static_cast<std::size_t>(seconds * rate), left.size() - first);
        for (std::size_t i = 0; i < count; ++i) {
            const double value = shape(static_cast<double>(i) / rate);
            left[first + i] += leftGain * value;
            right[first + i] += rightGain * value;
        }
    }
};

double frequency(int midiNote) { return 440.0 * std::pow(2.0, (midiNote - 69) / 12.0); }

double tone(double hz, double t, double second, double third) {
    const double phase = 2 * std::numbers::pi * hz * t;
    return std::sin(phase) + second * std::sin(2 * phase) + third * std::sin(3 * phase);
}

// Rises over attack, then falls off to silence over the last release of the note.
double envelope(double t, double seconds, double attack, double release) {
    return std::clamp(std::min(t / attack, (seconds - t) / release), 0.0, 1.0);
}

// The same noise on every build.
struct Noise {
    std::uint32_t state = 0x2545F491;
    double next() {
        state = state * 1664525u + 1013904223u;
        return static_cast<double>(state >> 8) / (1 << 23) - 1.0;
    }
};

struct Chord {
    int root; // bass note
    int notes[3];
};
const Chord C{48, {60, 64, 67}}, Am{45, {57, 60, 64}}, F{41, {57, 60, 65}}, G{43, {55, 59, 62}};
const Chord progression[4] = {C, Am, F, G};

// Eighth notes, four bars to a phrase.
const int phraseA[4][8] = {{76, 79, 84, 79, 76, hold, 74, 76},
                           {72, 76, 81, hold, 79, 76, 72, hold},
                           {69, 72, 77, 81, 79, 77, 76, 74},
                           {74, hold, 79, hold, 71, 74, 79, hold}};
const int phraseB[4][8] = {{79, hold, 76, hold, 72, 76, 79, 84},
                           {81, hold, 76, hold, 72, hold, 76, 81},
                           {77, 76, 77, 81, 84, hold, 81, 77},
                           {79, 77, 74, 71, 67, hold, hold, rest}};

void pad(Mix& mix, double start, double seconds, const int (&notes)[3], double gain) {
    for (int note : notes)
        mix.add(start, seconds, gain, gain * 0.9, [hz = frequency(note), seconds](double t) {
            return tone(hz, t, 0.5, 0.25) * envelope(t, seconds, 0.3, 0.3);
        });
}

void bass(Mix& mix, double start, int note) {
    const double seconds = beat * 0.9;
    mix.add(start, seconds, 0.45, 0.45, [hz = frequency(note), seconds](double t) {
        return tone(hz, t, 0.4, 0.2) * std::exp(-t / 0.35) * envelope(t, seconds, 0.005, 0.03);
    });
}

void melodyNote(Mix& mix, double start, double seconds, int note) {
    mix.add(start, seconds, 0.3, 0.34, [hz = frequency(note), seconds](double t) {
        return tone(hz, t, 0.3, 0.1) * (0.35 + 0.65 * std::exp(-t / 0.4)) * envelope(t, seconds, 0.01, 0.04);
    });
}

void melody(Mix& mix, double start, const int (&notes)[8]) {
    for (int slot = 0; slot < 8; ++slot) {
        if (notes[slot] <= rest) continue;
        int slots = 1;
        while (slot + slots < 8 && notes[slot + slots] == hold) ++slots;
        melodyNote(mix, start + slot * beat / 2, slots * beat / 2, notes[slot]);
    }
}

void kick(Mix& mix, double start) {
    mix.add(start, 0.35, 0.6, 0.6, [](double t) {
        const double phase = 2 * std::numbers::pi * (45 * t + 60 * 0.05 * (1 - std::exp(-t / 0.05)));
        return std::sin(phase) * std::exp(-t / 0.12);
    });
}

void snare(Mix& mix, double start, Noise& noise) {
    mix.add(start, 0.25, 0.22, 0.26, [&noise](double t) {
        return (noise.next() * 0.8 + 0.4 * std::sin(2 * std::numbers::pi * 190 * t)) * std::exp(-t / 0.06);
    });
}

void hat(Mix& mix, double start, Noise& noise, double gain) {
    double previous = 0;
    mix.add(start, 0.06, gain * 0.85, gain, [&noise, &previous](double t) {
        const double white = noise.next(), high = white - previous; // a plain high-pass
        previous = white;
        return high * std::exp(-t / 0.015);
    });
}

void writeLe(std::ofstream& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.put(static_cast<char>((value >> (8 * i)) & 0xFF));
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT.wav\n", argv[0]);
        return 2;
    }
    Mix mix;
    Noise noise;

    // Two quiet bars of chords, three phrases of the whole band, then the last chord rings out.
    for (int b = 0; b < 2; ++b) pad(mix, b * bar, bar, progression[b].notes, 0.05);
    const int (*phrases[3])[8] = {phraseA, phraseB, phraseA};
    for (int p = 0; p < 3; ++p)
        for (int b = 0; b < 4; ++b) {
            const double start = (2 + p * 4 + b) * bar;
            const Chord& chord = progression[b];
            pad(mix, start, bar, chord.notes, 0.1);
            melody(mix, start, phrases[p][b]);
            for (double at : {0.0, 1.5, 2.0, 3.0}) bass(mix, start + at * beat, chord.root);
            for (int eighth = 0; eighth < 8; ++eighth) {
                const double at = start + eighth * beat / 2;
                if (eighth % 4 == 0) kick(mix, at);
                if (eighth % 4 == 2) snare(mix, at, noise);
                hat(mix, at, noise, eighth % 2 == 0 ? 0.12 : 0.07);
            }
        }
    const double ending = 14 * bar;
    pad(mix, ending, 2 * bar, C.notes, 0.1);
    melodyNote(mix, ending, 2 * bar, 72);
    bass(mix, ending, C.root);
    kick(mix, ending);

    double peak = 0;
    for (std::size_t i = 0; i < mix.left.size(); ++i) peak = std::max({peak, std::abs(mix.left[i]), std::abs(mix.right[i])});
    const double scale = std::pow(10.0, -1.0 / 20) * 32767 / peak;

    std::ofstream out(argv[1], std::ios::binary);
    const auto dataBytes = static_cast<std::uint32_t>(mix.left.size() * 4);
    out.write("RIFF", 4);
    writeLe(out, 36 + dataBytes, 4);
    out.write("WAVEfmt ", 8);
    writeLe(out, 16, 4);          // format chunk size
    writeLe(out, 1, 2);           // PCM
    writeLe(out, 2, 2);           // channels
    writeLe(out, rate, 4);
    writeLe(out, rate * 4, 4);    // bytes a second
    writeLe(out, 4, 2);           // bytes a frame
    writeLe(out, 16, 2);          // bits a sample
    out.write("data", 4);
    writeLe(out, dataBytes, 4);
    for (std::size_t i = 0; i < mix.left.size(); ++i)
        for (double sample : {mix.left[i], mix.right[i]})
            writeLe(out, static_cast<std::uint16_t>(static_cast<std::int16_t>(std::lround(sample * scale))), 2);
    out.close();
    if (!out) {
        std::fprintf(stderr, "could not write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
