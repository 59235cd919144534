#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>

namespace ombrix::test {

// Page 0 of a Jet 4 file, unscrambled and read independently of mkmdb's writer.
struct HeaderFields {
    int pageType = -1;
    QByteArray engine;
    int version = -1;
    int codePage = 0;
    std::uint32_t encryptionKey = 0;
    std::uint32_t sortOrder = 0;
    double created = 0;
    QByteArray rawPassword; // the 40 stored bytes, still masked
    QString password;
    QByteArray trailer; // the 8 unscrambled bytes after the scrambled block
};

HeaderFields readHeaderFields(const QString& path);

} // namespace ombrix::test
