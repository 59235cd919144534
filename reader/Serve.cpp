#include "reader/Serve.h"

#include "core/EngineErrors.h"
#include "reader/MdbCatalogue.h"
#include "reader/Protocol.h"

#include <new>

namespace ombrix::reader {

std::string answerRequest(std::string_view bytes) {
    const auto request = decodeRequest(bytes);
    if (!request) {
        return {};
    }
    MdbCatalogue catalogue;
    try {
        if (request->operation == Operation::ListObjects) {
            return encodeAnswer(catalogue.listObjects(request->path, request->password));
        }
        if (request->operation == Operation::InspectDatabase) {
            const auto object =
                request->name.empty()
                    ? std::nullopt
                    : std::optional<core::ObjectName>({request->kind, request->name});
            return encodeAnswer(
                catalogue.inspectDatabase(request->path, request->password, object));
        }
        return encodeAnswer(catalogue.describeObject(request->path, request->password,
                                                     request->kind, request->name));
    } catch (const core::EngineError& error) {
        return encodeAnswer(error);
    } catch (const std::bad_alloc&) {
        return encodeAnswer(
            core::unrecognizedFormat(request->path, "The file claims more data than it holds."));
    }
}

} // namespace ombrix::reader
