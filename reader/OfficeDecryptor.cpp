#include "reader/OfficeDecryptor.h"

#include "core/Catalogue.h"
#include "reader/NettleLibrary.h"

#include <algorithm>
#include <initializer_list>
#include <memory>
#include <stdexcept>

namespace ombrix::reader {

namespace {

constexpr auto kMaxPasswordLength = static_cast<std::size_t>(core::kOfficePasswordLength);
constexpr std::size_t kAesBlockSize = 16;
constexpr std::size_t kRc4VerifierSize = 16;
constexpr std::size_t kPaddedRc4KeySize = 16; // a 40-bit RC4 key is used as 128 bits
constexpr std::size_t kHmacPadSize = 64;

// The block keys that agile encryption derives its three password keys with.
constexpr std::string_view kVerifierInputBlock = "\xfe\xa7\xd2\x76\x3b\x4b\x9e\x79";
constexpr std::string_view kVerifierValueBlock = "\xd7\xaa\x0f\x6d\x30\x61\x34\x4e";
constexpr std::string_view kKeyValueBlock = "\x14\x6e\x0b\xe7\xab\xac\xd0\xd6";

const std::uint8_t* bytesOf(std::string_view text) {
    return reinterpret_cast<const std::uint8_t*>(text.data());
}

std::uint8_t* bytesOf(std::string& text) {
    return reinterpret_cast<std::uint8_t*>(text.data());
}

std::string littleEndian(std::uint32_t value) {
    return {static_cast<char>(value & 0xFF), static_cast<char>((value >> 8) & 0xFF),
            static_cast<char>((value >> 16) & 0xFF), static_cast<char>(value >> 24)};
}

// Cut to the size, or filled up with the byte.
std::string fitted(std::string bytes, std::size_t size, char filler) {
    bytes.resize(size, filler);
    return bytes;
}

const nettle_hash& nettleHash(OfficeHash hash) {
    switch (hash) {
    case OfficeHash::Sha1:
        return *nettle().sha1;
    case OfficeHash::Sha256:
        return *nettle().sha256;
    case OfficeHash::Sha384:
        return *nettle().sha384;
    case OfficeHash::Sha512:
        return *nettle().sha512;
    }
    throw std::invalid_argument("hash");
}

// A nettle hash over the concatenation of its parts.
class Hash {
public:
    explicit Hash(const nettle_hash& algorithm)
        : algorithm_(algorithm),
          context_(std::make_unique<std::uint8_t[]>(algorithm.context_size)) {}

    std::string operator()(std::initializer_list<std::string_view> parts) const {
        algorithm_.init(context_.get());
        for (const std::string_view part : parts) {
            algorithm_.update(context_.get(), part.size(), bytesOf(part));
        }
        std::string digest(algorithm_.digest_size, '\0');
        algorithm_.digest(context_.get(), digest.size(), bytesOf(digest));
        return digest;
    }

    // Hn = H(iterator + Hn-1), the iterator counting from 0, in place.
    void iterate(std::string& hash, std::uint32_t count) const {
        for (std::uint32_t i = 0; i < count; ++i) {
            const std::string iterator = littleEndian(i);
            algorithm_.init(context_.get());
            algorithm_.update(context_.get(), iterator.size(), bytesOf(iterator));
            algorithm_.update(context_.get(), hash.size(), bytesOf(hash));
            algorithm_.digest(context_.get(), hash.size(), bytesOf(hash));
        }
    }

private:
    const nettle_hash& algorithm_;
    std::unique_ptr<std::uint8_t[]> context_;
};

// AES decryption under a 16, 24 or 32-byte key.
class Aes {
public:
    explicit Aes(std::string_view key)
        : cipher_(key.size() == 16   ? *nettle().aes128
                  : key.size() == 24 ? *nettle().aes192
                  : key.size() == 32 ? *nettle().aes256
                                     : throw std::invalid_argument("AES key size")),
          context_(std::make_unique<std::uint8_t[]>(cipher_.context_size)) {
        cipher_.set_decrypt_key(context_.get(), bytesOf(key));
    }

