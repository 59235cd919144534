#pragma once

#include "core/WizardState.h"
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
    // The fields that find the record, in key order: raw names, each with the prefix that
    // delimits its value; empty for none.
    const std::vector<KeyField>& key;
    std::string_view method;
};

// The nine sections of the page, in the order GeneratePage writes them.
void writePrologue(const PageContext& page, PageWriter& out);
void writeGetData(const PageContext& page, PageWriter& out);
void writeDisplayForm(const PageContext& page, PageWriter& out);
void writeValidateData(const PageContext& page, PageWriter& out);
void writePageStart(PageWriter& out);
void writeShowConfirm(const PageContext& page, PageWriter& out);
void writeDeleteIt(const PageContext& page, PageWriter& out);
void writeDispatch(PageWriter& out);
void writeClosing(PageWriter& out);

} // namespace ombrix::sections
