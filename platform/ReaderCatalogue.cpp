#include "ReaderCatalogue.h"

#include "DatabaseFile.h"
#include "ReaderEnvironment.h"
#include "ReaderProtocol.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFileInfo>
#include <QProcess>

namespace ombrix::platform {

namespace {

QString defaultReaderProgram() {
    // Without an application object (a plain command-line main) the executable's own folder is
    // still known to the system.
    const QString folder = QCoreApplication::instance() != nullptr
                               ? QCoreApplication::applicationDirPath()
                               : QFileInfo(u"/proc/self/exe"_qs).canonicalPath();
    return folder + u"/ombrix-reader"_qs;
}

EngineError readerFailed(const QString& path, const QString& what) {
    return unrecognizedFormat(path, what + u" The file may be damaged."_qs);
}

template <typename Result, typename Answer>
Result unpack(const std::optional<Answer>& answer, const QString& path) {
    if (!answer) {
        throw readerFailed(path, u"The database reader's answer could not be read."_qs);
    }
    if (const auto* error = std::get_if<EngineError>(&*answer)) {
        throw *error;
    }
    return std::get<Result>(*answer);
}

} // namespace

ReaderCatalogue::ReaderCatalogue(QString readerProgram, std::chrono::milliseconds timeLimit)
    : readerProgram_(readerProgram.isEmpty() ? defaultReaderProgram() : std::move(readerProgram)),
      timeLimit_(timeLimit) {}

DatabaseObjects ReaderCatalogue::listObjects(const QString& path, const QString& password) {
    const QByteArray answer =
        run(reader::encodeRequest({reader::Operation::ListObjects, path, password, {}, {}}), path);
    return unpack<DatabaseObjects>(reader::decodeObjectsAnswer(answer), path);
}

ObjectDefinition ReaderCatalogue::describeObject(const QString& path, const QString& password,
                                                 ObjectKind kind, const QString& name) {
    const QByteArray answer =
        run(reader::encodeRequest({reader::Operation::DescribeObject, path, password, kind, name}),
            path);
    return unpack<ObjectDefinition>(reader::decodeDefinitionAnswer(answer), path);
}

QByteArray ReaderCatalogue::run(const QByteArray& request, const QString& path) const {
    QProcess process;
    process.setProgram(readerProgram_);
    process.setProcessEnvironment(readerEnvironment(QProcessEnvironment::systemEnvironment()));
    process.setStandardErrorFile(QProcess::nullDevice()); // libmdb's diagnostics
    const QDeadlineTimer deadline(timeLimit_);
    process.start(QIODevice::ReadWrite);
    if (!process.waitForStarted(static_cast<int>(timeLimit_.count()))) {
        throw EngineError(429, QStringLiteral("The database reader '%1' could not be started: %2")
                                   .arg(readerProgram_, process.errorString()));
    }
    process.write(request);
    process.closeWriteChannel();

    QByteArray answer;
    while (process.state() != QProcess::NotRunning) {
        if (deadline.hasExpired()) {
            process.kill();
            process.waitForFinished();
            throw readerFailed(path, QStringLiteral("The database reader did not finish within "
                                                    "%1 seconds.")
                                         .arg(timeLimit_.count() / 1000.0));
        }
        const auto remaining = static_cast<int>(deadline.remainingTime());
        if (!process.waitForReadyRead(remaining) && process.state() != QProcess::NotRunning) {
            process.waitForFinished(remaining); // output closed, process still running
        }
        answer += process.readAllStandardOutput();
        if (answer.size() > reader::kMaxMessageBytes) {
            process.kill();
            process.waitForFinished();
            throw readerFailed(path, u"The database reader's answer was too long."_qs);
        }
    }
    answer += process.readAllStandardOutput();
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        throw readerFailed(path, u"The database reader stopped unexpectedly."_qs);
    }
    return answer;
}

} // namespace ombrix::platform
