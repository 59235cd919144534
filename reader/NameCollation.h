#pragma once

#include "reader/DatabaseFile.h"

#include <string>

namespace ombrix::reader {

// Orders object names as the database's text sort order does, which is the order in which the
// engine enumerates TableDefs and QueryDefs: letters ignore case and accents, punctuation and
// digits come where the sort order puts them; accents, then case, only break ties. The engine
// works on UTF-16 code units, and so do the keys.
class NameCollation {
public:
    // What the comparison needs of one name, worked out once: sorting a catalogue of thousands
    // of names compares each of them many times.
    struct Key {
        std::string primary; // see primaryWeights
        std::u16string folded;
        std::u16string name;
    };

    explicit NameCollation(SortOrder order) : order_(order) {}
    Key key(const std::string& name) const;
    // Negative, zero or positive as a sorts before, equal to or after b.
    static int compare(const Key& a, const Key& b);

private:
    SortOrder order_;
};

} // namespace ombrix::reader
