#include "generator/GeneratePage.h"

#include "generator/FieldRecords.h"
#include "generator/Names.h"
#include "generator/sections/Sections.h"

namespace ombrix {

namespace {

// Measured sizes of the fixed text and of one field's lines, with room to spare, so that the
// page is built without reallocation.
constexpr std::size_t kFixedTextSize = 4096;
constexpr std::size_t kTextPerField = 1024;

// The key's value is the page variable of the selected field of its name (page names ignore case),
// so that field's type decides how the value is delimited; without it the catalogue's type does.
std::string_view keyPrefix(const std::vector<FieldSpec>& fields, const WizardState& state) {
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
    const std::vector<FieldSpec> fields = buildFieldSpecs(state.summaryFields);
    const sections::PageContext page{fields,
                                     state.databasePath,
                                     state.password,
                                     objectName(state.objectCaption),
                                     state.primaryKeyField,
                                     keyPrefix(fields, state),
                                     state.formMethod};

    std::string text;
    text.reserve(kFixedTextSize + kTextPerField * fields.size());
    sections::PageWriter out(text);
    sections::writePrologue(page, out);
    sections::writeGetData(page, out);
    sections::writeDisplayForm(page, out);
    sections::writeValidateData(page, out);
    sections::writePageStart(out);
    sections::writeShowConfirm(page, out);
    sections::writeDeleteIt(page, out);
    sections::writeDispatch(out);
    sections::writeClosing(out);
    return text;
}

} // namespace ombrix
