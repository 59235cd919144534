#include "generator/GeneratePage.h"

#include "generator/FieldRecords.h"
#include "generator/Names.h"
#include "generator/sections/Sections.h"

namespace ombrix {

namespace {

// Measured sizes of the fixed text and of one field's lines, with room to spare, so that the
// page is built without reallocation.
constexpr std::size_t fixedTextSize = 4096;
constexpr std::size_t textPerField = 1024;

} // namespace

std::string GeneratePage(const WizardState& state) {
    const std::vector<FieldSpec> fields = BuildFieldSpecs(state.summaryFields);
    const sections::PageContext page{fields,
                                     state.databasePath,
                                     state.password,
                                     ObjectName(state.objectCaption),
                                     state.primaryKeyField,
                                     state.formMethod};

    std::string text;
    text.reserve(fixedTextSize + textPerField * fields.size());
    sections::PageWriter out(text);
    sections::WritePrologue(page, out);
    sections::WriteGetData(page, out);
    sections::WriteDisplayForm(page, out);
    sections::WriteValidateData(page, out);
    sections::WritePageStart(out);
    sections::WriteShowConfirm(page, out);
    sections::WriteDeleteIt(page, out);
    sections::WriteDispatch(out);
    sections::WriteClosing(out);
    return text;
}

} // namespace ombrix
