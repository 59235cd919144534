// The header and password reader over the first bytes of a file; the input's length stands for
// the file's size, so that the short-file checks are reached too.
#include "reader/DatabaseFile.h"
#include "reader/Text.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

using namespace ombrix;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    try {
        const reader::DatabaseHeader header = reader::parseDatabaseHeader(
            bytes.substr(0, 4096), static_cast<std::int64_t>(size), "f.mdb");
        if (header.password.size() > 20) {
            __builtin_trap(); // the engine keeps at most 20 characters
        }
        (void)reader::verifyPassword(header, reader::fromUtf16(header.password), "f.mdb");
        (void)reader::verifyPassword(header, "wrong password", "f.mdb");
    } catch (const core::EngineError& error) {
        if (error.number() != 3343 && error.number() != 3031) {
            __builtin_trap();
        }
    }
    return 0;
}
