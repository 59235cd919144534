#pragma once

#include "Catalogue.h"

#include <QByteArray>
#include <QString>
#include <optional>
#include <variant>

// The messages between ReaderCatalogue and the ombrix-reader child: one JSON request on the
// child's standard input, one JSON answer on its standard output. Both carry the protocol
// version; the decoders accept nothing but the exact shapes written by the encoders, within
// size limits, so that a damaged or foreign answer is an error and never a wrong catalogue.
namespace ombrix::platform::reader {

constexpr int kProtocolVersion = 1;
constexpr qsizetype kMaxMessageBytes = 16 * 1024 * 1024;

enum class Operation { ListObjects, DescribeObject };

struct Request {
    Operation operation = Operation::ListObjects;
    QString path;
    QString password;
    ObjectKind kind = ObjectKind::Table; // DescribeObject only
    QString name;                        // DescribeObject only
};

QByteArray encodeRequest(const Request& request);
std::optional<Request> decodeRequest(const QByteArray& bytes);

QByteArray encodeAnswer(const DatabaseObjects& objects);
QByteArray encodeAnswer(const ObjectDefinition& definition);
QByteArray encodeAnswer(const EngineError& error);

// An answer as sent: the result asked for, or the engine error the reader met; nothing when the
// bytes are not a well-formed answer of that kind.
using ObjectsAnswer = std::variant<DatabaseObjects, EngineError>;
using DefinitionAnswer = std::variant<ObjectDefinition, EngineError>;
std::optional<ObjectsAnswer> decodeObjectsAnswer(const QByteArray& bytes);
std::optional<DefinitionAnswer> decodeDefinitionAnswer(const QByteArray& bytes);

} // namespace ombrix::platform::reader
