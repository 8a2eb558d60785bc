#include "wave_file.h"

#include <algorithm>
#include <cmath>

namespace sg {

namespace {

void put16(std::vector<std::uint8_t>& out, std::uint32_t v) {
    out.push_back(static_cast<std::uint8_t>(v & 0xFF));
    out.push_back(static_cast<std::uint8_t>((v >> 8) & 0xFF));
}

void put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

void putTag(std::vector<std::uint8_t>& out, const char* tag) {
    out.insert(out.end(), tag, tag + 4);
}

std::uint32_t get16(const std::vector<std::uint8_t>& b, std::size_t at) {
    return static_cast<std::uint32_t>(b[at]) | (static_cast<std::uint32_t>(b[at + 1]) << 8);
}

std::uint32_t get32(const std::vector<std::uint8_t>& b, std::size_t at) {
    return get16(b, at) | (get16(b, at + 2) << 16);
}

bool tagIs(const std::vector<std::uint8_t>& b, std::size_t at, const char* tag) {
    return std::equal(tag, tag + 4, b.begin() + static_cast<std::ptrdiff_t>(at));
}

}  // namespace

std::vector<std::int16_t> toPcm16(const Buffer& signal) {
    std::vector<std::int16_t> pcm(signal.size());
    for (std::size_t i = 0; i < signal.size(); ++i) {
        const double v = std::clamp(std::round(signal[i] * 32767.0), -32768.0, 32767.0);
        pcm[i] = static_cast<std::int16_t>(v);
    }
    return pcm;
}

std::vector<std::uint8_t> encodeWave(const std::vector<std::int16_t>& samples, int sampleRate) {
    const auto dataBytes = static_cast<std::uint32_t>(samples.size() * 2);
    std::vector<std::uint8_t> out;
    out.reserve(44 + dataBytes);
    putTag(out, "RIFF");
    put32(out, 36 + dataBytes);
    putTag(out, "WAVE");
    putTag(out, "fmt ");
    put32(out, 16);
    put16(out, 1);  // PCM
    put16(out, 1);  // mono
    put32(out, static_cast<std::uint32_t>(sampleRate));
    put32(out, static_cast<std::uint32_t>(sampleRate * 2));
    put16(out, 2);
    put16(out, kBitsPerSample);
    putTag(out, "data");
    put32(out, dataBytes);
    for (std::int16_t s : samples) put16(out, static_cast<std::uint16_t>(s));
    return out;
}

bool parseWave(const std::vector<std::uint8_t>& bytes, WaveInfo& info, std::string& error) {
    info = WaveInfo{};
    if (bytes.size() < 12 || !tagIs(bytes, 0, "RIFF") || !tagIs(bytes, 8, "WAVE")) {
        error = "no RIFF/WAVE header";
        return false;
    }
    if (get32(bytes, 4) != bytes.size() - 8) {
        error = "RIFF size " + std::to_string(get32(bytes, 4)) + " does not match file size " +
                std::to_string(bytes.size());
        return false;
    }
    bool haveFmt = false, haveData = false;
    std::size_t at = 12;
    while (at < bytes.size()) {
        if (at + 8 > bytes.size()) {
            error = "truncated chunk header";
            return false;
        }
        const std::uint32_t size = get32(bytes, at + 4);
        const std::size_t body = at + 8;
        if (body + size > bytes.size()) {
            error = "chunk runs past the end of the file";
            return false;
        }
        if (tagIs(bytes, at, "fmt ")) {
            if (size < 16) {
                error = "fmt chunk too small";
                return false;
            }
            info.formatTag = static_cast<int>(get16(bytes, body));
            info.channels = static_cast<int>(get16(bytes, body + 2));
            info.sampleRate = static_cast<int>(get32(bytes, body + 4));
            info.byteRate = static_cast<int>(get32(bytes, body + 8));
            info.blockAlign = static_cast<int>(get16(bytes, body + 12));
            info.bitsPerSample = static_cast<int>(get16(bytes, body + 14));
            haveFmt = true;
        } else if (tagIs(bytes, at, "data")) {
            if (!haveFmt) {
                error = "data chunk before fmt chunk";
                return false;
            }
            if (info.blockAlign == 0 || size % static_cast<std::uint32_t>(info.blockAlign) != 0) {
                error = "data size is not a whole number of frames";
                return false;
            }
            if (info.bitsPerSample == 16) {
                info.samples.resize(size / 2);
                for (std::size_t i = 0; i < info.samples.size(); ++i)
                    info.samples[i] = static_cast<std::int16_t>(get16(bytes, body + 2 * i));
            }
            haveData = true;
        }
        at = body + size + (size & 1);
    }
    if (at != bytes.size()) {
        error = "chunk padding runs past the end of the file";
        return false;
    }
    if (!haveFmt || !haveData) {
        error = haveFmt ? "no data chunk" : "no fmt chunk";
        return false;
    }
    if (info.blockAlign != info.channels * info.bitsPerSample / 8 ||
        info.byteRate != info.sampleRate * info.blockAlign) {
        error = "fmt fields disagree (block align or byte rate)";
        return false;
    }
    return true;
}

}  // namespace sg
