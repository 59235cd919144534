#pragma once

#include "platform/Catalogue.h"

#include <QStringList>
#include <ostream>

namespace ombrix::cli {

// The items of the wizard's object list, in the order page 2 shows them: tables not beginning
// with "MSy", then select queries beginning with neither "MSy" nor "~sq_" (both with case).
QStringList WizardObjectItems(const platform::DatabaseObjects& objects);

// Every TableDef as "Table: NAME" and every QueryDef as "Query: NAME<TAB>TYPE", unfiltered.
QStringList AllObjectItems(const platform::DatabaseObjects& objects);

// The key field as the wizard finds it: the last field of the index named exactly "PrimaryKey";
// empty when there is none.
QString WizardPrimaryKeyField(const platform::ObjectDefinition& definition);

// The objects and describe commands over a given catalogue (tests pass their own).
int RunObjectsWith(platform::Catalogue& catalogue, const QStringList& args, std::ostream& out,
                   std::ostream& err);
int RunDescribeWith(platform::Catalogue& catalogue, const QStringList& args, std::ostream& out,
                    std::ostream& err);

} // namespace ombrix::cli
