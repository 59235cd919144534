#pragma once

#include "Description.h"
#include "PageSet.h"
#include "TableLayout.h"

namespace mkmdb {

// A row as Jet 4 stores it: column count, fixed area, variable data, the variable-column
// offset table (stored backwards) and the null mask. Long values (memo, OLE) too large to sit in
// the row go to longValues' pages.
QByteArray encodeRow(const TableLayout& layout, const RowValues& values,
                     DataPageWriter& longValues);

} // namespace mkmdb
