#pragma once

#include "core/Catalogue.h"

#include <string>

class QListWidgetItem;

namespace ombrix::wizard {

// An entry of the field lists. Its text is the item that the lists move and the generator splits
// (name, 100 blanks, TAB, prefix); assistive technology reads the field's name alone and, as its
// description, the words of its type, which the prefix cannot tell apart ("int" is Integer,
// Single or Big integer). Both travel with the entry from list to list.
QListWidgetItem* fieldListItem(const std::string& item, const core::FieldDef& field);

} // namespace ombrix::wizard
