#pragma once

#include "Description.h"

#include <QJsonObject>

namespace mkmdb {

// Turns one query of the description into its MSysObjects flags and MSysQueries rows, the way
// Access stores a saved query. Throws DescriptionError (without the query's name; the caller
// adds it).
QueryDescription parseQuery(const QJsonObject& query);

} // namespace mkmdb
