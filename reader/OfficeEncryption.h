#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

// Office encryption of an ACE database: the EncryptionInfo that the header page keeps at 0x299 (a
// 16-bit length, then the structure Office documents keep in their EncryptionInfo stream).
namespace ombrix::reader {

enum class OfficeScheme { Unknown, Rc4CryptoApi, Standard, Agile };

// RC4 CryptoAPI and Standard (CryptoAPI AES) encryption: a binary header and verifier.
struct CryptoApiEncryption {
    bool aes = false; // AES in ECB mode; otherwise RC4
    int keyBytes = 0;
    std::uint32_t spinCount = 0;       // iterations of the password hash
    std::string salt;                  // 16 bytes
    std::string encryptedVerifier;     // 16 bytes
    std::string encryptedVerifierHash; // 20 bytes (RC4) or 32 (AES)
};

// The hashes agile encryption may name.
enum class OfficeHash { Sha1, Sha256, Sha384, Sha512 };

// One key of agile encryption: AES in CBC mode with 16-byte blocks.
struct AgileKey {
    OfficeHash hash = OfficeHash::Sha1;
    std::size_t hashSize = 0;
    int keyBytes = 0;
    std::string salt;
};

// Agile encryption: an XML descriptor holding the pages' key encrypted under the password's.
struct AgileEncryption {
    AgileKey data;     // the pages
    AgileKey password; // the password's key encryptor
    std::uint32_t spinCount = 0;
    std::string encryptedVerifierHashInput;
    std::string encryptedVerifierHashValue;
    std::string encryptedKeyValue;
};

struct OfficeEncryption {
    OfficeScheme scheme = OfficeScheme::Unknown;
    std::variant<std::monostate, CryptoApiEncryption, AgileEncryption> parameters;
};

// Reads the EncryptionInfo from the header page. Never throws: whatever it cannot use, damaged
// or of a kind it does not know, is Unknown.
OfficeEncryption parseOfficeEncryption(std::string_view headerPage);

} // namespace ombrix::reader
