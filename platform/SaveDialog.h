#pragma once

#include <QString>

class QWidget;

namespace ombrix::platform {

// What the save dialog returned: the chosen name (empty when it was cancelled) and the filter
// selected when it closed, 1 for "Active Server Page (*.asp)" and 2 for "All Files (*.*)".
struct SaveChoice {
    QString fileName;
    int filterIndex = 1;
};

// The save-file dialog, modal to owner's window only: both filters, the first selected, an empty
// name, the file system's root as the starting folder every time, and the dialog's own question
// before it returns the name of an existing file.
SaveChoice askSaveFileName(QWidget* owner);

// The name to write: the chosen name without trailing blanks, with ".asp" appended when the first
// filter was selected and the name does not already end in it (in any letter case).
QString fileNameToWrite(const SaveChoice& choice);

// The dialog confirmed only the name it returned. When fileNameToWrite() made another name and a
// file of that name exists, asks (Yes/No, "Ombrix") before it is replaced. True: go on and write.
bool confirmReplacingOtherName(QWidget* owner, const SaveChoice& choice, const QString& path);

} // namespace ombrix::platform
