#pragma once

#include "core/WizardState.h"

#include <string>

namespace ombrix::cli {

// Reads a wizard state from its JSON form:
//   {"database": "...", "password": "...", "object": "Table: Orders", "primaryKeyField": "OrderID",
//    "primaryKeyPrefix": "lng", "keyFields": [{"name": "OrderID", "prefix": "lng"}],
//    "fields": ["<name, 100 blanks, TAB, prefix>", ...], "method": "Post"}
// Every member but "primaryKeyPrefix" (the key field's type prefix; absent means empty) and
// "keyFields" (every field of the key in the index's order, each prefix optional; absent means
// none) is required. Input the wizard could never hold (bad JSON, a missing or mistyped member, no
// fields, an item without a TAB, another method or object kind, key fields that do not end with
// the key field or are given without one) throws CommandError.
WizardState wizardStateFromJson(const std::string& json);

} // namespace ombrix::cli
