#pragma once

#include "generator/WizardState.h"

#include <string>

namespace ombrix::cli {

// Reads a wizard state from its JSON form:
//   {"database": "...", "password": "...", "object": "Table: Orders", "primaryKeyField": "OrderID",
//    "primaryKeyPrefix": "lng", "fields": ["<name, 100 blanks, TAB, prefix>", ...], "method":
//    "Post"}
// Every member but "primaryKeyPrefix" (the key field's type prefix; absent means empty) is
// required. Input the wizard could never hold (bad JSON, a missing or mistyped member, no fields,
// an item without a TAB, another method or object kind) throws CommandError.
WizardState wizardStateFromJson(const std::string& json);

} // namespace ombrix::cli
