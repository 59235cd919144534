#include "FieldEncoding.h"

#include "JetText.h"
#include "Mkmdb.h"

#include <QDateTime>
#include <QRegularExpression>
#include <QUuid>
#include <QtEndian>
#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

namespace mkmdb {
namespace {

// Access compresses a memo value only up to this many characters.
constexpr qsizetype kMaxCompressedMemoLength = 1024;

template <typename T>
QByteArray littleEndian(T value) {
    QByteArray bytes(sizeof(T), '\0');
    qToLittleEndian(value, bytes.data());
    return bytes;
}

[[noreturn]] void expected(const QString& what) {
    throw DescriptionError(QStringLiteral("expected %1").arg(what).toStdString());
}

std::int64_t integralNumber(const QJsonValue& value, std::int64_t low, std::int64_t high,
                            const char* what) {
    const double number = value.toDouble(std::nan(""));
    if (!value.isDouble() || std::floor(number) != number || number < static_cast<double>(low) ||
        number > static_cast<double>(high))
        expected(QStringLiteral("%1 from %2 to %3").arg(QLatin1String(what)).arg(low).arg(high));
    return static_cast<std::int64_t>(number);
}

// A decimal number as sign and a 96/128-bit magnitude in 32-bit limbs, least significant first,
// already multiplied by 10^scale.
struct ScaledDecimal {
    bool negative = false;
    std::array<std::uint32_t, 4> limbs{};
};

std::optional<ScaledDecimal> parseScaled(const QString& text, int scale, int maxDigits) {
    static const QRegularExpression form(QStringLiteral("^([+-]?)(\\d*)(?:\\.(\\d*))?$"));
    const QRegularExpressionMatch match = form.match(text.trimmed());
    if (!match.hasMatch())
        return std::nullopt;
    QString whole = match.captured(2);
    QString fraction = match.captured(3);
    if (whole.isEmpty() && fraction.isEmpty())
        return std::nullopt;
    while (fraction.endsWith(QLatin1Char('0')) && fraction.size() > scale)
        fraction.chop(1);
    if (fraction.size() > scale)
        return std::nullopt;
    QString digits = whole + fraction + QString(scale - fraction.size(), QLatin1Char('0'));
    while (digits.size() > 1 && digits.startsWith(QLatin1Char('0')))
        digits.remove(0, 1);
    if (digits.size() > maxDigits)
        return std::nullopt;
    ScaledDecimal result;
    for (const QChar digit : digits) {
        std::uint64_t carry = static_cast<std::uint64_t>(digit.digitValue());
        for (std::uint32_t& limb : result.limbs) {
            const std::uint64_t product = static_cast<std::uint64_t>(limb) * 10 + carry;
            limb = static_cast<std::uint32_t>(product);
            carry = product >> 32;
        }
    }
    result.negative = match.captured(1) == QLatin1String("-") &&
                      std::any_of(result.limbs.begin(), result.limbs.end(),
                                  [](std::uint32_t limb) { return limb != 0; });
    return result;
}

QString numberText(const QJsonValue& value) {
    if (value.isString())
        return value.toString();
    if (value.isDouble())
        return QString::number(value.toDouble(), 'f', 10);
    return {};
}

QByteArray currency(const QJsonValue& value) {
    const std::optional<ScaledDecimal> scaled = parseScaled(numberText(value), 4, 19);
    const std::uint64_t magnitude =
        scaled ? (static_cast<std::uint64_t>(scaled->limbs[1]) << 32) | scaled->limbs[0] : 0;
    if (!scaled || scaled->limbs[2] != 0 || scaled->limbs[3] != 0 ||
        magnitude > static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max()))
        expected(QStringLiteral("a currency amount with at most 4 decimals"));
    const auto amount = static_cast<std::int64_t>(magnitude);
    return littleEndian<std::int64_t>(scaled->negative ? -amount : amount);
}

QByteArray decimal(const ColumnDescription& column, const QJsonValue& value) {
    const std::optional<ScaledDecimal> scaled =
        parseScaled(numberText(value), column.scale, column.precision);
    if (!scaled)
        expected(QStringLiteral("a decimal number with at most %1 digits and %2 decimals")
                     .arg(column.precision)
                     .arg(column.scale));
    // Sign byte, then the 32-bit words from the most significant down, each little endian.
    QByteArray bytes(1, scaled->negative ? '\x80' : '\0');
    for (int word = 3; word >= 0; --word)
        bytes.append(littleEndian<std::uint32_t>(scaled->limbs[static_cast<std::size_t>(word)]));
    return bytes;
}

QByteArray hexBytes(const QJsonValue& value, int maxBytes) {
    static const QRegularExpression hex(QStringLiteral("^([0-9A-Fa-f]{2})*$"));
    const QString text = value.toString();
    if (!value.isString() || !hex.match(text).hasMatch())
        expected(QStringLiteral("binary data as a string of hexadecimal digit pairs"));
    const QByteArray bytes = QByteArray::fromHex(text.toLatin1());
    if (maxBytes > 0 && bytes.size() > maxBytes)
        expected(QStringLiteral("at most %1 bytes").arg(maxBytes));
    return bytes;
}

QByteArray guid(const QJsonValue& value) {
    const QUuid uuid(value.toString());
    if (!value.isString() || uuid.isNull())
        expected(QStringLiteral("a GUID such as {00000000-0000-0000-0000-000000000001}"));
    // The Windows GUID layout: the first three groups little endian, the rest as written.
    QByteArray bytes = littleEndian<std::uint32_t>(uuid.data1);
    bytes.append(littleEndian<std::uint16_t>(uuid.data2));
    bytes.append(littleEndian<std::uint16_t>(uuid.data3));
    bytes.append(reinterpret_cast<const char*>(uuid.data4), sizeof(uuid.data4));
    return bytes;
}

QString text(const QJsonValue& value) {
    if (!value.isString())
        expected(QStringLiteral("a string"));
    return value.toString();
}

} // namespace

