#pragma once

#include <QByteArray>
#include <QString>

namespace mkmdb {

// UCS-2 little endian, as Jet 4 stores names and uncompressed text.
QByteArray ucs2(const QString& text);

// Text for a column flagged for Unicode compression: when every character fits in one byte, the
// FF FE marker followed by one byte per character (only if that is shorter); otherwise UCS-2.
QByteArray compressibleText(const QString& text);

} // namespace mkmdb
