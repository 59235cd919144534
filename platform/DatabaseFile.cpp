#include "DatabaseFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <array>
#include <cstring>

namespace ombrix::platform {

namespace {

constexpr int kJet3PageSize = 2048;
constexpr int kJet4PageSize = 4096;
constexpr int kScrambledStart = 0x18;
constexpr int kJet3ScrambledLength = 126;
constexpr int kJet4ScrambledLength = 128;
constexpr int kPasswordOffset = 0x42;
constexpr int kMaxPasswordLength = 20;

// RC4 is needed for 128 bytes of the header only; Qt has no RC4 and a crypto library would be
// out of proportion for it.
void rc4(QByteArray& data, int offset, int length, const std::array<unsigned char, 4>& key) {
    std::array<unsigned char, 256> state{};
    for (int i = 0; i < 256; ++i) {
        state[static_cast<size_t>(i)] = static_cast<unsigned char>(i);
    }
    unsigned j = 0;
    for (unsigned i = 0; i < 256; ++i) {
        j = (j + state[i] + key[i % key.size()]) & 0xFF;
        std::swap(state[i], state[j]);
    }
    unsigned a = 0;
    unsigned b = 0;
    for (int n = 0; n < length; ++n) {
        a = (a + 1) & 0xFF;
        b = (b + state[a]) & 0xFF;
        std::swap(state[a], state[b]);
        const auto k = state[(state[a] + state[b]) & 0xFF];
        data[offset + n] = static_cast<char>(static_cast<unsigned char>(data[offset + n]) ^ k);
    }
}

std::uint32_t readUInt32(const QByteArray& bytes, int offset) {
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i) {
        value = (value << 8) | static_cast<unsigned char>(bytes[offset + i]);
    }
    return value;
}

std::uint16_t readUInt16(const QByteArray& bytes, int offset) {
    return static_cast<std::uint16_t>(static_cast<unsigned char>(bytes[offset]) |
                                      (static_cast<unsigned char>(bytes[offset + 1]) << 8));
}

double readDouble(const QByteArray& bytes, int offset) {
    std::uint64_t bits = 0;
    for (int i = 7; i >= 0; --i) {
        bits = (bits << 8) | static_cast<unsigned char>(bytes[offset + i]);
    }
    double value = 0;
    static_assert(sizeof value == sizeof bits);
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

QString jet4Password(const QByteArray& page) {
    // The stored characters are masked with the integer part of the creation date.
    const double created = readDouble(page, 0x72);
    const auto mask = (created > -2147483648.0 && created < 2147483648.0)
                          ? static_cast<std::uint32_t>(static_cast<std::int32_t>(created))
                          : 0U;
    QString password;
    for (int i = 0; i < kMaxPasswordLength; ++i) {
        const int at = kPasswordOffset + 2 * i;
        const auto maskLow = (mask >> (8 * ((2 * i) % 4))) & 0xFFU;
        const auto maskHigh = (mask >> (8 * ((2 * i + 1) % 4))) & 0xFFU;
        const auto low = static_cast<unsigned char>(page[at]) ^ maskLow;
        const auto high = static_cast<unsigned char>(page[at + 1]) ^ maskHigh;
        const auto unit = static_cast<char16_t>(low | (high << 8));
        if (unit == 0) {
            break;
        }
        password.append(QChar(unit));
    }
    return password;
}

QString jet3Password(const QByteArray& page, int codePage) {
    QByteArray raw = page.mid(kPasswordOffset, kMaxPasswordLength);
    const auto end = raw.indexOf('\0');
    if (end >= 0) {
        raw.truncate(end);
    }
    QStringDecoder decode(codePageName(codePage).constData());
    return decode.isValid() ? decode(raw) : QString::fromLatin1(raw);
}

} // namespace

EngineError fileNotFound(const QString& path) {
    return {3024, QStringLiteral("Could not find file '%1'.").arg(path)};
}

EngineError invalidPath(const QString& path) {
    return {3044, QStringLiteral("'%1' is not a valid path. Make sure that the path name is "
                                 "spelled correctly and that you are connected to the server on "
                                 "which the file resides.")
                      .arg(path)};
}

EngineError cannotOpen(const QString& path) {
    return {3051, QStringLiteral("The database engine cannot open the file '%1'. It is already "
                                 "opened exclusively by another user, or you need permission to "
                                 "view its data.")
                      .arg(path)};
}

EngineError unrecognizedFormat(const QString& path, const QString& detail) {
    QString text = QStringLiteral("Unrecognized database format '%1'.").arg(path);
    if (!detail.isEmpty()) {
        text += QLatin1Char(' ') + detail;
    }
    return {3343, text};
}

QByteArray codePageName(int codePage) {
    return "windows-" + QByteArray::number(codePage);
}

DatabaseHeader parseDatabaseHeader(const QByteArray& firstBytes, std::int64_t fileSize,
                                   const QString& path) {
    if (firstBytes.size() < kJet3PageSize || firstBytes[0] != 0) {
        throw unrecognizedFormat(path);
    }
    const QByteArray engine = firstBytes.mid(4, 15);
    if (engine != "Standard Jet DB" && engine != "Standard ACE DB") {
        throw unrecognizedFormat(path);
    }
    const int version = static_cast<unsigned char>(firstBytes[0x14]);
    if (version > 6) {
        throw unrecognizedFormat(path);
    }
    DatabaseHeader header;
    header.format = version == 0   ? JetFormat::Jet3
                    : version == 1 ? JetFormat::Jet4
                                   : JetFormat::Ace;
    header.pageSize = version == 0 ? kJet3PageSize : kJet4PageSize;
    if (firstBytes.size() < header.pageSize || fileSize < 2 * header.pageSize) {
        throw unrecognizedFormat(path);
    }
    QByteArray page = firstBytes.left(header.pageSize);
    rc4(page, kScrambledStart, version == 0 ? kJet3ScrambledLength : kJet4ScrambledLength,
        {0xC7, 0xDA, 0x39, 0x6B});
    header.codePage = readUInt16(page, 0x3C);
    if (header.format == JetFormat::Jet3) {
        header.sortOrder = SortOrder::General97;
        header.password = jet3Password(page, header.codePage);
    } else {
        header.sortOrder = page[0x71] == 0 ? SortOrder::GeneralLegacy : SortOrder::General;
        if (header.format == JetFormat::Ace) {
            // ACE keeps no password in the header: a protected file is encrypted throughout.
            header.officeEncrypted = readUInt32(page, 0x3E) != 0;
        } else {
            header.password = jet4Password(page);
        }
    }
    return header;
}

DatabaseHeader readDatabaseHeader(const QString& path) {
    if (path.isEmpty()) {
        throw invalidPath(path);
    }
    const QFileInfo info(QDir::current().absoluteFilePath(path));
    if (!info.exists()) {
        const QFileInfo folder(info.absolutePath());
        throw folder.isDir() ? fileNotFound(path) : invalidPath(path);
    }
    if (!info.isFile()) {
        throw unrecognizedFormat(path);
    }
    QFile file(info.absoluteFilePath());
    if (!file.open(QIODevice::ReadOnly)) {
        throw cannotOpen(path);
    }
    return parseDatabaseHeader(file.read(kJet4PageSize), file.size(), path);
}

void verifyPassword(const DatabaseHeader& header, const QString& supplied) {
    if (header.password.isEmpty()) {
        return;
    }
    if (supplied.left(kMaxPasswordLength) != header.password) {
        throw EngineError(3031, QStringLiteral("Not a valid password."));
    }
}

} // namespace ombrix::platform
