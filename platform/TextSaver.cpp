#include "platform/TextSaver.h"

#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>
#include <optional>

namespace ombrix::platform {

namespace {

constexpr const char* windows1252 = "windows-1252";

// The Windows-1252 bytes of text, or nothing when a character has no place there. The decoding
// check guards against an encoder that would quietly map a character to a look-alike.
std::optional<QByteArray> encodeWindows1252(const QString& text) {
    QStringEncoder encoder(windows1252);
    if (!encoder.isValid())
        return std::nullopt;
    QByteArray bytes = encoder.encode(text);
    if (encoder.hasError())
        return std::nullopt;
    QStringDecoder decoder(windows1252);
    if (QString(decoder.decode(bytes)) != text || decoder.hasError())
        return std::nullopt;
    return bytes;
}

bool fail(QString* error, const QString& reason) {
    if (error)
        *error = reason;
    return false;
}

} // namespace

QByteArray encodePageText(const QString& text) {
    if (auto bytes = encodeWindows1252(text))
        return *bytes;
    QStringEncoder utf8(QStringConverter::Utf8, QStringConverter::Flag::WriteBom);
    return utf8.encode(text);
}

bool saveText(const QString& path, const QString& text, QString* error) {
    QSaveFile file(path);
    // Unbuffered, so that write() reports what reached the file: a short write (a full disk, a
    // size limit) is no error to QSaveFile, neither in write() nor when commit() flushes a buffer,
    // and commit() would put a cut-off file in place. Without commit() the temporary file goes.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return fail(error, file.errorString());
    const QByteArray bytes = encodePageText(text);
    if (file.write(bytes) != bytes.size())
        return fail(error, file.error() == QFileDevice::NoError
                               ? QStringLiteral("only part of the text could be written")
                               : file.errorString());
    if (!file.commit())
        return fail(error, file.errorString());
    return true;
}

} // namespace ombrix::platform