QByteArray int16Bytes(std::int16_t value) {
    return littleEndian(value);
}
QByteArray int32Bytes(std::int32_t value) {
    return littleEndian(value);
}
QByteArray doubleBytes(double value) {
    return littleEndian(value);
}

std::optional<double> oleDateFromIso(const QString& iso) {
    QDateTime when = QDateTime::fromString(iso, Qt::ISODate);
    if (!when.isValid()) {
        const QDate day = QDate::fromString(iso, Qt::ISODate);
        if (!day.isValid())
            return std::nullopt;
        when = QDateTime(day, QTime(0, 0));
    }
    const qint64 days = QDate(1899, 12, 30).daysTo(when.date());
    const double fraction = when.time().msecsSinceStartOfDay() / 86400000.0;
    // Before the epoch the day count is negative while the time of day still counts upwards.
    return days >= 0 ? static_cast<double>(days) + fraction : static_cast<double>(days) - fraction;
}

FieldValue encodeField(const ColumnDescription& column, const QJsonValue& value) {
    if (value.isNull())
        return std::nullopt;
    switch (column.type) {
    case ColumnType::Boolean:
        if (!value.isBool())
            expected(QStringLiteral("true or false"));
        return QByteArray(1, value.toBool() ? '\1' : '\0');
    case ColumnType::Byte:
        return QByteArray(1, static_cast<char>(integralNumber(value, 0, 255, "a whole number")));
    case ColumnType::Integer:
        return littleEndian(static_cast<std::int16_t>(
            integralNumber(value, std::numeric_limits<std::int16_t>::min(),
                           std::numeric_limits<std::int16_t>::max(), "a whole number")));
    case ColumnType::Long:
        return littleEndian(static_cast<std::int32_t>(
            integralNumber(value, std::numeric_limits<std::int32_t>::min(),
                           std::numeric_limits<std::int32_t>::max(), "a whole number")));
    case ColumnType::Currency:
        return currency(value);
    case ColumnType::Single:
        if (!value.isDouble())
            expected(QStringLiteral("a number"));
        return littleEndian(static_cast<float>(value.toDouble()));
    case ColumnType::Double:
        if (!value.isDouble())
            expected(QStringLiteral("a number"));
        return littleEndian(value.toDouble());
    case ColumnType::DateTime: {
        const std::optional<double> date = oleDateFromIso(value.toString());
        if (!value.isString() || !date)
            expected(QStringLiteral("a date such as 2024-05-01 or 2024-05-01T13:45:00"));
        return littleEndian(*date);
    }
    case ColumnType::Binary:
        return hexBytes(value, column.size);
    case ColumnType::Ole:
        return hexBytes(value, 0);
    case ColumnType::Text: {
        const QString string = text(value);
        if (string.size() > column.size)
            expected(QStringLiteral("at most %1 characters").arg(column.size));
        return compressibleText(string);
    }
    case ColumnType::Memo: {
        const QString string = text(value);
        return string.size() <= kMaxCompressedMemoLength ? compressibleText(string) : ucs2(string);
    }
    case ColumnType::Guid:
        return guid(value);
    case ColumnType::Decimal:
        return decimal(column, value);
    case ColumnType::AccessObjectData:
        break;
    }
    expected(QStringLiteral("null"));
}

} // namespace mkmdb
