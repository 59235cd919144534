#pragma once

#include "platform/Catalogue.h"

#include <QString>
#include <QStringList>

namespace ombrix::wizard {

// The object list's items: "Table: NAME" for each table, then "Query: NAME" for each select
// query, in catalogue order, leaving out the engine's system objects ("MSy...") and the hidden
// queries behind forms and reports ("~sq_...").
QStringList objectListItems(const platform::DatabaseObjects& objects);

// The object an object-list item names: its kind and the name from the eighth character on.
platform::ObjectKind objectKind(const QString& item);
QString itemObjectName(const QString& item);

// A field list item: the name, 100 blanks that push the rest out of sight, a TAB and the field's
// three-letter type prefix.
QString fieldItem(const platform::FieldDef& field);

// The last field of the index named exactly "PrimaryKey"; empty when there is none.
QString primaryKeyField(const platform::ObjectDefinition& definition);

} // namespace ombrix::wizard
