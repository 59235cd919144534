#pragma once

#include "DatabaseFile.h"

#include <QList>
#include <QString>

namespace ombrix::platform {

// Orders object names as the database's text sort order does, which is the order in which the
// engine enumerates TableDefs and QueryDefs: letters ignore case and accents, punctuation and
// digits come where the sort order puts them; accents, then case, only break ties.
class NameCollation {
public:
    // What the comparison needs of one name, worked out once: sorting a catalogue of thousands
    // of names compares each of them many times.
    struct Key {
        QList<int> primary;
        QString folded;
        QString name;
    };

    explicit NameCollation(SortOrder order) : order_(order) {}
    Key key(const QString& name) const;
    // Negative, zero or positive as a sorts before, equal to or after b.
    static int compare(const Key& a, const Key& b);
    int compare(const QString& a, const QString& b) const { return compare(key(a), key(b)); }
    bool operator()(const QString& a, const QString& b) const { return compare(a, b) < 0; }

private:
    SortOrder order_;
};

} // namespace ombrix::platform
