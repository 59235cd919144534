// The decoders of the messages between the program and ombrix-reader. Whatever they accept must
// encode and decode again to the same catalogue, or a damaged answer could pass as another one.
#include "platform/ReaderProtocol.h"

#include <cstddef>
#include <cstdint>

using namespace ombrix::platform;

namespace {

bool same(const DatabaseObjects& a, const DatabaseObjects& b) {
    if (a.tables.size() != b.tables.size() || a.queries.size() != b.queries.size()) {
        return false;
    }
    for (qsizetype i = 0; i < a.tables.size(); ++i) {
        if (a.tables[i].name != b.tables[i].name) {
            return false;
        }
    }
    for (qsizetype i = 0; i < a.queries.size(); ++i) {
        if (a.queries[i].name != b.queries[i].name || a.queries[i].type != b.queries[i].type) {
            return false;
        }
    }
    return true;
}

bool same(const ObjectDefinition& a, const ObjectDefinition& b) {
    if (a.fields.size() != b.fields.size() || a.indexes.size() != b.indexes.size()) {
        return false;
    }
    for (qsizetype i = 0; i < a.fields.size(); ++i) {
        if (a.fields[i].name != b.fields[i].name || a.fields[i].type != b.fields[i].type) {
            return false;
        }
    }
    for (qsizetype i = 0; i < a.indexes.size(); ++i) {
        if (a.indexes[i].name != b.indexes[i].name || a.indexes[i].fields != b.indexes[i].fields) {
            return false;
        }
    }
    return true;
}

bool same(const EngineError& a, const EngineError& b) {
    return a.number() == b.number() && a.description() == b.description();
}

// Decodes, and when the bytes are accepted checks that the re-encoded answer decodes alike.
template <typename Decode>
void checkRoundTrip(const QByteArray& bytes, Decode decode) {
    const auto answer = decode(bytes);
    if (!answer) {
        return;
    }
    const QByteArray again =
        std::visit([](const auto& value) { return reader::encodeAnswer(value); }, *answer);
    const auto second = decode(again);
    if (!second || answer->index() != second->index()) {
        __builtin_trap();
    }
    const bool equal = std::visit(
        [&](const auto& value) {
            using T = std::decay_t<decltype(value)>;
            return same(value, std::get<T>(*second));
        },
        *answer);
    if (!equal) {
        __builtin_trap();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    checkRoundTrip(bytes, reader::decodeObjectsAnswer);
    checkRoundTrip(bytes, reader::decodeDefinitionAnswer);
    if (const auto request = reader::decodeRequest(bytes)) {
        const auto again = reader::decodeRequest(reader::encodeRequest(*request));
        if (!again || again->operation != request->operation || again->path != request->path ||
            again->password != request->password || again->name != request->name) {
            __builtin_trap();
        }
    }
    return 0;
}
