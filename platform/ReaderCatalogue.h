#pragma once

#include "core/Catalogue.h"

#include <chrono>
#include <string>
#include <string_view>

namespace ombrix::platform {

// The catalogue as the program uses it. libmdb crashes or hangs on some damaged files, so each
// request runs in a child process under a time limit: the ombrix-reader program, or a fork of a
// single-threaded caller that answers with the reader's code. The answer comes back as a small
// versioned message. A crash, a hang past the limit or an answer that does not decode is an
// EngineError (3343 for the file, 429 when the reader cannot be started): the caller's process
// never crashes or freezes.
// The reader that a program runs: installed, ombrix-reader in the libexec folder that the
// package gives it, found relative to the program's folder; in the build, the one beside it.
std::string readerProgramFor(const std::string& program);

class ReaderCatalogue final : public core::Catalogue {
public:
    static constexpr std::chrono::milliseconds kDefaultTimeLimit{20000};
    // Answers one encoded request with one encoded answer; empty for a request it cannot read.
    using Answerer = std::string (*)(std::string_view request);

    // readerProgram empty: the running program's reader (readerProgramFor).
    explicit ReaderCatalogue(std::string readerProgram = {},
                             std::chrono::milliseconds timeLimit = kDefaultTimeLimit);
    // Each request in a fork of this process, answered there; no other thread may be running.
    explicit ReaderCatalogue(Answerer answerer,
                             std::chrono::milliseconds timeLimit = kDefaultTimeLimit);

    core::DatabaseObjects listObjects(const std::string& path,
                                      const std::string& password) override;
    core::ObjectDefinition describeObject(const std::string& path, const std::string& password,
                                          core::ObjectKind kind, const std::string& name) override;
    core::DatabaseInspection
    inspectDatabase(const std::string& path, const std::string& password,
                    const std::optional<core::ObjectName>& object) override;

private:
    std::string run(const std::string& request, const std::string& path) const;

    std::string readerProgram_;
    Answerer answerer_ = nullptr;
    std::chrono::milliseconds timeLimit_;
};

} // namespace ombrix::platform
