#include "HeaderFields.h"

#include <QFile>
#include <QtEndian>
#include <cmath>
#include <utility>

namespace ombrix::test {
namespace {

void unscramble(QByteArray& page) {
    const unsigned char key[4] = {0xC7, 0xDA, 0x39, 0x6B};
    unsigned char s[256];
    for (int i = 0; i < 256; ++i)
        s[i] = static_cast<unsigned char>(i);
    for (int i = 0, j = 0; i < 256; ++i) {
        j = (j + s[i] + key[i % 4]) % 256;
        std::swap(s[i], s[j]);
    }
    for (int n = 0, i = 0, j = 0; n < 128; ++n) {
        i = (i + 1) % 256;
        j = (j + s[i]) % 256;
        std::swap(s[i], s[j]);
        page[0x18 + n] = static_cast<char>(page[0x18 + n] ^ s[(s[i] + s[j]) % 256]);
    }
}

} // namespace

HeaderFields readHeaderFields(const QString& path) {
    HeaderFields fields;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return fields;
    QByteArray page = file.read(4096);
    if (page.size() != 4096)
        return fields;
    unscramble(page);
    const char* p = page.constData();
    fields.pageType = static_cast<unsigned char>(p[0]);
    fields.engine = QByteArray(p + 4, 15);
    fields.version = p[0x14];
    fields.codePage = qFromLittleEndian<std::uint16_t>(p + 0x3C);
    fields.encryptionKey = qFromLittleEndian<std::uint32_t>(p + 0x3E);
    fields.sortOrder = qFromLittleEndian<std::uint32_t>(p + 0x6E);
    fields.created = qFromLittleEndian<double>(p + 0x72);
    fields.rawPassword = page.mid(0x42, 40);
    char mask[4];
    qToLittleEndian(static_cast<std::int32_t>(std::floor(fields.created)), mask);
    for (int i = 0; i + 1 < 40; i += 2) {
        const auto unit = static_cast<char16_t>(
            static_cast<unsigned char>(p[0x42 + i] ^ mask[i % 4]) |
            static_cast<unsigned char>(p[0x42 + i + 1] ^ mask[(i + 1) % 4]) << 8);
        if (unit == 0)
            break;
        fields.password.append(QChar(unit));
    }
    fields.trailer = page.mid(0x98, 8);
    return fields;
}

} // namespace ombrix::test
