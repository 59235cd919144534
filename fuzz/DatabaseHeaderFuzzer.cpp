// The header and password reader over the first bytes of a file; the input's length stands for
// the file's size, so that the short-file checks are reached too.
#include "platform/DatabaseFile.h"

#include <cstddef>
#include <cstdint>

using namespace ombrix::platform;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    try {
        const DatabaseHeader header =
            parseDatabaseHeader(bytes.left(4096), static_cast<std::int64_t>(size), u"f.mdb"_qs);
        if (header.password.size() > 20) {
            __builtin_trap(); // the engine keeps at most 20 characters
        }
        verifyPassword(header, header.password);
        verifyPassword(header, u"wrong password"_qs);
    } catch (const EngineError& error) {
        if (error.number() != 3343 && error.number() != 3031) {
            __builtin_trap();
        }
    }
    return 0;
}
