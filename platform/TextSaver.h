#pragma once

#include <QByteArray>
#include <QString>

namespace ombrix::platform {

// The bytes of a page file: Windows-1252, the code page a classic ASP server reads, when every
// character of the text has a place in it; otherwise UTF-8 with a byte-order mark, which the
// server reads too, so that no character is ever lost or replaced. Line ends and TABs pass
// through as they are.
QByteArray encodePageText(const QString& text);

// Writes the text, encoded as above, to a temporary file beside path that then replaces path.
// A save that fails at any point leaves an existing file exactly as it was. Returns false on
// failure and, when error is given, puts the reason there.
bool saveText(const QString& path, const QString& text, QString* error = nullptr);

} // namespace ombrix::platform
