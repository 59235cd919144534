#pragma once

#include "core/Catalogue.h"

#include <array>
#include <cstddef>
#include <utility>

// The layout of a Jet database's first page, the database definition page, as the reader reads it
// and mkmdb writes it. Offsets are in bytes from the start of the page; numbers are little-endian.
namespace ombrix::reader {

inline constexpr std::size_t kEngineNameOffset = 0x04; // "Standard Jet DB" or "Standard ACE DB"
inline constexpr std::size_t kEngineNameLength = 15;
inline constexpr std::size_t kFormatVersionOffset = 0x14; // 0 Jet 3, 1 Jet 4, 2 to 6 ACE

// Jet scrambles this part of the page with RC4 under a fixed key; everything below up to the
// creation date lies inside it.
inline constexpr std::size_t kScrambledStart = 0x18;
inline constexpr std::size_t kJet3ScrambledLength = 126;
inline constexpr std::size_t kJet4ScrambledLength = 128;

inline constexpr std::size_t kCodePageOffset = 0x3C; // 16 bits
inline constexpr std::size_t kPageKeyOffset = 0x3E;  // 32 bits
inline constexpr std::size_t kPasswordOffset = 0x42; // Jet 3 bytes, Jet 4 UCS-2 units
inline constexpr std::size_t kJet4PasswordBytes = 2 * core::kJetPasswordLength;
inline constexpr std::size_t kSortOrderOffset = 0x6E;   // 16 bits
inline constexpr std::size_t kSortVersionOffset = 0x71; // 0 for the legacy General order
inline constexpr std::size_t kCreatedOffset = 0x72;     // an OLE date, which masks the password

inline constexpr std::array<unsigned char, 4> kHeaderKey{0xC7, 0xDA, 0x39, 0x6B};

// Scrambles or unscrambles (RC4 is its own inverse) length bytes at data. Hand-written: mkmdb
// links no cryptography library (nettle is the reader's alone), and it serves 128 bytes only.
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
