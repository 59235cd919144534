#pragma once

#include "core/Catalogue.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

// The messages between ReaderCatalogue and the child that reads the database: one JSON request
// on the child's standard input, one JSON answer on its standard output. Both carry the protocol
// version; the decoders accept nothing but the exact shapes written by the encoders, within size
// limits, so that a damaged or foreign answer is an error and never a wrong catalogue. Since
// version 2 a request's path is its bytes percent-encoded, so that a file name in any encoding
// reaches the reader unchanged; since version 3 a field carries its AutoNumber flag, and an
// inspection answers what a deployment check needs in one message.
namespace ombrix::reader {

constexpr int kProtocolVersion = 3;
constexpr std::size_t kMaxMessageBytes = 16 * 1024 * 1024;

enum class Operation { ListObjects, DescribeObject, InspectDatabase };

struct Request {
    Operation operation = Operation::ListObjects;
    std::string path; // the file system's bytes, whatever their encoding
    std::string password;
    core::ObjectKind kind = core::ObjectKind::Table; // DescribeObject, and InspectDatabase with a
    std::string name;                                // name (empty: every listed object)
};

std::string encodeRequest(const Request& request);
std::optional<Request> decodeRequest(std::string_view bytes);

std::string encodeAnswer(const core::DatabaseObjects& objects);
std::string encodeAnswer(const core::ObjectDefinition& definition);
std::string encodeAnswer(const core::DatabaseInspection& inspection);
std::string encodeAnswer(const core::EngineError& error);

// An answer as sent: the result asked for, or the engine error the reader met; nothing when the
// bytes are not a well-formed answer of that kind.
using ObjectsAnswer = std::variant<core::DatabaseObjects, core::EngineError>;
using DefinitionAnswer = std::variant<core::ObjectDefinition, core::EngineError>;
using InspectionAnswer = std::variant<core::DatabaseInspection, core::EngineError>;
std::optional<ObjectsAnswer> decodeObjectsAnswer(std::string_view bytes);
std::optional<DefinitionAnswer> decodeDefinitionAnswer(std::string_view bytes);
std::optional<InspectionAnswer> decodeInspectionAnswer(std::string_view bytes);

} // namespace ombrix::reader
