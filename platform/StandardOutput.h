#pragma once

#include <array>
#include <ostream>
#include <streambuf>
#include <string>

namespace ombrix::platform {

// Standard output as a stream that keeps the system's reason when a write fails (EPIPE, ENOSPC,
// EIO, ...), where std::cout keeps only a failure bit. SIGPIPE keeps the disposition the program
// inherited: by default a reader that went away ends the program quietly, as `| head -1` expects.
class StandardOutput {
public:
    StandardOutput();
    StandardOutput(const StandardOutput&) = delete;
    StandardOutput& operator=(const StandardOutput&) = delete;

    std::ostream& stream() { return stream_; }

    // Writes out what is buffered. Empty when everything reached standard output; otherwise the
    // reason for the first failure, as strerror words it in the C locale.
    std::string finish();

private:
    class Buffer : public std::streambuf {
    public:
        Buffer();
        int error() const { return error_; }

    protected:
        int_type overflow(int_type c) override;
        int sync() override;

    private:
        bool writeOut();

        std::array<char, 65536> storage_; // only written into: clearing it would touch every page
        int error_ = 0;
    };

    Buffer buffer_;
    std::ostream stream_;
};

// strerror's text for an error number in the C locale, whatever locale the program runs in.
std::string systemReason(int error);

} // namespace ombrix::platform
