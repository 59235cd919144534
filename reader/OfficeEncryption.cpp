#include "reader/OfficeEncryption.h"

#include <charconv>
#include <glib.h>
#include <memory>
#include <optional>
#include <tuple>
#include <unordered_map>

namespace ombrix::reader {

namespace {

constexpr std::size_t kInfoOffset = 0x299;

// The binary header's flags, algorithm ids and sizes.
constexpr std::uint32_t kFlagCryptoApi = 0x04;
constexpr std::uint32_t kFlagExternal = 0x10;
constexpr std::uint32_t kFlagAes = 0x20;
constexpr std::uint32_t kAlgorithmRc4 = 0x6801;
constexpr std::uint32_t kAlgorithmAes128 = 0x660E;
constexpr std::uint32_t kAlgorithmAes192 = 0x660F;
constexpr std::uint32_t kAlgorithmAes256 = 0x6610;
constexpr std::uint32_t kHashSha1 = 0x8004;
constexpr std::uint32_t kSaltSize = 16;
constexpr std::uint32_t kSha1Size = 20;
constexpr std::uint32_t kStandardSpinCount = 50000;

constexpr std::uint32_t kMaxSpinCount = 10'000'000;
constexpr std::size_t kAesBlockSize = 16;
constexpr std::string_view kPasswordKeyEncryptor =
    "http://schemas.microsoft.com/office/2006/keyEncryptor/password";

// The little-endian fields of a structure, read in order; reading past its end fails the read.
class FieldReader {
public:
    explicit FieldReader(std::string_view bytes) : rest_(bytes) {}

