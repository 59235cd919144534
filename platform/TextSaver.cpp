#include "platform/TextSaver.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <filesystem>
#include <glib.h>
#include <glib/gstdio.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace ombrix::platform {

namespace {

namespace fs = std::filesystem;

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

struct GErrorFree {
    void operator()(GError* error) const { g_error_free(error); }
};
using ErrorPtr = std::unique_ptr<GError, GErrorFree>;

bool fail(std::string* error, std::string reason) {
    if (error)
        *error = std::move(reason);
    return false;
}

// GLib's message names the temporary file it could not write; the system's reason ends it.
std::string reasonOf(const GError& error) {
    const std::string_view message = error.message;
    const auto colon = message.rfind(": ");
    return std::string(colon == std::string_view::npos ? message : message.substr(colon + 2));
}

// The file a save replaces: the target of a symbolic link, so that the link stays.
std::string fileToReplace(const std::string& path) {
    std::error_code ignored;
    if (fs::is_symlink(path, ignored)) {
        const fs::path target = fs::canonical(path, ignored);
        if (!target.empty())
            return target.string();
    }
    return path;
}

// Keeps an existing file's permissions; a new file gets the usual ones, less the umask.
int modeFor(const std::string& path) {
    std::error_code ignored;
    const fs::file_status status = fs::status(path, ignored);
    if (!fs::is_regular_file(status))
        return 0666;
    return static_cast<int>(status.permissions() & fs::perms::all);
}

// The atomic replace needs a temporary file beside the target, which a folder closed to the user
// refuses; an existing file that is open to writing can still be written where it is.
bool mayWriteInPlace(const GError& error, const std::string& path) {
    std::error_code ignored;
    return error.domain == G_FILE_ERROR &&
           (error.code == G_FILE_ERROR_ACCES || error.code == G_FILE_ERROR_PERM) &&
           fs::is_regular_file(path, ignored);
}

// With the C library: GLib's in-place write does not truncate a longer old file. fwrite and
// fclose report a short write, a full disk or a size limit.
bool writeInPlace(const std::string& path, const std::string& bytes, std::string* error) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return fail(error, std::strerror(errno));
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    int reason = errno;
    const bool closed = std::fclose(file) == 0;
    if (written && !closed)
        reason = errno;
    if (!written || !closed)
        return fail(error, std::strerror(reason));
    return true;
}

// Blocks SIGPIPE while a FIFO is written, so that a reader that goes away makes the save fail
// (EPIPE) instead of ending the program; a SIGPIPE that the write raised is taken away before the
// old mask returns.
class SigpipeBlocked {
public:
    SigpipeBlocked() {
        sigemptyset(&sigpipe_);
        sigaddset(&sigpipe_, SIGPIPE);
        pthread_sigmask(SIG_BLOCK, &sigpipe_, &previous_);
        sigset_t pending;
        sigpending(&pending);
        pendingBefore_ = sigismember(&pending, SIGPIPE) == 1;
    }
    ~SigpipeBlocked() {
        if (!pendingBefore_) {
            const timespec none{};
            sigtimedwait(&sigpipe_, nullptr, &none);
        }
        pthread_sigmask(SIG_SETMASK, &previous_, nullptr);
    }
    SigpipeBlocked(const SigpipeBlocked&) = delete;
    SigpipeBlocked& operator=(const SigpipeBlocked&) = delete;

private:
    sigset_t sigpipe_{};
    sigset_t previous_{};
    bool pendingBefore_ = false;
};

// A FIFO or a character device is written where it is: replacing it would put a file in its
// place. Without a reader, a FIFO opened without blocking refuses at once (ENXIO).
bool writeToDevice(const std::string& path, const std::string& bytes, bool fifo,
                   FifoOpening opening, std::string* error) {
    const bool withoutBlocking = fifo && opening == FifoOpening::FailWithoutReader;
    const int fd =
        ::open(path.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY | (withoutBlocking ? O_NONBLOCK : 0));
    if (fd < 0)
        return fail(error, std::strerror(errno));
    if (withoutBlocking)
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK); // a reader is there: wait for it
    int reason = 0;
    {
        const SigpipeBlocked blocked;
        for (std::size_t written = 0; written < bytes.size() && reason == 0;) {
            const ssize_t n = ::write(fd, bytes.data() + written, bytes.size() - written);
            if (n > 0)
                written += static_cast<std::size_t>(n);
            else if (errno != EINTR)
                reason = errno;
        }
    }
    if (::close(fd) != 0 && reason == 0 && errno != EINTR)
        reason = errno;
    return reason == 0 || fail(error, std::strerror(reason));
}

// Why a file of this kind is not written; empty for a file that a save replaces.
std::string refusal(mode_t mode) {
    if (S_ISREG(mode) || S_ISFIFO(mode) || S_ISCHR(mode))
        return {};
    if (S_ISDIR(mode))
        return std::strerror(EISDIR);
    if (S_ISSOCK(mode))
        return "Is a socket";
    return S_ISBLK(mode) ? "Is a block device" : "Is not a file";
}

} // namespace

std::string encodePageText(std::string_view utf8) {
    gsize written = 0;
    // Without a fallback, g_convert refuses any character that has no place in Windows-1252.
    gchar* converted = g_convert(utf8.data(), static_cast<gssize>(utf8.size()), "WINDOWS-1252",
                                 "UTF-8", nullptr, &written, nullptr);
    if (converted) {
        std::string bytes(converted, written);
        g_free(converted);
        return bytes;
    }
    std::string bytes(kUtf8Bom);
    bytes += utf8;
    return bytes;
}

bool saveText(const std::string& path, std::string_view utf8, std::string* error,
              FifoOpening opening) {
    struct stat existing {};
    if (::stat(path.c_str(), &existing) == 0 && !S_ISREG(existing.st_mode)) {
        if (const std::string reason = refusal(existing.st_mode); !reason.empty())
            return fail(error, reason);
        return writeToDevice(path, encodePageText(utf8), S_ISFIFO(existing.st_mode), opening,
                             error);
    }
    const std::string target = fileToReplace(path);
    // Replacing would get round a file's own protection against writing.
    if (g_file_test(target.c_str(), G_FILE_TEST_EXISTS) && g_access(target.c_str(), W_OK) != 0)
        return fail(error, "Existing file " + path + " is not writable");
    const std::string bytes = encodePageText(utf8);
    GError* raw = nullptr;
    if (g_file_set_contents_full(target.c_str(), bytes.data(), static_cast<gssize>(bytes.size()),
                                 G_FILE_SET_CONTENTS_CONSISTENT, modeFor(target), &raw))
        return true;
    const ErrorPtr failure(raw);
    if (mayWriteInPlace(*failure, target))
        return writeInPlace(target, bytes, error);
    return fail(error, reasonOf(*failure));
}

} // namespace ombrix::platform
