#pragma once

#include "core/Catalogue.h"
#include "reader/JetHeader.h"
#include "reader/OfficeDecryptor.h"
#include "reader/OfficeEncryption.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace ombrix::reader {

enum class JetFormat { Jet3, Jet4, Ace };

// The text sort orders that decide the order of names in the catalogue.
enum class SortOrder { General97, GeneralLegacy, General };

// What page 0 of an Access file says about the file.
struct DatabaseHeader {
    JetFormat format = JetFormat::Jet4;
    int version = 1; // the version byte: 0 Jet 3, 1 Jet 4, 2 to 6 the ACE versions
    int pageSize = 4096;
    SortOrder sortOrder = SortOrder::GeneralLegacy;
    int codePage = 1252;
    std::u16string password; // empty when the database has none; the engine compares units
    // Non-zero when every page but the first is encrypted: with Jet's RC4 (Jet 3 and 4, which
    // libmdb undoes) or, in an ACE file, with Office encryption.
    std::uint32_t pageKey = 0;
    std::optional<OfficeEncryption> officeEncryption; // an ACE file with a page key
};

// Decodes and checks page 0 (the first bytes of the file). Throws 3343 when the bytes are not the
// header of a Jet 3, Jet 4 or ACE database, or when the file is shorter than two pages.
DatabaseHeader parseDatabaseHeader(std::string_view firstBytes, std::int64_t fileSize,
                                   const std::string& path);

// What the header tells of the format and of how the file is protected.
core::DatabaseFacts databaseFacts(const DatabaseHeader& header);

// Checks the path as the engine would before opening, reads page 0 and parses it. Throws 3044
// (folder missing, or a path too long for the system), 3024 (file missing), 3051 (no permission)
// or 3343.
DatabaseHeader readDatabaseHeader(const std::string& path);

// Compares a supplied password with the stored one as the engine does: no stored password opens
// with any; otherwise case-sensitive over at most 20 characters. Throws 3031 on a mismatch. A file
// with Office encryption checks the password against its verifier and gives the keys to its
// pages; one whose encryption is unknown throws 3343.
[[nodiscard]] std::optional<OfficeDecryptor>
verifyPassword(const DatabaseHeader& header, const std::string& supplied, const std::string& path);

} // namespace ombrix::reader
