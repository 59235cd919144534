#pragma once

#include <array>
#include <cstddef>
#include <utility>

// Jet scrambles part of a database's first page with RC4 under a fixed key; the reader unscrambles
// it and mkmdb scrambles it, with this one function. Hand-written: mkmdb links no cryptography
// library (nettle is the reader's alone), and it serves 128 bytes only.
namespace ombrix::reader {

inline constexpr std::array<unsigned char, 4> kHeaderKey{0xC7, 0xDA, 0x39, 0x6B};

// Scrambles or unscrambles (RC4 is its own inverse) length bytes at data.
inline void scrambleHeader(char* data, std::size_t length) {
    std::array<unsigned char, 256> state{};
    for (std::size_t i = 0; i < state.size(); ++i) {
        state[i] = static_cast<unsigned char>(i);
    }
    std::size_t j = 0;
    for (std::size_t i = 0; i < state.size(); ++i) {
        j = (j + state[i] + kHeaderKey[i % kHeaderKey.size()]) & 0xFF;
        std::swap(state[i], state[j]);
    }
    std::size_t a = 0;
    std::size_t b = 0;
    for (std::size_t n = 0; n < length; ++n) {
        a = (a + 1) & 0xFF;
        b = (b + state[a]) & 0xFF;
        std::swap(state[a], state[b]);
        data[n] = static_cast<char>(static_cast<unsigned char>(data[n]) ^
                                    state[(state[a] + state[b]) & 0xFF]);
    }
}

} // namespace ombrix::reader
