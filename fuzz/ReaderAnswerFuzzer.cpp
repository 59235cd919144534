// The decoders of the messages between the program and ombrix-reader. Whatever they accept must
// encode and decode again to the same catalogue, or a damaged answer could pass as another one.
#include "reader/Protocol.h"

#include <cstddef>
#include <cstdint>

using namespace ombrix;

namespace {

// Decodes, and when the bytes are accepted checks that the re-encoded answer decodes alike.
template <typename Decode>
void checkRoundTrip(std::string_view bytes, Decode decode) {
    const auto answer = decode(bytes);
    if (!answer) {
        return;
    }
    const std::string again =
        std::visit([](const auto& value) { return reader::encodeAnswer(value); }, *answer);
    const auto second = decode(again);
    if (!second || answer->index() != second->index()) {
        __builtin_trap();
    }
    const bool equal = std::visit(
        [&](const auto& value) {
            using T = std::decay_t<decltype(value)>;
            if constexpr (std::is_same_v<T, core::EngineError>) {
                const auto& other = std::get<T>(*second);
                return value.number() == other.number() &&
                       value.description() == other.description();
            } else {
                return value == std::get<T>(*second);
            }
        },
        *answer);
    if (!equal) {
        __builtin_trap();
    }
}

// An inspection holds engine errors, which have no equality: the answer must encode alike after
// a second trip.
void checkInspectionRoundTrip(std::string_view bytes) {
    const auto answer = reader::decodeInspectionAnswer(bytes);
    if (!answer) {
        return;
    }
    const auto encode = [](const auto& value) {
        return std::visit([](const auto& v) { return reader::encodeAnswer(v); }, value);
    };
    const std::string again = encode(*answer);
    const auto second = reader::decodeInspectionAnswer(again);
    if (!second || encode(*second) != again) {
        __builtin_trap();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    checkRoundTrip(bytes, reader::decodeObjectsAnswer);
    checkRoundTrip(bytes, reader::decodeDefinitionAnswer);
    checkInspectionRoundTrip(bytes);
    if (const auto request = reader::decodeRequest(bytes)) {
        const auto again = reader::decodeRequest(reader::encodeRequest(*request));
        if (!again || again->operation != request->operation || again->path != request->path ||
            again->password != request->password || again->kind != request->kind ||
            again->name != request->name) {
            __builtin_trap();
        }
    }
    return 0;
}
