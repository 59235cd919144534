#include "platform/TextSaver.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <glib.h>
#include <glib/gstdio.h>
#include <memory>
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

bool saveText(const std::string& path, std::string_view utf8, std::string* error) {
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
