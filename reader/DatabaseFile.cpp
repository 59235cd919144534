#include "reader/DatabaseFile.h"

#include "core/EngineErrors.h"
#include "reader/NettleLibrary.h"
#include "reader/Text.h"

#include <cstring>
#include <filesystem>
#include <fstream>

namespace ombrix::reader {

namespace {

constexpr int kJet3PageSize = 2048;
constexpr int kJet4PageSize = 4096;

std::uint32_t readUInt32(std::string_view bytes, std::size_t offset) {
    std::uint32_t value = 0;
    for (std::size_t i = 4; i-- > 0;) {
        value = (value << 8) | static_cast<unsigned char>(bytes[offset + i]);
    }
    return value;
}

std::uint16_t readUInt16(std::string_view bytes, std::size_t offset) {
    return static_cast<std::uint16_t>(static_cast<unsigned char>(bytes[offset]) |
                                      (static_cast<unsigned char>(bytes[offset + 1]) << 8));
}

double readDouble(std::string_view bytes, std::size_t offset) {
    std::uint64_t bits = 0;
    for (std::size_t i = 8; i-- > 0;) {
        bits = (bits << 8) | static_cast<unsigned char>(bytes[offset + i]);
    }
    double value = 0;
    static_assert(sizeof value == sizeof bits);
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

std::u16string jet4Password(std::string_view page) {
    // The stored characters are masked with the integer part of the creation date.
    const double created = readDouble(page, kCreatedOffset);
    const auto mask = (created > -2147483648.0 && created < 2147483648.0)
                          ? static_cast<std::uint32_t>(static_cast<std::int32_t>(created))
                          : 0U;
    std::u16string password;
    for (std::size_t i = 0; i < kJet4PasswordBytes / 2; ++i) {
        const auto at = kPasswordOffset + 2 * i;
        const auto maskLow = (mask >> (8 * ((2 * i) % 4))) & 0xFFU;
        const auto maskHigh = (mask >> (8 * ((2 * i + 1) % 4))) & 0xFFU;
        const auto low = static_cast<unsigned char>(page[at]) ^ maskLow;
        const auto high = static_cast<unsigned char>(page[at + 1]) ^ maskHigh;
        const auto unit = static_cast<char16_t>(low | (high << 8));
        if (unit == 0) {
            break;
        }
        password.push_back(unit);
    }
    return password;
}

std::u16string jet3Password(std::string_view page, int codePage) {
    std::string_view raw = page.substr(kPasswordOffset, core::kJetPasswordLength);
    raw = raw.substr(0, raw.find('\0'));
    return toUtf16(fromCodePage(raw, codePage));
}

} // namespace

DatabaseHeader parseDatabaseHeader(std::string_view firstBytes, std::int64_t fileSize,
                                   const std::string& path) {
    if (firstBytes.size() < kJet3PageSize || firstBytes[0] != 0) {
        throw core::unrecognizedFormat(path);
    }
    const std::string_view engine = firstBytes.substr(kEngineNameOffset, kEngineNameLength);
    if (engine != "Standard Jet DB" && engine != "Standard ACE DB") {
        throw core::unrecognizedFormat(path);
    }
    const int version = static_cast<unsigned char>(firstBytes[kFormatVersionOffset]);
    if (version > 6) {
        throw core::unrecognizedFormat(path);
    }
    DatabaseHeader header;
    header.version = version;
    header.format = version == 0   ? JetFormat::Jet3
                    : version == 1 ? JetFormat::Jet4
                                   : JetFormat::Ace;
    header.pageSize = version == 0 ? kJet3PageSize : kJet4PageSize;
    if (firstBytes.size() < static_cast<std::size_t>(header.pageSize) ||
        fileSize < 2 * header.pageSize) {
        throw core::unrecognizedFormat(path);
    }
    std::string page(firstBytes.substr(0, static_cast<std::size_t>(header.pageSize)));
    scrambleHeader(page.data() + kScrambledStart,
                   version == 0 ? kJet3ScrambledLength : kJet4ScrambledLength);
    header.codePage = readUInt16(page, kCodePageOffset);
    header.pageKey = readUInt32(page, kPageKeyOffset);
    if (header.format == JetFormat::Jet3) {
        header.sortOrder = SortOrder::General97;
        header.password = jet3Password(page, header.codePage);
    } else {
        header.sortOrder =
            page[kSortVersionOffset] == 0 ? SortOrder::GeneralLegacy : SortOrder::General;
        if (header.format == JetFormat::Ace) {
            // ACE keeps no password in the header: a protected file is encrypted throughout.
            if (header.pageKey != 0) {
                header.officeEncryption = parseOfficeEncryption(page);
            }
        } else {
            header.password = jet4Password(page);
        }
    }
    return header;
}

core::DatabaseFacts databaseFacts(const DatabaseHeader& header) {
    using core::Encryption;
    core::DatabaseFacts facts{
        .formatVersion = header.version, .codePage = header.codePage, .encryption = {}};
    if (header.officeEncryption) {
        switch (header.officeEncryption->scheme) {
        case OfficeScheme::Rc4CryptoApi:
            facts.encryption.push_back(Encryption::OfficeRc4CryptoApi);
            break;
        case OfficeScheme::Standard:
            facts.encryption.push_back(Encryption::OfficeStandard);
            break;
        case OfficeScheme::Agile:
            facts.encryption.push_back(Encryption::OfficeAgile);
            break;
        case OfficeScheme::Unknown:
            break;
        }
        return facts;
    }
    if (header.pageKey != 0) {
        facts.encryption.push_back(Encryption::JetRc4);
    }
    if (!header.password.empty()) {
        facts.encryption.push_back(Encryption::DatabasePassword);
    }
    return facts;
}

DatabaseHeader readDatabaseHeader(const std::string& path) {
    namespace fs = std::filesystem;
    if (path.empty()) {
        throw core::invalidPath(path);
    }
    std::error_code error;
    const fs::path absolute = fs::absolute(path, error);
    const bool exists = fs::exists(absolute, error);
    // A path or a name the system refuses as too long is no path to the engine either.
    if (error == std::errc::filename_too_long) {
        throw core::invalidPath(path);
    }
    if (!exists) {
        // The engine looks for the folder with the path cleaned of "." and "..".
        const bool folderExists =
            fs::is_directory(absolute.lexically_normal().parent_path(), error);
        throw folderExists ? core::fileNotFound(path) : core::invalidPath(path);
    }
    if (!fs::is_regular_file(absolute, error)) {
        throw core::unrecognizedFormat(path);
    }
    std::ifstream file(absolute, std::ios::binary);
    if (!file) {
        throw core::cannotOpen(path);
    }
    std::string page(kJet4PageSize, '\0');
    file.read(page.data(), kJet4PageSize);
    page.resize(static_cast<std::size_t>(file.gcount()));
    return parseDatabaseHeader(page, static_cast<std::int64_t>(fs::file_size(absolute, error)),
                               path);
}

std::optional<OfficeDecryptor>
verifyPassword(const DatabaseHeader& header, const std::string& supplied, const std::string& path) {
    if (header.officeEncryption) {
        if (header.officeEncryption->scheme == OfficeScheme::Unknown) {
            throw core::unknownEncryption(path);
        }
        try {
            OfficeDecryptor decryptor(*header.officeEncryption, header.pageKey, toUtf16(supplied));
            if (!decryptor.passwordMatches()) {
                throw core::notValidPassword();
            }
            return decryptor;
        } catch (const NettleUnavailable& error) {
            throw core::cannotLoadDecryption(path, error.what());
        }
    }
    if (!header.password.empty() &&
        toUtf16(supplied).substr(0, core::kJetPasswordLength) != header.password) {
        throw core::notValidPassword();
    }
    return std::nullopt;
}

} // namespace ombrix::reader
