#include "platform/ReaderCatalogue.h"

#include "core/EngineErrors.h"
#include "reader/Environment.h"
#include "reader/Protocol.h"

#include <array>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sstream>
#include <sys/socket.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>
#include <utility>
#include <vector>

extern char** environ;

namespace ombrix::platform {

namespace {

using core::EngineError;
using Clock = std::chrono::steady_clock;

class FileDescriptor {
public:
    explicit FileDescriptor(int fd = -1) : fd_(fd) {}
    FileDescriptor(FileDescriptor&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
    FileDescriptor& operator=(FileDescriptor&& other) noexcept {
        std::swap(fd_, other.fd_);
        return *this;
    }
    ~FileDescriptor() { reset(); }
    void reset() {
        if (fd_ >= 0) {
            ::close(std::exchange(fd_, -1));
        }
    }
    int get() const { return fd_; }
    explicit operator bool() const { return fd_ >= 0; }

private:
    int fd_;
};

// A started reader: its process, a descriptor that becomes readable when it ends, the request
// channel (a socket, so that writing to a reader that died raises no SIGPIPE) and its output.
struct Child {
    pid_t pid = -1;
    FileDescriptor ended;
    FileDescriptor request;
    FileDescriptor answer;
};

std::string defaultReaderProgram() {
    std::error_code error;
    return readerProgramFor(std::filesystem::canonical("/proc/self/exe", error).string());
}

EngineError cannotStart(const std::string& program, int error) {
    return core::cannotStartReader(program, std::strerror(error));
}

EngineError readerFailed(const std::string& path, const std::string& what) {
    return core::unrecognizedFormat(path, what + " The file may be damaged.");
}

void killAndReap(pid_t pid) {
    ::kill(pid, SIGKILL);
    ::waitpid(pid, nullptr, 0);
}

// The child's ends of the two channels, created for it.
struct Channels {
    FileDescriptor requestOurs;
    FileDescriptor requestTheirs;
    FileDescriptor answerOurs;
    FileDescriptor answerTheirs;
};

Channels openChannels(const std::string& program) {
    std::array<int, 2> request{-1, -1};
    std::array<int, 2> answer{-1, -1};
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, request.data()) != 0) {
        throw cannotStart(program, errno);
    }
    FileDescriptor requestOurs(request[0]);
    FileDescriptor requestTheirs(request[1]);
    if (::pipe2(answer.data(), O_CLOEXEC) != 0) {
        throw cannotStart(program, errno);
    }
    return {std::move(requestOurs), std::move(requestTheirs), FileDescriptor(answer[0]),
            FileDescriptor(answer[1])};
}

Child started(pid_t pid, Channels& channels, const std::string& program) {
    // glibc 2.36 declares pidfd_open without C linkage for C++.
    FileDescriptor ended(static_cast<int>(::syscall(SYS_pidfd_open, pid, 0)));
    if (!ended) {
        const int openError = errno;
        killAndReap(pid);
        throw cannotStart(program, openError);
    }
    return {pid, std::move(ended), std::move(channels.requestOurs), std::move(channels.answerOurs)};
}

Child spawnReader(const std::string& program) {
    Channels channels = openChannels(program);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, channels.requestTheirs.get(), STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&actions, channels.answerTheirs.get(), STDOUT_FILENO);
    // libmdb's diagnostics
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    std::vector<std::string> environment = reader::readerEnvironment(environ);
    std::vector<char*> envp;
    for (std::string& entry : environment) {
        envp.push_back(entry.data());
    }
    envp.push_back(nullptr);
    std::string programCopy = program;
    std::array<char*, 2> argv{programCopy.data(), nullptr};
    pid_t pid = -1;
    const int error =
        ::posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (error != 0) {
        throw cannotStart(program, error);
    }
    return started(pid, channels, program);
}

bool readAll(int fd, std::string& bytes) {
    std::array<char, 65536> buffer; // only read into
    for (ssize_t got; (got = ::read(fd, buffer.data(), buffer.size())) != 0;) {
        if (got < 0) {
            return false;
        }
        bytes.append(buffer.data(), static_cast<std::size_t>(got));
    }
    return true;
}

bool writeAll(int fd, const std::string& bytes) {
    for (std::size_t written = 0; written < bytes.size();) {
        const ssize_t n = ::write(fd, bytes.data() + written, bytes.size() - written);
        if (n <= 0) {
            return false;
        }
        written += static_cast<std::size_t>(n);
    }
    return true;
}

