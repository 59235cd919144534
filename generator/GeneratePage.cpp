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

// The key's value is the page variable of the selected field of its name (page names ignore case),
// so that field's type decides how the value is delimited; without it the catalogue's type does.
std::string_view KeyPrefix(const std::vector<FieldSpec>& fields, const WizardState& state) {
    const std::string name = ProperCase(state.primaryKeyField);
    for (const auto& field : fields) {
        if (field.Name == name) {
            return field.Prefix;
        }
    }
    return state.primaryKeyPrefix;
}

} // namespace

std::string GeneratePage(const WizardState& state) {
    const std::vector<FieldSpec> fields = BuildFieldSpecs(state.summaryFields);
    const sections::PageContext page{fields,
                                     state.databasePath,
                                     state.password,
                                     ObjectName(state.objectCaption),
                                     state.primaryKeyField,
                                     KeyPrefix(fields, state),
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
