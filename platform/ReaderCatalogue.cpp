#include "platform/ReaderCatalogue.h"

#include "core/EngineErrors.h"
#include "reader/Environment.h"
#include "reader/Protocol.h"

#include <cstring>
#include <filesystem>
#include <sstream>
#include <system_error>
#include <utility>
#include <vector>

extern char** environ;

namespace ombrix::platform {

namespace {

using core::EngineError;

std::string defaultReaderProgram() {
    std::error_code error;
    return readerProgramFor(std::filesystem::canonical("/proc/self/exe", error).string());
}

EngineError readerFailed(const std::string& path, const std::string& what) {
    return core::unrecognizedFormat(path, what + " The file may be damaged.");
}

std::string seconds(std::chrono::milliseconds limit) {
    std::ostringstream text;
    text << static_cast<double>(limit.count()) / 1000.0;
    return text.str();
}

ChildProcess spawnReader(const std::string& program) {
    std::vector<std::string> environment = reader::readerEnvironment(environ);
    std::vector<char*> envp;
    for (std::string& entry : environment) {
        envp.push_back(entry.data());
    }
    envp.push_back(nullptr);
    return ChildProcess::spawn(program, envp.data());
}

template <typename Result, typename Answer>
Result unpack(std::optional<Answer> answer, const std::string& path) {
    if (!answer) {
        throw readerFailed(path, "The database reader's answer could not be read.");
    }
    if (auto* error = std::get_if<EngineError>(&*answer)) {
        throw std::move(*error);
    }
    return std::get<Result>(std::move(*answer));
}

} // namespace

std::string readerProgramFor(const std::string& program) {
    namespace fs = std::filesystem;
    const fs::path folder = fs::path(program).parent_path();
    const fs::path installed = folder / OMBRIX_READER_FROM_PROGRAMS / "ombrix-reader";
    std::error_code error;
    return (fs::exists(installed, error) ? installed.lexically_normal() : folder / "ombrix-reader")
        .string();
}

ReaderCatalogue::ReaderCatalogue(std::string readerProgram, std::chrono::milliseconds timeLimit)
    : readerProgram_(readerProgram.empty() ? defaultReaderProgram() : std::move(readerProgram)),
      timeLimit_(timeLimit) {
    startNextReader();
}

ReaderCatalogue::ReaderCatalogue(Server server, std::chrono::milliseconds timeLimit)
    : server_(server), timeLimit_(timeLimit) {}

core::DatabaseObjects ReaderCatalogue::listObjects(const std::string& path,
                                                   const std::string& password) {
    return ask<core::DatabaseObjects>({reader::Operation::ListObjects, path, password, {}, {}},
                                      reader::decodeObjectsAnswer);
}

core::ObjectDefinition ReaderCatalogue::describeObject(const std::string& path,
                                                       const std::string& password,
                                                       core::ObjectKind kind,
                                                       const std::string& name) {
    return ask<core::ObjectDefinition>(
        {reader::Operation::DescribeObject, path, password, kind, name},
        reader::decodeDefinitionAnswer);
}

core::DatabaseInspection
ReaderCatalogue::inspectDatabase(const std::string& path, const std::string& password,
                                 const std::optional<core::ObjectName>& object) {
    return ask<core::DatabaseInspection>({.operation = reader::Operation::InspectDatabase,
                                          .path = path,
                                          .password = password,
                                          .kind = object ? object->kind : core::ObjectKind::Table,
                                          .name = object ? object->name : std::string()},
                                         reader::decodeInspectionAnswer);
}

// A reader that could not be started ahead is started when asked, and its failure reported then.
void ReaderCatalogue::startNextReader() {
    nextReader_.reset();
    try {
        nextReader_.emplace(spawnReader(readerProgram_));
    } catch (const std::system_error&) {
    }
}

ChildProcess ReaderCatalogue::startChild() {
    const std::string program = server_ != nullptr ? "(this program)" : readerProgram_;
    try {
        if (server_ != nullptr) {
            return ChildProcess::fork(server_);
        }
        // One that ended while it waited, killed or out of memory, is not asked.
        if (nextReader_ && !nextReader_->hasEnded()) {
            ChildProcess child = std::move(*nextReader_);
            nextReader_.reset();
            return child;
        }
        return spawnReader(readerProgram_);
    } catch (const std::system_error& error) {
        throw core::cannotStartReader(program, std::strerror(error.code().value()));
    }
}

template <typename Result, typename Decode>
Result ReaderCatalogue::ask(const reader::Request& request, Decode decode) {
    const std::string& path = request.path;
    const auto deadline = ChildProcess::Clock::now() + timeLimit_;
    ChildProcess child = startChild();
    const EngineError tooSlow = readerFailed(path, "The database reader did not finish within " +
                                                       seconds(timeLimit_) + " seconds.");
    std::string bytes;
    // The next reader starts while this one works, where this process would only wait.
    const auto exchange =
        child.exchange(reader::encodeRequest(request), deadline, reader::kMaxMessageBytes, bytes,
                       server_ == nullptr ? std::function<void()>([this] { startNextReader(); })
                                          : std::function<void()>());
    if (exchange == ChildProcess::Exchange::TimedOut) {
        throw tooSlow;
    }
    if (exchange == ChildProcess::Exchange::TooLong) {
        throw readerFailed(path, "The database reader's answer was too long.");
    }
    // Decoded while the child is still ending: its exit costs about as much as the decoding.
    auto answer = decode(bytes);
    const auto ending = child.end(deadline);
    if (ending == ChildProcess::Ending::TimedOut) {
        throw tooSlow;
    }
    if (ending == ChildProcess::Ending::Failed) {
        throw readerFailed(path, "The database reader stopped unexpectedly.");
    }
    return unpack<Result>(std::move(answer), path);
}

} // namespace ombrix::platform
