#pragma once

#include <QStringList>

class QMimeData;

namespace ombrix::platform {

// Whether dragged data is a list of files, as a file manager offers it.
bool holdsFileList(const QMimeData& data);

// The dropped files' full paths in the order the source lists them; empty when the data is not a
// file list.
QStringList droppedFilePaths(const QMimeData& data);

} // namespace ombrix::platform
