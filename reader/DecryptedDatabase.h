#pragma once

#include "reader/DatabaseFile.h"
#include "reader/OfficeDecryptor.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace ombrix::reader {

// The largest encrypted file that is decrypted: 2 GB, the most an Access database holds.
inline constexpr std::int64_t kMaxDecryptedSize = std::int64_t{1} << 31;

// An Office-encrypted database decrypted into memory, for libmdb to open as a buffer, so that
// decrypted pages never reach the disk: the file's whole pages (a partial last page cannot be
// decrypted and is left out).
struct DecryptedDatabase {
    std::unique_ptr<unsigned char[]> bytes;
    std::size_t size = 0;
};

// Reads the file whose header and password have been checked and decrypts it in place. The
// header's page key is cleared, so that libmdb does not apply Jet's own page encryption on top.
// Throws 3343 for a file larger than kMaxDecryptedSize, 3051 when it cannot be read.
DecryptedDatabase decryptDatabase(const std::string& path, const DatabaseHeader& header,
                                  const OfficeDecryptor& decryptor);

} // namespace ombrix::reader