    std::string_view take(std::size_t count) {
        if (count > rest_.size()) {
            failed_ = true;
            return {};
        }
        const std::string_view taken = rest_.substr(0, count);
        rest_.remove_prefix(count);
        return taken;
    }
    std::uint32_t number(std::size_t width) {
        const std::string_view bytes = take(width);
        std::uint32_t value = 0;
        for (std::size_t i = bytes.size(); i-- > 0;) {
            value = (value << 8) | static_cast<unsigned char>(bytes[i]);
        }
        return value;
    }
    std::uint32_t u16() { return number(2); }
    std::uint32_t u32() { return number(4); }
    std::string_view rest() const { return rest_; }
    bool failed() const { return failed_; }

private:
    std::string_view rest_;
    bool failed_ = false;
};

// RC4 CryptoAPI and Standard: the flags, the EncryptionHeader and the EncryptionVerifier.
std::optional<CryptoApiEncryption> cryptoApiEncryption(FieldReader& info) {
    info.u32(); // a copy of the header's flags
    FieldReader header(info.take(info.u32()));
    const std::uint32_t flags = header.u32();
    header.u32(); // size of extra data
    std::uint32_t algorithm = header.u32();
    const std::uint32_t hash = header.u32();
    std::uint32_t keyBits = header.u32();
    if (header.failed() || (flags & kFlagCryptoApi) == 0 || (flags & kFlagExternal) != 0 ||
        (hash != 0 && hash != kHashSha1)) {
        return std::nullopt;
    }
    if (algorithm == 0) {
        algorithm = (flags & kFlagAes) != 0 ? kAlgorithmAes128 : kAlgorithmRc4;
    }
    CryptoApiEncryption encryption;
    if (algorithm == kAlgorithmRc4) {
        keyBits = keyBits == 0 ? 40 : keyBits;
        if (keyBits < 40 || keyBits > 128 || keyBits % 8 != 0) {
            return std::nullopt;
        }
    } else {
        const std::uint32_t aesBits = algorithm == kAlgorithmAes128   ? 128
                                      : algorithm == kAlgorithmAes192 ? 192
                                      : algorithm == kAlgorithmAes256 ? 256
                                                                      : 0;
        if (aesBits == 0 || (keyBits != 0 && keyBits != aesBits)) {
            return std::nullopt;
        }
        keyBits = aesBits;
        encryption.aes = true;
        // Files that name AES without the AES flag hash the password once, without iterating.
        encryption.spinCount = (flags & kFlagAes) != 0 ? kStandardSpinCount : 0;
    }
    encryption.keyBytes = static_cast<int>(keyBits / 8);
    const bool saltSizeRight = info.u32() == kSaltSize;
    encryption.salt = info.take(kSaltSize);
    encryption.encryptedVerifier = info.take(kSaltSize);
    const bool hashSizeRight = info.u32() == kSha1Size;
    encryption.encryptedVerifierHash = info.take(encryption.aes ? 2 * kAesBlockSize : kSha1Size);
    if (info.failed() || !saltSizeRight || !hashSizeRight) {
        return std::nullopt;
    }
    return encryption;
}

using Attributes = std::unordered_map<std::string, std::string>;

// What the agile XML descriptor holds: the attributes of keyData and of the password's
// encryptedKey (a descriptor may also hold certificate key encryptors, which are left alone).
struct Descriptor {
    std::optional<Attributes> keyData;
    std::optional<Attributes> passwordKey;
    bool inPasswordEncryptor = false;
};

std::string_view localName(std::string_view element) {
    const std::size_t colon = element.find(':');
    return colon == std::string_view::npos ? element : element.substr(colon + 1);
}

Attributes attributes(const gchar** names, const gchar** values) {
    Attributes result;
    for (; *names != nullptr; ++names, ++values) {
        result.emplace(*names, *values);
    }
    return result;
}

void startElement(GMarkupParseContext*, const gchar* element, const gchar** names,
                  const gchar** values, gpointer data, GError**) {
    auto& descriptor = *static_cast<Descriptor*>(data);
    const std::string_view name = localName(element);
    if (name == "keyData" && !descriptor.keyData) {
        descriptor.keyData = attributes(names, values);
    } else if (name == "keyEncryptor") {
        const Attributes own = attributes(names, values);
        const auto uri = own.find("uri");
        descriptor.inPasswordEncryptor = uri != own.end() && uri->second == kPasswordKeyEncryptor;
    } else if (name == "encryptedKey" && descriptor.inPasswordEncryptor &&
               !descriptor.passwordKey) {
        descriptor.passwordKey = attributes(names, values);
    }
}

std::optional<Descriptor> parseDescriptor(std::string_view xml) {
    static const GMarkupParser parser{startElement, nullptr, nullptr, nullptr, nullptr};
    Descriptor descriptor;
    const std::unique_ptr<GMarkupParseContext, decltype(&g_markup_parse_context_free)> context(
        g_markup_parse_context_new(&parser, static_cast<GMarkupParseFlags>(0), &descriptor,
                                   nullptr),
        g_markup_parse_context_free);
    GError* error = nullptr;
    const bool parsed = g_markup_parse_context_parse(context.get(), xml.data(),
                                                     static_cast<gssize>(xml.size()), &error) &&
                        g_markup_parse_context_end_parse(context.get(), &error);
    g_clear_error(&error);
    if (!parsed || !descriptor.keyData || !descriptor.passwordKey) {
        return std::nullopt;
    }
    return descriptor;
}

std::string attribute(const Attributes& attributes, const std::string& name) {
    const auto found = attributes.find(name);
    return found == attributes.end() ? std::string() : found->second;
}

std::optional<std::uint32_t> numberAttribute(const Attributes& attributes,
                                             const std::string& name) {
    const std::string text = attribute(attributes, name);
    std::uint32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

std::string base64Attribute(const Attributes& attributes, const std::string& name) {
    const std::string text = attribute(attributes, name);
    gsize length = 0;
    const std::unique_ptr<guchar, decltype(&g_free)> bytes(g_base64_decode(text.c_str(), &length),
                                                           g_free);
    return {reinterpret_cast<const char*>(bytes.get()), length};
}

// The hash a descriptor names, with its digest size.
std::optional<std::pair<OfficeHash, std::size_t>> hashNamed(std::string_view name) {
    static constexpr std::tuple<std::string_view, OfficeHash, std::size_t> hashes[] = {
        {"SHA1", OfficeHash::Sha1, 20},
        {"SHA256", OfficeHash::Sha256, 32},
        {"SHA384", OfficeHash::Sha384, 48},
        {"SHA512", OfficeHash::Sha512, 64}};
    for (const auto& [known, hash, size] : hashes) {
        if (name == known) {
            return std::pair(hash, size);
        }
    }
    return std::nullopt;
}

// A key of the descriptor: AES in CBC mode, a known hash of the size it states, a salt of the
// size it states.
std::optional<AgileKey> agileKey(const Attributes& attributes) {
    const auto hash = hashNamed(attribute(attributes, "hashAlgorithm"));
    AgileKey key;
    key.salt = base64Attribute(attributes, "saltValue");
    const auto keyBits = numberAttribute(attributes, "keyBits");
    if (!hash || numberAttribute(attributes, "hashSize") != hash->second ||
        attribute(attributes, "cipherAlgorithm") != "AES" ||
        attribute(attributes, "cipherChaining") != "ChainingModeCBC" ||
        numberAttribute(attributes, "blockSize") != kAesBlockSize ||
        (keyBits != 128U && keyBits != 192U && keyBits != 256U) || key.salt.empty() ||
        numberAttribute(attributes, "saltSize") != key.salt.size()) {
        return std::nullopt;
    }
    std::tie(key.hash, key.hashSize) = *hash;
    key.keyBytes = static_cast<int>(*keyBits / 8);
    return key;
}

// Agile: a reserved 0x40, then the XML descriptor.
std::optional<AgileEncryption> agileEncryption(FieldReader& info) {
    if (info.u32() != 0x40) {
        return std::nullopt;
    }
    const auto descriptor = parseDescriptor(info.rest());
    if (!descriptor) {
        return std::nullopt;
    }
    const auto data = agileKey(*descriptor->keyData);
    const auto password = agileKey(*descriptor->passwordKey);
    const auto spinCount = numberAttribute(*descriptor->passwordKey, "spinCount");
    if (!data || !password || !spinCount || *spinCount > kMaxSpinCount) {
        return std::nullopt;
    }
    const Attributes& key = *descriptor->passwordKey;
    AgileEncryption encryption{
        .data = *data,
        .password = *password,
        .spinCount = *spinCount,
        .encryptedVerifierHashInput = base64Attribute(key, "encryptedVerifierHashInput"),
        .encryptedVerifierHashValue = base64Attribute(key, "encryptedVerifierHashValue"),
        .encryptedKeyValue = base64Attribute(key, "encryptedKeyValue")};
    // Each value is whole blocks holding at least what is taken from it.
    const auto holds = [](const std::string& value, std::size_t needed) {
        return value.size() >= needed && value.size() % kAesBlockSize == 0;
    };
    if (!holds(encryption.encryptedVerifierHashInput, password->salt.size()) ||
        !holds(encryption.encryptedVerifierHashValue, password->hashSize) ||
        !holds(encryption.encryptedKeyValue, static_cast<std::size_t>(data->keyBytes))) {
        return std::nullopt;
    }
    return encryption;
}

} // namespace

OfficeEncryption parseOfficeEncryption(std::string_view headerPage) {
    FieldReader page(headerPage.substr(std::min(kInfoOffset, headerPage.size())));
    FieldReader info(page.take(page.u16()));
    const std::uint32_t major = info.u16();
    const std::uint32_t minor = info.u16();
    if (info.failed()) {
        return {};
    }
    if (major == 4 && minor == 4) {
        if (auto agile = agileEncryption(info)) {
            return {.scheme = OfficeScheme::Agile, .parameters = std::move(*agile)};
        }
    } else if (major >= 2 && major <= 4 && minor == 2) {
        if (auto cryptoApi = cryptoApiEncryption(info)) {
            const OfficeScheme scheme =
                cryptoApi->aes ? OfficeScheme::Standard : OfficeScheme::Rc4CryptoApi;
            return {.scheme = scheme, .parameters = std::move(*cryptoApi)};
        }
    }
    return {};
}

} // namespace ombrix::reader
