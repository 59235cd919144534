#pragma once

#include "Description.h"

#include <QJsonValue>
#include <cstdint>

namespace mkmdb {

// Encodes a JSON cell for a column of the given description. Throws DescriptionError with a
// message that names the expected form; null JSON gives a null value.
FieldValue encodeField(const ColumnDescription& column, const QJsonValue& value);

QByteArray int16Bytes(std::int16_t value);
QByteArray int32Bytes(std::int32_t value);
QByteArray doubleBytes(double value);

// Days since 1899-12-30 with the time of day as fraction, as Jet stores dates; nullopt when the
// text is not an ISO 8601 date or date and time.
std::optional<double> oleDateFromIso(const QString& iso);

} // namespace mkmdb
