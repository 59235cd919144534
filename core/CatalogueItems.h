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

// "Table: NAME" and "Query: NAME", as the object list spells them.
std::string tableItem(std::string_view name);
std::string queryItem(std::string_view name);

// Whether text is spelled as an object-list item: "Table: " or "Query: " and a name.
bool isObjectItem(std::string_view text);

// The object an object-list item names: its kind and the name from the eighth character on.
ObjectKind objectKind(std::string_view item);
std::string itemObjectName(std::string_view item);

} // namespace ombrix::core
