#pragma once

#include "Description.h"
#include "PageSet.h"
#include "TableLayout.h"

#include <map>

namespace mkmdb {

// A table's long-value pages, kept per column as Access does: each memo or OLE column has usage
// maps of its own in the TDEF.
class LongValuePages {
public:
    explicit LongValuePages(PageSet& pages) : pages_(pages) {}
    DataPageWriter& forColumn(std::uint8_t number);
    std::vector<std::uint32_t> pagesOf(std::uint8_t number) const;

private:
    PageSet& pages_;
    std::map<std::uint8_t, DataPageWriter> writers_;
};

// A row as Jet 4 stores it: column count, fixed area, variable data, the variable-column
// offset table (stored backwards) and the null mask. Long values (memo, OLE) too large to sit in
// the row go to the column's long-value pages.
QByteArray encodeRow(const TableLayout& layout, const RowValues& values,
                     LongValuePages& longValues);

} // namespace mkmdb
