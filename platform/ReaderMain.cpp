// ombrix-reader: answers one catalogue request read from standard input, on standard output.
// Runs libmdb away from the program proper (see ReaderCatalogue).

#include "MdbCatalogue.h"
#include "reader/Environment.h"
#include "reader/Protocol.h"

#include <QString>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <sys/resource.h>
#include <unistd.h>

using namespace ombrix;

namespace {

QString qt(const std::string& text) {
    return QString::fromStdString(text);
}

core::DatabaseObjects toCore(const platform::DatabaseObjects& objects) {
    core::DatabaseObjects result;
    for (const auto& table : objects.tables) {
        result.tables.push_back({table.name.toStdString()});
    }
    for (const auto& query : objects.queries) {
        result.queries.push_back({query.name.toStdString(), query.type});
    }
    return result;
}

core::ObjectDefinition toCore(const platform::ObjectDefinition& definition) {
    core::ObjectDefinition result;
    for (const auto& field : definition.fields) {
        result.fields.push_back({field.name.toStdString(), field.type});
    }
    for (const auto& index : definition.indexes) {
        core::IndexDef def{index.name.toStdString(), {}};
        for (const QString& key : index.fields) {
            def.fields.push_back(key.toStdString());
        }
        result.indexes.push_back(std::move(def));
    }
    return result;
}

std::string answer(const reader::Request& request) {
    platform::MdbCatalogue catalogue;
    try {
        if (request.operation == reader::Operation::ListObjects) {
            return reader::encodeAnswer(
                toCore(catalogue.listObjects(qt(request.path), qt(request.password))));
        }
        const auto kind = request.kind == core::ObjectKind::Table ? platform::ObjectKind::Table
                                                                  : platform::ObjectKind::Query;
        return reader::encodeAnswer(toCore(catalogue.describeObject(
            qt(request.path), qt(request.password), kind, qt(request.name))));
    } catch (const platform::EngineError& error) {
        return reader::encodeAnswer(
            core::EngineError(error.number(), error.description().toStdString()));
    } catch (const std::bad_alloc&) {
        return reader::encodeAnswer(
            core::EngineError(3343, "Unrecognized database format '" + request.path +
                                        "'. The file claims more data than it holds."));
    }
}

} // namespace

int main() {
    for (const char* name : reader::kLibmdbVariables) {
        unsetenv(name);
    }
    // A crash on a damaged file is expected here and handled by the parent: leave no core file.
    const rlimit noCore{0, 0};
    setrlimit(RLIMIT_CORE, &noCore);

    // Whatever libmdb prints goes to standard error; the answer alone to the original output.
    const int answerFd = dup(STDOUT_FILENO);
    if (answerFd < 0 || dup2(STDERR_FILENO, STDOUT_FILENO) < 0) {
        return EXIT_FAILURE;
    }
    std::string bytes;
    char buffer[65536];
    for (ssize_t got; (got = read(STDIN_FILENO, buffer, sizeof buffer)) != 0;) {
        if (got < 0) {
            return EXIT_FAILURE;
        }
        bytes.append(buffer, static_cast<std::size_t>(got));
    }
    const auto request = reader::decodeRequest(bytes);
    if (!request) {
        return EXIT_FAILURE;
    }
    const std::string reply = answer(*request);
    std::size_t written = 0;
    while (written < reply.size()) {
        const ssize_t n = write(answerFd, reply.data() + written, reply.size() - written);
        if (n <= 0) {
            return EXIT_FAILURE;
        }
        written += static_cast<std::size_t>(n);
    }
    return EXIT_SUCCESS;
}
