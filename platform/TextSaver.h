#pragma once

#include <string>
#include <string_view>

namespace ombrix::platform {

// The bytes of a page file from its UTF-8 text: Windows-1252, the code page a classic ASP server
// reads, when every character has a place in it; otherwise the UTF-8 itself after a byte-order
// mark, which the server reads too, so that no character is ever lost or replaced. Line ends and
// TABs pass through as they are.
std::string encodePageText(std::string_view utf8);

// What a save does with a FIFO that nothing reads yet: wait for a reader, as a shell's
// redirection does, or fail at once, as a window must that would otherwise freeze.
enum class FifoOpening { WaitForReader, FailWithoutReader };

// Writes the text, encoded as above, to a temporary file beside path that then replaces path (a
// symbolic link is followed; an existing file keeps its permissions, and one that may not be
// written is refused). A save that fails at any point leaves an existing file exactly as it was.
// Where the folder takes no temporary file but the existing file may be written, the file is
// written in place instead; a failure there is reported too, though the file may then be cut
// short. An existing FIFO or character device is written in place and never replaced; a folder,
// a socket or a block device is refused. Returns false on failure and, when error is given, puts
// the reason there.
bool saveText(const std::string& path, std::string_view utf8, std::string* error = nullptr,
              FifoOpening opening = FifoOpening::WaitForReader);

} // namespace ombrix::platform
