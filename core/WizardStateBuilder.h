#pragma once

#include "core/Catalogue.h"
#include "core/FormMethod.h"
#include "core/WizardState.h"

#include <string>
#include <vector>

// The one way to the generator's WizardState, for the wizard's last page and for ombrix-cli alike.
namespace ombrix::core {

// The chosen object's key as the wizard finds it: each of primaryKeyFields with its type prefix for
// the page's SQL (empty for a field the object lacks). Empty for a query or a table without a key.
std::vector<KeyField> objectKey(ObjectKind kind, const ObjectDefinition& definition);

// The field list items ("name + 100 blanks + TAB + prefix") of the fields named, in the order
// given; of every field, in the object's order, when none is named. A name that the object does
// not have throws itemNotFound (3265), naming the object.
std::vector<std::string> fieldItems(const ObjectDefinition& definition,
                                    const std::vector<std::string>& names = {},
                                    const std::string& object = {});

// What the user has chosen by the last page, in the wizard, on the command line or in a saved
// state.
struct PageChoices {
    std::string database;                     // the path's bytes, as typed, chosen or dropped
    std::string password;                     // empty when the database opened without one
    std::string object;                       // "Table: NAME" or "Query: NAME"
    std::vector<std::string> fieldItems;      // in the order chosen
    std::string method{kFormMethods.front()}; // "Post" or "Get"
};

// The state for those choices and the object's key; its primaryKeyField is the key's last field.
// The path reads in the page as pathInPage() says; everything else goes in as it is.
WizardState wizardState(PageChoices choices, std::vector<KeyField> key);

} // namespace ombrix::core
