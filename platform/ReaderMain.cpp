// ombrix-reader: answers one catalogue request read from standard input, on standard output.
// Runs libmdb away from the program proper (see ReaderCatalogue).

#include "MdbCatalogue.h"
#include "ReaderEnvironment.h"
#include "ReaderProtocol.h"

#include <QFile>
#include <cstdlib>
#include <new>
#include <sys/resource.h>
#include <unistd.h>

using namespace ombrix::platform;

namespace {

QByteArray answer(const reader::Request& request) {
    MdbCatalogue catalogue;
    try {
        if (request.operation == reader::Operation::ListObjects) {
            return reader::encodeAnswer(catalogue.listObjects(request.path, request.password));
        }
        return reader::encodeAnswer(
            catalogue.describeObject(request.path, request.password, request.kind, request.name));
    } catch (const EngineError& error) {
        return reader::encodeAnswer(error);
    } catch (const std::bad_alloc&) {
        return reader::encodeAnswer(EngineError(
            3343, QStringLiteral("Unrecognized database format '%1'. The file claims more data "
                                 "than it holds.")
                      .arg(request.path)));
    }
}

} // namespace

int main() {
    for (const char* name : kLibmdbVariables) {
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
    QFile in;
    QFile out;
    if (!in.open(stdin, QIODevice::ReadOnly) ||
        !out.open(answerFd, QIODevice::WriteOnly, QFileDevice::AutoCloseHandle)) {
        return EXIT_FAILURE;
    }
    const auto request = reader::decodeRequest(in.readAll());
    if (!request) {
        return EXIT_FAILURE;
    }
    const QByteArray bytes = answer(*request);
    return out.write(bytes) == bytes.size() && out.flush() ? EXIT_SUCCESS : EXIT_FAILURE;
}
