#pragma once

#include <string>
#include <vector>

class QMimeData;

namespace ombrix::platform {

// Whether dragged data is a list of files, as a file manager offers it.
bool holdsFileList(const QMimeData& data);

// The dropped files' full paths in the order the source lists them, as the bytes that their file
// URLs percent-encode (a file name need not be UTF-8); empty when the data is not a file list.
std::vector<std::string> droppedFilePaths(const QMimeData& data);

} // namespace ombrix::platform
