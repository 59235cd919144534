#pragma once

#include "core/Catalogue.h"
#include "platform/ChildProcess.h"

#include <chrono>
#include <optional>
#include <string>

namespace ombrix::reader {
struct Request;
}

namespace ombrix::platform {

// The catalogue as the program uses it. libmdb crashes or hangs on some damaged files, so each
// request runs in a child process under a time limit (ChildProcess): the ombrix-reader program,
// or a fork of a single-threaded caller that serves it with the reader's code. The answer comes
// back as a small versioned message. A crash, a hang past the limit or an answer that does not
// decode is an EngineError (3343 for the file, 429 when the reader cannot be started): the caller's
// process never crashes or freezes. The reader that a program runs: installed, ombrix-reader in the
// libexec folder that the package gives it, found relative to the program's folder; in the build,
// the one beside it.
std::string readerProgramFor(const std::string& program);

class ReaderCatalogue final : public core::Catalogue {
public:
    static constexpr std::chrono::milliseconds kDefaultTimeLimit{20000};
    // Reads one encoded request from `in` and writes its answer to `out` (reader::serve).
    using Server = int (*)(int in, int out);

    // readerProgram empty: the running program's reader (readerProgramFor). One reader is
    // started ahead, with the environment of that moment, and waits for the next request, so
    // that its start-up is not part of any step.
    explicit ReaderCatalogue(std::string readerProgram = {},
                             std::chrono::milliseconds timeLimit = kDefaultTimeLimit);
    // Each request in a fork of this process, served there; no other thread may be running.
    explicit ReaderCatalogue(Server server,
                             std::chrono::milliseconds timeLimit = kDefaultTimeLimit);

    core::DatabaseObjects listObjects(const std::string& path,
                                      const std::string& password) override;
    core::ObjectDefinition describeObject(const std::string& path, const std::string& password,
                                          core::ObjectKind kind, const std::string& name) override;
    core::DatabaseInspection
    inspectDatabase(const std::string& path, const std::string& password,
                    const std::optional<core::ObjectName>& object) override;

private:
    template <typename Result, typename Decode>
    Result ask(const reader::Request& request, Decode decode);
    ChildProcess startChild();
    void startNextReader();

    std::string readerProgram_;
    Server server_ = nullptr;
    std::chrono::milliseconds timeLimit_;
    std::optional<ChildProcess> nextReader_;
};

} // namespace ombrix::platform
