// Makes the two button sounds of Vrel2 from nothing but arithmetic, so the program ships no
// recorded sound: butin3.wav, the click of a heavy panel switch, and butin4.wav, the light tick of
// a relay for hovering and ticking. Usage: make_sounds OUTPUT_FOLDER
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <numbers>
#include <vector>

namespace {

constexpr int kRate = 22050;

// A fixed noise source, so that every build makes the same files.
class Noise {
public:
    double Next() {
        state_ = state_ * 1664525u + 1013904223u;
        return static_cast<double>(state_ >> 8) / static_cast<double>(1u << 23) - 1.0;
    }

private:
    std::uint32_t state_ = 0x5EED1234u;
};

using Samples = std::vector<double>;

Samples Silence(double seconds) {
    return Samples(static_cast<std::size_t>(seconds * kRate), 0.0);
}

// A short burst of high-passed noise: the hard edge of a switch.
void AddTick(Samples& out, double at, double amplitude, double decay, Noise& noise) {
    double previous = 0.0;
    for (std::size_t i = static_cast<std::size_t>(at * kRate); i < out.size(); ++i) {
        const double t = static_cast<double>(i) / kRate - at;
        const double sample = noise.Next();
        out[i] += amplitude * (sample - previous) * 0.5 * std::exp(-t / decay);
        previous = sample;
    }
}

// A decaying tone whose pitch glides from `from` to `to` hertz: the body and ring of the metal.
void AddTone(Samples& out, double at, double from, double to, double amplitude, double decay) {
    double phase = 0.0;
    for (std::size_t i = static_cast<std::size_t>(at * kRate); i < out.size(); ++i) {
        const double t = static_cast<double>(i) / kRate - at;
        const double frequency = to + (from - to) * std::exp(-t / 0.012);
        phase += 2.0 * std::numbers::pi * frequency / kRate;
        out[i] += amplitude * std::sin(phase) * std::exp(-t / decay);
    }
}

void Finish(Samples& out, double peak) {
    const std::size_t fade = std::min<std::size_t>(out.size(), kRate / 200);
    for (std::size_t i = 0; i < fade; ++i) {
        out[out.size() - 1 - i] *= static_cast<double>(i) / static_cast<double>(fade);
    }
    double loudest = 0.0;
    for (double sample : out) {
        loudest = std::max(loudest, std::abs(sample));
    }
    if (loudest > 0.0) {
        for (double& sample : out) {
            sample *= peak / loudest;
        }
    }
}

void PutLittleEndian(std::ofstream& file, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        file.put(static_cast<char>((value >> (8 * i)) & 0xFF));
    }
}

// 16-bit mono PCM in a plain RIFF WAVE file.
bool WriteWav(const std::filesystem::path& path, const Samples& samples) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    const auto dataBytes = static_cast<std::uint32_t>(samples.size() * 2);
    file.write("RIFF", 4);
    PutLittleEndian(file, 36 + dataBytes, 4);
    file.write("WAVEfmt ", 8);
    PutLittleEndian(file, 16, 4);
    PutLittleEndian(file, 1, 2);  // PCM
    PutLittleEndian(file, 1, 2);  // mono
    PutLittleEndian(file, kRate, 4);
    PutLittleEndian(file, kRate * 2, 4);
    PutLittleEndian(file, 2, 2);
    PutLittleEndian(file, 16, 2);
    file.write("data", 4);
    PutLittleEndian(file, dataBytes, 4);
    for (double sample : samples) {
        const auto value =
            static_cast<std::int16_t>(std::lround(std::clamp(sample, -1.0, 1.0) * 32767.0));
        PutLittleEndian(file, static_cast<std::uint16_t>(value), 2);
    }
    return static_cast<bool>(file);
}

Samples Click() {
    Noise noise;
    Samples out = Silence(0.11);
    AddTick(out, 0.0, 0.9, 0.0015, noise);
    AddTone(out, 0.0, 190.0, 85.0, 0.55, 0.020);
    AddTone(out, 0.0, 1260.0, 1230.0, 0.16, 0.026);
    AddTone(out, 0.0, 2890.0, 2870.0, 0.09, 0.014);
    AddTone(out, 0.0, 4150.0, 4110.0, 0.05, 0.009);
    AddTick(out, 0.034, 0.35, 0.0010, noise);  // the latch settling
    AddTone(out, 0.034, 1900.0, 1880.0, 0.05, 0.008);
    Finish(out, 0.70);
    return out;
}

Samples Tick() {
    Noise noise;
    Samples out = Silence(0.045);
    AddTick(out, 0.0, 0.8, 0.0006, noise);
    AddTone(out, 0.0, 2500.0, 2380.0, 0.30, 0.006);
    AddTone(out, 0.0, 3720.0, 3700.0, 0.14, 0.004);
    AddTone(out, 0.0, 900.0, 620.0, 0.12, 0.008);
    Finish(out, 0.45);
    return out;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: make_sounds OUTPUT_FOLDER\n";
        return 2;
    }
    const std::filesystem::path folder(argv[1]);
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (!WriteWav(folder / "butin3.wav", Click()) || !WriteWav(folder / "butin4.wav", Tick())) {
        std::cerr << "make_sounds: cannot write the sounds into " << folder << "\n";
        return 1;
    }
    return 0;
}
