#pragma once

#include "core/Catalogue.h"

#include <string>
#include <string_view>
#include <vector>

// How the wizard shows the catalogue in its lists, shared with ombrix-cli so that both show it
// alike.
namespace ombrix::core {

// The object list's items: "Table: NAME" for each table, then "Query: NAME" for each select
// query, in catalogue order, leaving out the engine's system objects ("MSy...") and the hidden
// queries behind forms and reports ("~sq_..."), all compared with case.
std::vector<std::string> objectListItems(const DatabaseObjects& objects);

// "Table: NAME" or "Query: NAME", as the object list spells them.
std::string objectItem(ObjectKind kind, std::string_view name);

// Whether text is spelled as an object-list item: "Table: " or "Query: " and a name.
bool isObjectItem(std::string_view text);

// The object an item names: a table when it begins with "Table: ", a query otherwise, and the name
// from its eighth character on, counted in characters, so that any text gives one.
ObjectName splitObjectItem(std::string_view item);

} // namespace ombrix::core
