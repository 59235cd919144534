#pragma once

#include "core/Catalogue.h"

#include <QString>
#include <QStringList>

// How the wizard shows the catalogue in its lists, shared with ombrix-cli so that both show it
// alike. QtCore only: the command line links these rules without the widgets.
namespace ombrix::wizard {

// The object list's items: "Table: NAME" for each table, then "Query: NAME" for each select
// query, in catalogue order, leaving out the engine's system objects ("MSy...") and the hidden
// queries behind forms and reports ("~sq_..."), all compared with case.
QStringList objectListItems(const core::DatabaseObjects& objects);

// "Table: NAME" and "Query: NAME", as the object list spells them.
QString tableItem(const QString& name);
QString queryItem(const QString& name);

// Whether text is spelled as an object-list item: "Table: " or "Query: " and a name.
bool isObjectItem(const QString& text);

// The object an object-list item names: its kind and the name from the eighth character on.
core::ObjectKind objectKind(const QString& item);
QString itemObjectName(const QString& item);

// A field list item, the generator's MakeFieldListItem over the field's name and type prefix.
QString fieldItem(const core::FieldDef& field);

} // namespace ombrix::wizard
