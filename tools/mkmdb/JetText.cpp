#include "JetText.h"

#include <algorithm>

namespace mkmdb {

QByteArray ucs2(const QString& text) {
    QByteArray bytes;
    bytes.reserve(text.size() * 2);
    for (const QChar c : text) {
        bytes.append(static_cast<char>(c.unicode() & 0xFF));
        bytes.append(static_cast<char>(c.unicode() >> 8));
    }
    return bytes;
}

QByteArray compressibleText(const QString& text) {
    const bool oneByteEach = std::all_of(text.begin(), text.end(), [](QChar c) {
        return c.unicode() >= 0x01 && c.unicode() <= 0xFF;
    });
    if (!oneByteEach || text.size() <= 2)
        return ucs2(text);
    QByteArray bytes("\xFF\xFE", 2);
    for (const QChar c : text)
        bytes.append(static_cast<char>(c.unicode()));
    return bytes;
}

} // namespace mkmdb
