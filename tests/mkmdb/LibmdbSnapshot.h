#pragma once

#include <QStringList>

namespace ombrix::tests {

// Everything libmdb 1.0.0 reports about a database, one line per fact, for comparing a file with
// its description (golden/*.txt) or with a file Access wrote:
//   table NAME rows N, then its column, index and (for user tables and MSysRelationships) row lines
//   object NAME|ID|PARENTID|TYPE|FLAGS|DATABASE|CONNECT|FOREIGNNAME  (after MSysObjects' lines)
//   query row OBJECTID ATTRIBUTE ORDER NAME1|NAME2|EXPRESSION|FLAG  (after MSysQueries' lines)
// Values are libmdb's text: dates ISO 8601, OLE and the raw Order bytes in hex.
QStringList readWithLibmdb(const QString& path);

// The ID of the object of that name, or -1.
int objectId(const QStringList& lines, const QString& name);

} // namespace ombrix::tests
