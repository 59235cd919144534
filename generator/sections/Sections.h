#pragma once

#include "generator/FieldRecords.h"
#include "generator/sections/PageWriter.h"

#include <string_view>
#include <vector>

namespace ombrix::sections {

// What the section writers read, taken from the wizard state once per page.
struct PageContext {
    const std::vector<FieldSpec>& fields;
    std::string_view databasePath;
    std::string_view password;
    std::string_view objectName;
    std::string_view key;       // the raw key field name; empty for none
    std::string_view keyPrefix; // the key's type prefix; empty when not known
    std::string_view method;
};

// The nine sections of the page, in the order GeneratePage writes them.
void WritePrologue(const PageContext& page, PageWriter& out);
void WriteGetData(const PageContext& page, PageWriter& out);
void WriteDisplayForm(const PageContext& page, PageWriter& out);
void WriteValidateData(const PageContext& page, PageWriter& out);
void WritePageStart(PageWriter& out);
void WriteShowConfirm(const PageContext& page, PageWriter& out);
void WriteDeleteIt(const PageContext& page, PageWriter& out);
void WriteDispatch(PageWriter& out);
void WriteClosing(PageWriter& out);

} // namespace ombrix::sections
