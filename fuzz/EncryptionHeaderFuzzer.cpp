// The Office EncryptionInfo of an ACE header page: the input stands at 0x299 (its length field
// first) of an otherwise empty page. What parses is unlocked with a password and decrypts a page;
// iterations are cut down so that a run stays short.
#include "reader/OfficeDecryptor.h"
#include "reader/OfficeEncryption.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

using namespace ombrix;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    constexpr std::size_t kInfoOffset = 0x299;
    std::string page(4096, '\0');
    std::memcpy(page.data() + kInfoOffset, data, std::min(size, page.size() - kInfoOffset));
    reader::OfficeEncryption encryption = reader::parseOfficeEncryption(page);
    if (encryption.scheme == reader::OfficeScheme::Unknown) {
        return 0;
    }
    auto* agile = std::get_if<reader::AgileEncryption>(&encryption.parameters);
    auto* cryptoApi = std::get_if<reader::CryptoApiEncryption>(&encryption.parameters);
    if ((agile != nullptr) != (encryption.scheme == reader::OfficeScheme::Agile) ||
        (agile == nullptr && cryptoApi == nullptr)) {
        __builtin_trap(); // a known scheme comes with its parameters
    }
    (agile != nullptr ? agile->spinCount : cryptoApi->spinCount) %= 64;
    const reader::OfficeDecryptor decryptor(encryption, 0x5A17C0DE, u"Test123");
    (void)decryptor.passwordMatches();
    decryptor.decrypt(1, reinterpret_cast<unsigned char*>(page.data()), page.size());
    return 0;
}
