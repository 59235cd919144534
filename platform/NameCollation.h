#pragma once

#include "DatabaseFile.h"

#include <QString>

namespace ombrix::platform {

// Orders object names as the database's text sort order does, which is the order in which the
// engine enumerates TableDefs and QueryDefs: letters ignore case and accents, punctuation and
// digits come where the sort order puts them; accents, then case, only break ties.
class NameCollation {
public:
    explicit NameCollation(SortOrder order) : order_(order) {}
    // Negative, zero or positive as a sorts before, equal to or after b.
    int compare(const QString& a, const QString& b) const;
    bool operator()(const QString& a, const QString& b) const { return compare(a, b) < 0; }

private:
    SortOrder order_;
};

} // namespace ombrix::platform
