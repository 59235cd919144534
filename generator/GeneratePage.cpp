#include "generator/GeneratePage.h"

#include "core/CatalogueItems.h"
#include "generator/FieldRecords.h"
#include "generator/Names.h"
#include "generator/sections/Sections.h"

namespace ombrix {

namespace {

// Measured sizes of the fixed text and of one field's lines, with room to spare, so that the
// page is built without reallocation.
constexpr std::size_t kFixedTextSize = 4096;
constexpr std::size_t kTextPerField = 1024;

// A key field's value is the page variable of the selected field of its name (page names ignore
// case), so that field's type decides how the value is delimited; without it the catalogue's type
// does.
std::string keyPrefix(const std::vector<FieldSpec>& fields, const KeyField& key) {
    const std::string name = ProperCase(key.name);
    for (const auto& field : fields) {
        if (field.Name == name) {
            return field.Prefix;
        }
    }
    return key.prefix;
}

// The fields that find the record: every field of a key of several, else the key field alone.
std::vector<KeyField> recordKey(const std::vector<FieldSpec>& fields, const WizardState& state) {
    std::vector<KeyField> key = state.keyFields;
    if (key.size() < 2) {
        key.clear();
        if (!state.primaryKeyField.empty()) {
            key.push_back({.name = state.primaryKeyField, .prefix = state.primaryKeyPrefix});
        }
    }
    for (KeyField& field : key) {
        field.prefix = keyPrefix(fields, field);
    }
    return key;
}

} // namespace

std::string GeneratePage(const WizardState& state) {
    const std::vector<FieldSpec> fields = buildFieldSpecs(state.summaryFields);
    const std::vector<KeyField> key = recordKey(fields, state);
    const core::ObjectName object = core::splitObjectItem(state.objectCaption);
    const sections::PageContext page{.fields = fields,
                                     .databasePath = state.databasePath,
                                     .password = state.password,
                                     .objectName = object.name,
                                     .key = key,
                                     .method = state.formMethod};

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
