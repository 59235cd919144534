#pragma once

#include "core/FormMethod.h"

#include <string>
#include <vector>

namespace ombrix {

// One field of the chosen table's key.
struct KeyField {
    std::string name;   // as the catalogue spells it
    std::string prefix; // its type prefix; empty when not known
    bool operator==(const KeyField&) const = default;
};

// What the wizard pages hold and the page generator reads. All text is UTF-8.
struct WizardState {
    std::string databasePath;               // the database box, exactly as typed, chosen or dropped
    std::string password;                   // empty when the database opened without one
    std::string primaryKeyField;            // the chosen table's key field; empty for none
    std::string primaryKeyPrefix;           // the key field's type prefix; empty when not known
    std::vector<KeyField> keyFields;        // every field of the key in the index's order, the
                                            // last being primaryKeyField; the page names them all
                                            // when there are two or more
    std::string objectCaption;              // "Table: NAME" or "Query: NAME"
    std::vector<std::string> summaryFields; // items: name, 100 blanks, TAB, type prefix
    std::string formMethod{core::kFormMethods.front()}; // "Post" or "Get"
};

} // namespace ombrix
