#include "reader/Serve.h"

#include "core/EngineErrors.h"
#include "reader/Environment.h"
#include "reader/MdbCatalogue.h"
#include "reader/Protocol.h"

#include <array>
#include <cstdlib>
#include <new>
#include <string>
#include <string_view>
#include <unistd.h>

namespace ombrix::reader {

namespace {

std::string answer(const Request& request) {
    MdbCatalogue catalogue;
    try {
        if (request.operation == Operation::ListObjects) {
            return encodeAnswer(catalogue.listObjects(request.path, request.password));
        }
        if (request.operation == Operation::InspectDatabase) {
            const auto object = request.name.empty()
                                    ? std::nullopt
                                    : std::optional<core::ObjectName>({request.kind, request.name});
            return encodeAnswer(catalogue.inspectDatabase(request.path, request.password, object));
        }
        return encodeAnswer(
            catalogue.describeObject(request.path, request.password, request.kind, request.name));
    } catch (const core::EngineError& error) {
        return encodeAnswer(error);
    } catch (const std::bad_alloc&) {
        return encodeAnswer(
            core::unrecognizedFormat(request.path, "The file claims more data than it holds."));
    }
}

bool readAll(int fd, std::string& bytes) {
    std::array<char, 65536> buffer; // only read into
    for (ssize_t got; (got = ::read(fd, buffer.data(), buffer.size())) != 0;) {
        if (got < 0 || bytes.size() > kMaxMessageBytes) {
            return false;
        }
        bytes.append(buffer.data(), static_cast<std::size_t>(got));
    }
    return true;
}

bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n <= 0) {
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

} // namespace

int serve(int in, int out) {
    prepareReaderProcess();
    std::string bytes;
    if (!readAll(in, bytes)) {
        return EXIT_FAILURE;
    }
    const auto request = decodeRequest(bytes);
    return request && writeAll(out, answer(*request)) ? EXIT_SUCCESS : EXIT_FAILURE;
}

} // namespace ombrix::reader
