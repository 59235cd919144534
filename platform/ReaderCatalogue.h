#pragma once

#include "Catalogue.h"

#include <QByteArray>
#include <QString>
#include <chrono>

namespace ombrix::platform {

// The catalogue as the program uses it. libmdb crashes or hangs on some damaged files, so each
// request runs in a child process, ombrix-reader, under a time limit; its answer comes back as a
// small versioned message. A crash, a hang past the limit or an answer that does not decode is an
// EngineError (3343 for the file, 429 when the reader cannot be started): the caller's process
// never crashes or freezes.
class ReaderCatalogue final : public Catalogue {
public:
    static constexpr std::chrono::milliseconds kDefaultTimeLimit{20000};

    // readerProgram empty: ombrix-reader beside the running program.
    explicit ReaderCatalogue(QString readerProgram = {},
                             std::chrono::milliseconds timeLimit = kDefaultTimeLimit);

    DatabaseObjects listObjects(const QString& path, const QString& password) override;
    ObjectDefinition describeObject(const QString& path, const QString& password, ObjectKind kind,
                                    const QString& name) override;

private:
    QByteArray run(const QByteArray& request, const QString& path) const;

    QString readerProgram_;
    std::chrono::milliseconds timeLimit_;
};

} // namespace ombrix::platform
