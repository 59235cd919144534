#pragma once

#include "reader/OfficeEncryption.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace ombrix::reader {

// The keys to the pages of an Office-encrypted database, derived from a password. Each page but
// the first is encrypted on its own, under a key (RC4 CryptoAPI, Standard) or an initialisation
// vector (agile) made from the header's page key XOR the page number.
class OfficeDecryptor {
public:
    // Derives the keys from the password's UTF-16 code units, at most 255 as Office takes them.
    // The encryption must be of a known scheme.
    OfficeDecryptor(const OfficeEncryption& encryption, std::uint32_t pageKey,
                    std::u16string_view password);

    // Whether the password passes the file's verifier. With a wrong one, decrypt gives noise.
    bool passwordMatches() const { return matches_; }

    // Decrypts one page in place; its size is a multiple of 16 bytes.
    void decrypt(std::uint32_t pageNumber, unsigned char* page, std::size_t size) const;

private:
    OfficeEncryption encryption_;
    std::uint32_t pageKey_;
    std::string key_; // CryptoAPI: the password's iterated hash; agile: the pages' key
    bool matches_ = false;
};

} // namespace ombrix::reader
