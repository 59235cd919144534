#include "reader/DecryptedDatabase.h"

#include "core/EngineErrors.h"

#include <filesystem>
#include <fstream>

namespace ombrix::reader {

DecryptedDatabase decryptDatabase(const std::string& path, const DatabaseHeader& header,
                                  const OfficeDecryptor& decryptor) {
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::path absolute = fs::absolute(path, error);
    const std::uintmax_t fileSize = fs::file_size(absolute, error);
    if (error) {
        throw core::cannotOpen(path);
    }
    if (fileSize > static_cast<std::uintmax_t>(kMaxDecryptedSize)) {
        throw core::tooLargeToDecrypt(path, kMaxDecryptedSize);
    }
    const auto pageSize = static_cast<std::size_t>(header.pageSize);
    const std::size_t size = static_cast<std::size_t>(fileSize) / pageSize * pageSize;
    DecryptedDatabase database{.bytes = std::make_unique_for_overwrite<unsigned char[]>(size)};
    std::ifstream file(absolute, std::ios::binary);
    if (!file) {
        throw core::cannotOpen(path);
    }
    file.read(reinterpret_cast<char*>(database.bytes.get()), static_cast<std::streamsize>(size));
    // A file that has shrunk since its size was read keeps the pages it still has.
    database.size = static_cast<std::size_t>(file.gcount()) / pageSize * pageSize;
    if (database.size < pageSize) {
        throw core::unrecognizedFormat(path);
    }
    for (std::size_t page = 1; page < database.size / pageSize; ++page) {
        decryptor.decrypt(static_cast<std::uint32_t>(page), database.bytes.get() + page * pageSize,
                          pageSize);
    }
    // The key lies in the scrambled part of the header: XOR-ing its clear bytes into the stored
    // ones leaves a scrambled zero.
    for (std::size_t i = 0; i < 4; ++i) {
        database.bytes[kPageKeyOffset + i] ^= static_cast<unsigned char>(header.pageKey >> (8 * i));
    }
    return database;
}

} // namespace ombrix::reader
