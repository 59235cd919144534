#include "platform/StandardOutput.h"

#include <cerrno>
#include <cstring>
#include <locale.h>
#include <string.h>
#include <unistd.h>

namespace ombrix::platform {

StandardOutput::Buffer::Buffer() {
    setp(storage_.data(), storage_.data() + storage_.size());
}

// After the first failure nothing more is written: the rest would be out of order.
bool StandardOutput::Buffer::writeOut() {
    const char* next = pbase();
    while (error_ == 0 && next < pptr()) {
        const ssize_t written =
            ::write(STDOUT_FILENO, next, static_cast<std::size_t>(pptr() - next));
        if (written >= 0)
            next += written;
        else if (errno != EINTR)
            error_ = errno;
    }
    setp(storage_.data(), storage_.data() + storage_.size());
    return error_ == 0;
}

StandardOutput::Buffer::int_type StandardOutput::Buffer::overflow(int_type c) {
    if (!writeOut())
        return traits_type::eof();
    if (!traits_type::eq_int_type(c, traits_type::eof()))
        return sputc(traits_type::to_char_type(c));
    return traits_type::not_eof(c);
}

int StandardOutput::Buffer::sync() {
    return writeOut() ? 0 : -1;
}

StandardOutput::StandardOutput() : stream_(&buffer_) {}

std::string StandardOutput::finish() {
    stream_.flush();
    return buffer_.error() == 0 ? std::string() : systemReason(buffer_.error());
}

std::string systemReason(int error) {
    const locale_t c = ::newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    if (c == static_cast<locale_t>(nullptr))
        return std::strerror(error);
    std::string reason = ::strerror_l(error, c);
    ::freelocale(c);
    return reason;
}

} // namespace ombrix::platform