// The child of a fork: reads the request, answers it, and leaves without running anything of
// the parent's (no exit handlers, no stdio flushing). libmdb's output goes nowhere.
[[noreturn]] void answerInChild(ReaderCatalogue::Answerer answerer, Channels& channels) {
    const int nowhere = ::open("/dev/null", O_RDWR);
    if (nowhere < 0 || ::dup2(nowhere, STDIN_FILENO) < 0 || ::dup2(nowhere, STDOUT_FILENO) < 0 ||
        ::dup2(nowhere, STDERR_FILENO) < 0) {
        ::_exit(EXIT_FAILURE);
    }
    reader::prepareReaderProcess();
    std::string request;
    if (!readAll(channels.requestTheirs.get(), request)) {
        ::_exit(EXIT_FAILURE);
    }
    const std::string answer = answerer(request);
    ::_exit(!answer.empty() && writeAll(channels.answerTheirs.get(), answer) ? EXIT_SUCCESS
                                                                             : EXIT_FAILURE);
}

Child forkAnswering(ReaderCatalogue::Answerer answerer) {
    const std::string what = "(this program)";
    Channels channels = openChannels(what);
    const pid_t pid = ::fork();
    if (pid < 0) {
        throw cannotStart(what, errno);
    }
    if (pid == 0) {
        channels.requestOurs.reset();
        channels.answerOurs.reset();
        answerInChild(answerer, channels);
    }
    return started(pid, channels, what);
}

std::string seconds(std::chrono::milliseconds limit) {
    std::ostringstream text;
    text << static_cast<double>(limit.count()) / 1000.0;
    return text.str();
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
      timeLimit_(timeLimit) {}

ReaderCatalogue::ReaderCatalogue(Answerer answerer, std::chrono::milliseconds timeLimit)
    : answerer_(answerer), timeLimit_(timeLimit) {}

core::DatabaseObjects ReaderCatalogue::listObjects(const std::string& path,
                                                   const std::string& password) {
    const std::string answer =
        run(reader::encodeRequest({reader::Operation::ListObjects, path, password, {}, {}}), path);
    return unpack<core::DatabaseObjects>(reader::decodeObjectsAnswer(answer), path);
}

core::ObjectDefinition ReaderCatalogue::describeObject(const std::string& path,
                                                       const std::string& password,
                                                       core::ObjectKind kind,
                                                       const std::string& name) {
    const std::string answer =
        run(reader::encodeRequest({reader::Operation::DescribeObject, path, password, kind, name}),
            path);
    return unpack<core::ObjectDefinition>(reader::decodeDefinitionAnswer(answer), path);
}

core::DatabaseInspection
ReaderCatalogue::inspectDatabase(const std::string& path, const std::string& password,
                                 const std::optional<core::ObjectName>& object) {
    const reader::Request request{.operation = reader::Operation::InspectDatabase,
                                  .path = path,
                                  .password = password,
                                  .kind = object ? object->kind : core::ObjectKind::Table,
                                  .name = object ? object->name : std::string()};
    const std::string answer = run(reader::encodeRequest(request), path);
    return unpack<core::DatabaseInspection>(reader::decodeInspectionAnswer(answer), path);
}

std::string ReaderCatalogue::run(const std::string& request, const std::string& path) const {
    const Clock::time_point deadline = Clock::now() + timeLimit_;
    Child child = answerer_ != nullptr ? forkAnswering(answerer_) : spawnReader(readerProgram_);
    ::fcntl(child.answer.get(), F_SETFL, O_NONBLOCK);
    std::size_t written = 0;
    std::string answer;
    std::array<char, 65536> buffer; // only read into; clearing it on each wake-up costs more
    bool running = true;
    while (running || child.answer) {
        const auto remaining =
            std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (remaining <= 0) {
            killAndReap(child.pid);
            throw readerFailed(path, "The database reader did not finish within " +
                                         seconds(timeLimit_) + " seconds.");
        }
        std::array<pollfd, 3> watched{pollfd{child.answer.get(), POLLIN, 0},
                                      pollfd{child.request.get(), POLLOUT, 0},
                                      pollfd{running ? child.ended.get() : -1, POLLIN, 0}};
        if (::poll(watched.data(), watched.size(), static_cast<int>(remaining)) < 0) {
            continue; // interrupted by a signal
        }
        if (watched[1].revents != 0) {
            const ssize_t sent = ::send(child.request.get(), request.data() + written,
                                        request.size() - written, MSG_NOSIGNAL | MSG_DONTWAIT);
            written += sent > 0 ? static_cast<std::size_t>(sent) : 0;
            if (written == request.size() || (sent < 0 && errno != EAGAIN)) {
                child.request.reset(); // the end of the request, or a reader that stopped reading
            }
        }
        if (watched[0].revents != 0) {
            const ssize_t got = ::read(child.answer.get(), buffer.data(), buffer.size());
            if (got > 0) {
                answer.append(buffer.data(), static_cast<std::size_t>(got));
            } else if (got == 0 || errno != EAGAIN) {
                child.answer.reset();
            }
            if (answer.size() > reader::kMaxMessageBytes) {
                killAndReap(child.pid);
                throw readerFailed(path, "The database reader's answer was too long.");
            }
        }
        running = running && watched[2].revents == 0;
    }
    int status = 0;
    ::waitpid(child.pid, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        throw readerFailed(path, "The database reader stopped unexpectedly.");
    }
    return answer;
}

} // namespace ombrix::platform