    // Whole blocks, in place.
    void ecb(std::uint8_t* data, std::size_t size) const {
        cipher_.decrypt(context_.get(), size, data, data);
    }
    void cbc(std::string iv, std::uint8_t* data, std::size_t size) const {
        nettle().cbcDecrypt(context_.get(), cipher_.decrypt, kAesBlockSize, bytesOf(iv), size, data,
                            data);
    }
    std::string cbc(const std::string& iv, std::string data) const {
        cbc(iv, bytesOf(data), data.size());
        return data;
    }

private:
    const nettle_cipher& cipher_;
    std::unique_ptr<std::uint8_t[]> context_;
};

// The key of one block under RC4 CryptoAPI: the first key bytes of H(H0 + block), a 40-bit key
// filled up with zeros to 128 bits.
std::string rc4Key(const std::string& passwordHash, std::string_view block, int keyBytes) {
    std::string key = Hash(*nettle().sha1)({passwordHash, block});
    key.resize(static_cast<std::size_t>(keyBytes));
    return keyBytes == 5 ? fitted(key, kPaddedRc4KeySize, '\0') : key;
}

// The key of one block under Standard encryption: CryptoAPI's CryptDeriveKey over
// H(Hn + block).
std::string standardKey(const std::string& passwordHash, std::string_view block, int keyBytes) {
    const Hash sha1(*nettle().sha1);
    const std::string blockHash = sha1({passwordHash, block});
    std::string inner(kHmacPadSize, '\x36');
    std::string outer(kHmacPadSize, '\x5c');
    for (std::size_t i = 0; i < blockHash.size(); ++i) {
        inner[i] = static_cast<char>(inner[i] ^ blockHash[i]);
        outer[i] = static_cast<char>(outer[i] ^ blockHash[i]);
    }
    return (sha1({inner}) + sha1({outer})).substr(0, static_cast<std::size_t>(keyBytes));
}

std::string cryptoApiKey(const CryptoApiEncryption& encryption, const std::string& passwordHash,
                         std::string_view block) {
    return encryption.aes ? standardKey(passwordHash, block, encryption.keyBytes)
                          : rc4Key(passwordHash, block, encryption.keyBytes);
}

// The verifier decrypted under the key of block 0 must hash to the verifier hash decrypted
// after it (one RC4 stream for both).
bool cryptoApiPasswordMatches(const CryptoApiEncryption& encryption,
                              const std::string& passwordHash) {
    const std::string key = cryptoApiKey(encryption, passwordHash, littleEndian(0));
    std::string verifier = encryption.encryptedVerifier;
    std::string verifierHash = encryption.encryptedVerifierHash;
    if (encryption.aes) {
        const Aes aes(key);
        aes.ecb(bytesOf(verifier), verifier.size());
        aes.ecb(bytesOf(verifierHash), verifierHash.size());
    } else {
        arcfour_ctx rc4{};
        nettle().arcfourSetKey(&rc4, key.size(), bytesOf(key));
        nettle().arcfourCrypt(&rc4, kRc4VerifierSize, bytesOf(verifier), bytesOf(verifier));
        nettle().arcfourCrypt(&rc4, verifierHash.size(), bytesOf(verifierHash),
                              bytesOf(verifierHash));
    }
    const std::string expected = Hash(*nettle().sha1)({verifier});
    return nettle().memeqlSec(expected.data(), verifierHash.data(), expected.size()) != 0;
}

std::string passwordBytes(std::u16string_view password) {
    password = password.substr(0, std::min(password.size(), kMaxPasswordLength));
    std::string bytes;
    bytes.reserve(2 * password.size());
    for (const char16_t unit : password) {
        bytes.push_back(static_cast<char>(unit & 0xFF));
        bytes.push_back(static_cast<char>(unit >> 8));
    }
    return bytes;
}

} // namespace

OfficeDecryptor::OfficeDecryptor(const OfficeEncryption& encryption, std::uint32_t pageKey,
                                 std::u16string_view password)
    : encryption_(encryption), pageKey_(pageKey) {
    const std::string unicode = passwordBytes(password);
    if (const auto* cryptoApi = std::get_if<CryptoApiEncryption>(&encryption_.parameters)) {
        const Hash sha1(*nettle().sha1);
        key_ = sha1({cryptoApi->salt, unicode});
        sha1.iterate(key_, cryptoApi->spinCount);
        matches_ = cryptoApiPasswordMatches(*cryptoApi, key_);
        return;
    }
    const auto& agile = std::get<AgileEncryption>(encryption_.parameters);
    const AgileKey& keyEncryptor = agile.password;
    const Hash hash(nettleHash(keyEncryptor.hash));
    std::string passwordHash = hash({keyEncryptor.salt, unicode});
    hash.iterate(passwordHash, agile.spinCount);
    const auto decrypted = [&](std::string_view block, const std::string& value) {
        const std::string key = fitted(hash({passwordHash, block}),
                                       static_cast<std::size_t>(keyEncryptor.keyBytes), '\x36');
        return Aes(key).cbc(fitted(keyEncryptor.salt, kAesBlockSize, '\x36'), value);
    };
    const std::string input = decrypted(kVerifierInputBlock, agile.encryptedVerifierHashInput)
                                  .substr(0, keyEncryptor.salt.size());
    const std::string value = decrypted(kVerifierValueBlock, agile.encryptedVerifierHashValue);
    const std::string expected = hash({input});
    matches_ = nettle().memeqlSec(expected.data(), value.data(), expected.size()) != 0;
    key_ = decrypted(kKeyValueBlock, agile.encryptedKeyValue)
               .substr(0, static_cast<std::size_t>(agile.data.keyBytes));
}

void OfficeDecryptor::decrypt(std::uint32_t pageNumber, unsigned char* page,
                              std::size_t size) const {
    const std::string block = littleEndian(pageKey_ ^ pageNumber);
    if (const auto* cryptoApi = std::get_if<CryptoApiEncryption>(&encryption_.parameters)) {
        const std::string key = cryptoApiKey(*cryptoApi, key_, block);
        if (cryptoApi->aes) {
            Aes(key).ecb(page, size);
        } else {
            arcfour_ctx rc4{};
            nettle().arcfourSetKey(&rc4, key.size(), bytesOf(key));
            nettle().arcfourCrypt(&rc4, size, page, page);
        }
        return;
    }
    const AgileKey& data = std::get<AgileEncryption>(encryption_.parameters).data;
    const std::string iv =
        fitted(Hash(nettleHash(data.hash))({data.salt, block}), kAesBlockSize, '\x36');
    Aes(key_).cbc(iv, page, size);
}

} // namespace ombrix::reader
