#include "platform/ChildProcess.h"

#include <array>
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <system_error>
#include <unistd.h>
#include <utility>

namespace ombrix::platform {

namespace {

using Descriptor = ChildProcess::Descriptor;

[[noreturn]] void throwError(int error) {
    throw std::system_error(error, std::generic_category());
}

// Milliseconds left until the deadline, rounded up; 0 once it has passed.
int remainingMs(ChildProcess::Clock::time_point deadline) {
    const auto left =
        std::chrono::ceil<std::chrono::milliseconds>(deadline - ChildProcess::Clock::now());
    return left.count() > 0 ? static_cast<int>(left.count()) : 0;
}

} // namespace

ChildProcess::Descriptor::Descriptor(Descriptor&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)) {}

ChildProcess::Descriptor& ChildProcess::Descriptor::operator=(Descriptor&& other) noexcept {
    std::swap(fd_, other.fd_);
    return *this;
}

void ChildProcess::Descriptor::reset() {
    if (fd_ >= 0) {
        ::close(std::exchange(fd_, -1));
    }
}

// Both channels: ours to keep, theirs for the child.
struct ChildProcess::Channels {
    Descriptor requestOurs;
    Descriptor requestTheirs;
    Descriptor answerOurs;
    Descriptor answerTheirs;

    static Channels open() {
        std::array<int, 2> request{-1, -1};
        std::array<int, 2> answer{-1, -1};
        if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, request.data()) != 0) {
            throwError(errno);
        }
        Descriptor requestOurs(request[0]);
        Descriptor requestTheirs(request[1]);
        if (::pipe2(answer.data(), O_CLOEXEC) != 0) {
            throwError(errno);
        }
        return {.requestOurs = std::move(requestOurs),
                .requestTheirs = std::move(requestTheirs),
                .answerOurs = Descriptor(answer[0]),
                .answerTheirs = Descriptor(answer[1])};
    }
};

ChildProcess::ChildProcess(pid_t pid, Channels& channels)
    : pid_(pid),
      // glibc 2.36 declares pidfd_open without C linkage for C++.
      ended_(static_cast<int>(::syscall(SYS_pidfd_open, pid, 0))),
      request_(std::move(channels.requestOurs)), answer_(std::move(channels.answerOurs)) {
    if (!ended_) {
        const int error = errno;
        killAndReap();
        throwError(error);
    }
    ::fcntl(answer_.get(), F_SETFL, O_NONBLOCK);
}

ChildProcess::ChildProcess(ChildProcess&& other) noexcept
    : pid_(std::exchange(other.pid_, -1)), ended_(std::move(other.ended_)),
      request_(std::move(other.request_)), answer_(std::move(other.answer_)) {}

ChildProcess::~ChildProcess() {
    if (pid_ > 0) {
        killAndReap();
    }
}

void ChildProcess::killAndReap() {
    ::kill(pid_, SIGKILL);
    ::waitpid(std::exchange(pid_, -1), nullptr, 0);
}

ChildProcess ChildProcess::spawn(const std::string& program, char* const* environment) {
    Channels channels = Channels::open();
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, channels.requestTheirs.get(), STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&actions, channels.answerTheirs.get(), STDOUT_FILENO);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    std::string programCopy = program;
    std::array<char*, 2> argv{programCopy.data(), nullptr};
    pid_t pid = -1;
    const int error =
        ::posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environment);
    posix_spawn_file_actions_destroy(&actions);
    if (error != 0) {
        throwError(error);
    }
    return {pid, channels};
}

ChildProcess ChildProcess::fork(Server server) {
    Channels channels = Channels::open();
    const pid_t pid = ::fork();
    if (pid < 0) {
        throwError(errno);
    }
    if (pid == 0) {
        channels.requestOurs.reset();
        channels.answerOurs.reset();
        const int nowhere = ::open("/dev/null", O_RDWR);
        if (nowhere < 0 || ::dup2(nowhere, STDIN_FILENO) < 0 ||
            ::dup2(nowhere, STDOUT_FILENO) < 0 || ::dup2(nowhere, STDERR_FILENO) < 0) {
            ::_exit(EXIT_FAILURE);
        }
        ::_exit(server(channels.requestTheirs.get(), channels.answerTheirs.get()));
    }
    return {pid, channels};
}

bool ChildProcess::hasEnded() const {
    pollfd watched{ended_.get(), POLLIN, 0};
    return ::poll(&watched, 1, 0) != 0;
}

ChildProcess::Exchange ChildProcess::exchange(std::string_view request, Clock::time_point deadline,
                                              std::size_t maxAnswer, std::string& answer,
                                              const std::function<void()>& whileAnswering) {
    std::size_t written = 0;
    std::array<char, 65536> buffer; // only read into; clearing it on each wake-up costs more
    while (answer_) {
        const int remaining = remainingMs(deadline);
        if (remaining == 0) {
            killAndReap();
            return Exchange::TimedOut;
        }
        std::array<pollfd, 2> watched{pollfd{answer_.get(), POLLIN, 0},
                                      pollfd{request_.get(), POLLOUT, 0}};
        if (::poll(watched.data(), watched.size(), remaining) < 0) {
            continue; // interrupted by a signal
        }
        if (watched[1].revents != 0) {
            const ssize_t sent = ::send(request_.get(), request.data() + written,
                                        request.size() - written, MSG_NOSIGNAL | MSG_DONTWAIT);
            written += sent > 0 ? static_cast<std::size_t>(sent) : 0;
            if (written == request.size() || (sent < 0 && errno != EAGAIN)) {
                request_.reset(); // the end of the request, or a child that stopped reading
                if (whileAnswering) {
                    whileAnswering();
                }
            }
        }
        if (watched[0].revents != 0) {
            const ssize_t got = ::read(answer_.get(), buffer.data(), buffer.size());
            if (got > 0) {
                answer.append(buffer.data(), static_cast<std::size_t>(got));
            } else if (got == 0 || errno != EAGAIN) {
                answer_.reset();
            }
            if (answer.size() > maxAnswer) {
                killAndReap();
                return Exchange::TooLong;
            }
        }
    }
    request_.reset();
    return Exchange::Answered;
}

ChildProcess::Ending ChildProcess::end(Clock::time_point deadline) {
    for (pollfd watched{ended_.get(), POLLIN, 0}; watched.revents == 0;) {
        const int remaining = remainingMs(deadline);
        if (remaining == 0) {
            killAndReap();
            return Ending::TimedOut;
        }
        ::poll(&watched, 1, remaining);
    }
    int status = 0;
    ::waitpid(std::exchange(pid_, -1), &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? Ending::Succeeded : Ending::Failed;
}

} // namespace ombrix::platform
