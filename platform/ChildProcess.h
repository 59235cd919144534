#pragma once

#include <chrono>
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <sys/types.h>

namespace ombrix::platform {

// A child process that reads one request from its input channel to the end and writes one
// answer to its output channel: a program started with them as standard input and output, or a
// fork of this process that runs a function over them. The request channel is a socket, so that
// writing to a child that died raises no SIGPIPE. The child is watched through a pidfd, and
// killed and reaped when the exchange goes wrong or the owner goes away first.
class ChildProcess {
public:
    // Answers the request read from `in` on `out`; the child's exit status.
    using Server = int (*)(int in, int out);
    using Clock = std::chrono::steady_clock;

    // Both throw std::system_error when the child cannot be started.
    static ChildProcess spawn(const std::string& program, char* const* environment);
    // In the child, everything but the two channels is closed off or sent to /dev/null, and it
    // ends with _exit (no exit handlers, no flushing of the parent's buffers). Only a
    // single-threaded caller may fork.
    static ChildProcess fork(Server server);

    ChildProcess(ChildProcess&& other) noexcept;
    ChildProcess& operator=(ChildProcess&&) = delete;
    ~ChildProcess();

    // Whether the child has ended already, before it was asked anything.
    bool hasEnded() const;

    enum class Exchange { Answered, TimedOut, TooLong };
    // Sends the request and reads the answer until the child closes its output, the deadline
    // passes or the answer grows past maxAnswer bytes (then the child is killed). Once the whole
    // request is sent, whileAnswering (when given) runs, while the child works on the answer.
    Exchange exchange(std::string_view request, Clock::time_point deadline, std::size_t maxAnswer,
                      std::string& answer, const std::function<void()>& whileAnswering = {});

    enum class Ending { Succeeded, Failed, TimedOut };
    // Waits until the child ends, and reaps it; killed once the deadline passes.
    Ending end(Clock::time_point deadline);

    // An owned file descriptor, closed when dropped.
    class Descriptor {
    public:
        explicit Descriptor(int fd = -1) : fd_(fd) {}
        Descriptor(Descriptor&& other) noexcept;
        Descriptor& operator=(Descriptor&& other) noexcept;
        ~Descriptor() { reset(); }
        void reset();
        int get() const { return fd_; }
        explicit operator bool() const { return fd_ >= 0; }

    private:
        int fd_;
    };

private:
    struct Channels;
    ChildProcess(pid_t pid, Channels& channels);
    void killAndReap();

    pid_t pid_;
    Descriptor ended_; // a pidfd: readable once the child has ended
    Descriptor request_;
    Descriptor answer_;
};

} // namespace ombrix::platform
