#include "reader/QueryFields.h"

#include "core/EngineErrors.h"
#include "reader/DaoTypes.h"
#include "reader/QueryExpression.h"
#include "reader/SystemTableCodes.h"
#include "reader/Text.h"

#include <algorithm>
#include <set>
#include <unordered_map>

namespace ombrix::reader {

namespace {

constexpr int kRowHeading = 2;
constexpr int kColumnHeading = 1;
constexpr int kCrosstabValue = 0;
constexpr int kMaxNesting = 64;

using core::FieldDef;
using core::kCrosstabQuery;
using core::kSelectQuery;
using core::kUnionQuery;

std::string folded(const std::string& name) {
    return caseFolded(name);
}

struct Input {
    std::string key; // the alias, or the source's name
    std::vector<FieldDef> fields;
};

// One column of the result before names are made unique.
struct Output {
    std::string name;
    int type = dbText;
    bool autoNumber = false; // a plain reference to a column the engine fills in
    int position = 0;        // in the stored select list; numbers the ExprNNNN names
    bool plainReference = false;
    bool aliased = false;
    std::string inputKey;
};

std::string exprName(int position) {
    return "Expr" + std::to_string(1000 + position);
}

class Resolver {
public:
    Resolver(const std::vector<Input>& inputs,
             const std::unordered_map<std::string, int>& parameters)
        : inputs_(inputs), parameters_(parameters) {}

    // The input and field a reference names; nothing when it names none (then the engine
    // takes it for a parameter). Throws 3079 for an unqualified name found in two inputs.
    std::optional<std::pair<const Input*, FieldDef>>
    resolve(const ColumnReference& reference) const {
        std::optional<std::pair<const Input*, FieldDef>> found;
        const std::string qualifier = folded(reference.qualifier);
        const std::string fieldName = folded(reference.field);
        for (const Input& input : inputs_) {
            if (!reference.qualifier.empty() && folded(input.key) != qualifier) {
                continue;
            }
            for (const FieldDef& field : input.fields) {
                if (folded(field.name) == fieldName) {
                    if (found) {
                        throw core::ambiguousField(reference.field);
                    }
                    found = std::pair{&input, field};
                    break;
                }
            }
        }
        return found;
    }

    std::optional<int> typeOf(const ColumnReference& reference) const {
        if (const auto found = resolve(reference)) {
            return found->second.type;
        }
        if (reference.qualifier.empty()) {
            if (const auto it = parameters_.find(folded(reference.field));
                it != parameters_.end()) {
                return it->second;
            }
        }
        return std::nullopt;
    }

    const std::vector<Input>& inputs() const { return inputs_; }

private:
    const std::vector<Input>& inputs_;
    const std::unordered_map<std::string, int>& parameters_;
};

class Deriver {
public:
    explicit Deriver(QueryInputs& inputs) : inputs_(inputs) {}

    std::vector<FieldDef> fieldsOf(const SavedQuery& query) {
        std::string key = folded(query.name);
        if (std::ranges::find(active_, key) != active_.end()) {
            throw core::circularReference(query.name);
        }
        if (active_.size() >= kMaxNesting) {
            throw core::queryTooComplex();
        }
        active_.push_back(std::move(key));
        std::vector<FieldDef> fields = derive(query);
        active_.pop_back();
        return fields;
    }

private:
    std::vector<FieldDef> sourceFields(const std::string& name) {
        if (auto fields = inputs_.tableFields(name)) {
            return *fields;
        }
        if (const auto query = inputs_.query(name)) {
            return fieldsOf(*query);
        }
        throw core::missingInput(name);
    }

    std::vector<FieldDef> derive(const SavedQuery& query) {
        std::vector<QueryRow> rows = query.rows;
        std::stable_sort(rows.begin(), rows.end(), [](const QueryRow& a, const QueryRow& b) {
            return a.attribute != b.attribute ? a.attribute < b.attribute : a.order < b.order;
        });
        if (query.type != kSelectQuery && query.type != kCrosstabQuery) {
            throw core::notSupported(query.name, "it is not a select or crosstab query");
        }
        std::vector<Input> inputs;
        std::unordered_map<std::string, int> parameters;
        bool allFields = false;
        for (const QueryRow& row : rows) {
            switch (row.attribute) {
            case MSysQueryAttribute::kParameter:
                parameters.insert_or_assign(folded(row.name1), row.flag == 0 ? dbText : row.flag);
                break;
            case MSysQueryAttribute::kOptions:
                allFields = (row.flag & MSysQueryOption::kAllFields) != 0;
                break;
            case MSysQueryAttribute::kExternalDatabase:
                throw core::notSupported(query.name, "its inputs are in another database");
            case MSysQueryAttribute::kInput:
                if (row.name1.empty()) {
                    throw core::notSupported(query.name, "an input is a subquery");
                }
                inputs.push_back(
                    {row.name2.empty() ? row.name1 : row.name2, sourceFields(row.name1)});
                break;
            default:
                break;
            }
        }
        Resolver resolver(inputs, parameters);
        std::vector<Output> outputs;
        int position = 0;
        for (const QueryRow& row : rows) {
            if (row.attribute != MSysQueryAttribute::kOutput) {
                continue;
            }
            if (query.type == kCrosstabQuery && row.flag != kRowHeading) {
                continue;
            }
            addOutput(outputs, row, position++, resolver);
        }
        if (allFields) {
            for (const Input& input : inputs) {
                addAll(outputs, input, position);
            }
        }
        if (query.type == kCrosstabQuery) {
            addPivotColumns(outputs, query.name, rows, position, resolver);
        }
        return uniqueNames(outputs);
    }

    static void addAll(std::vector<Output>& outputs, const Input& input, int position) {
        for (const FieldDef& field : input.fields) {
            outputs.push_back({.name = field.name,
                               .type = field.type,
                               .autoNumber = field.autoNumber,
                               .position = position,
                               .plainReference = true,
                               .aliased = false,
                               .inputKey = input.key});
        }
    }

    void addOutput(std::vector<Output>& outputs, const QueryRow& row, int position,
                   const Resolver& resolver) {
        const std::string& alias = row.name1;
        if (const auto reference = parseColumnReference(row.expression)) {
            if (reference->allFields()) {
                bool matched = false;
                for (const Input& input : resolver.inputs()) {
                    if (reference->qualifier.empty() ||
                        folded(input.key) == folded(reference->qualifier)) {
                        addAll(outputs, input, position);
                        matched = true;
                    }
                }
                if (!matched) {
                    throw core::missingInput(reference->qualifier);
                }
                return;
            }
            if (const auto found = resolver.resolve(*reference)) {
                const auto& [input, field] = *found;
                outputs.push_back({.name = alias.empty() ? field.name : alias,
                                   .type = field.type,
                                   .autoNumber = field.autoNumber,
                                   .position = position,
                                   .plainReference = alias.empty(),
                                   .aliased = !alias.empty(),
                                   .inputKey = input->key});
                return;
            }
        }
        const int type = expressionType(row.expression, [&](const ColumnReference& reference) {
            return resolver.typeOf(reference);
        });
        outputs.push_back({.name = alias.empty() ? exprName(position) : alias,
                           .type = type,
                           .position = position,
                           .plainReference = false,
                           .aliased = !alias.empty(),
                           .inputKey = {}});
    }

    void addPivotColumns(std::vector<Output>& outputs, const std::string& queryName,
                         const std::vector<QueryRow>& rows, int position,
                         const Resolver& resolver) {
        std::optional<std::vector<std::string>> values;
        int valueType = dbText;
        for (const QueryRow& row : rows) {
            if (row.attribute != MSysQueryAttribute::kOutput) {
                continue;
            }
            if (row.flag == kColumnHeading) {
                values = pivotValues(row.expression);
            } else if (row.flag == kCrosstabValue) {
                valueType = expressionType(row.expression, [&](const ColumnReference& reference) {
                    return resolver.typeOf(reference);
                });
            }
        }
        if (!values) {
            throw core::notSupported(queryName, "its column headings are not listed");
        }
        for (const std::string& value : *values) {
            outputs.push_back({.name = value,
                               .type = valueType,
                               .position = position,
                               .plainReference = false,
                               .aliased = true,
                               .inputKey = {}});
        }
    }

    // Same-named plain references from different inputs are qualified with their input; names
    // that still clash keep the last one and number the others as expressions.
    static std::vector<FieldDef> uniqueNames(std::vector<Output>& outputs) {
        std::unordered_map<std::string, std::vector<std::size_t>> byName;
        for (std::size_t i = 0; i < outputs.size(); ++i) {
            byName[folded(outputs[i].name)].push_back(i);
        }
        for (const auto& [name, indexes] : byName) {
            if (indexes.size() < 2) {
                continue;
            }
            std::set<std::string> sources;
            for (const std::size_t i : indexes) {
                if (outputs[i].plainReference) {
                    sources.insert(folded(outputs[i].inputKey));
                }
            }
            if (sources.size() < 2) {
                continue;
            }
            for (const std::size_t i : indexes) {
                if (outputs[i].plainReference) {
                    outputs[i].name = outputs[i].inputKey + '.' + outputs[i].name;
                }
            }
        }
        std::unordered_map<std::string, std::size_t> last;
        for (std::size_t i = 0; i < outputs.size(); ++i) {
            last.insert_or_assign(folded(outputs[i].name), i);
        }
        std::vector<FieldDef> fields;
        for (std::size_t i = 0; i < outputs.size(); ++i) {
            const bool kept = last.at(folded(outputs[i].name)) == i;
            fields.push_back({.name = kept ? outputs[i].name : exprName(outputs[i].position),
                              .type = outputs[i].type,
                              .autoNumber = outputs[i].autoNumber});
        }
        return fields;
    }

    QueryInputs& inputs_;
    std::vector<std::string> active_;
};

} // namespace

core::QueryShape
queryShape(const SavedQuery& query,
           const std::function<std::optional<std::string>(const std::string&)>& savedQueryNamed) {
    core::QueryShape shape{.name = query.name, .type = query.type, .inputQueries = {}};
    for (const QueryRow& row : query.rows) {
        switch (row.attribute) {
        case MSysQueryAttribute::kOptions:
            // A union's flag tells UNION from UNION ALL instead.
            shape.distinct =
                query.type != kUnionQuery && (row.flag & MSysQueryOption::kDistinct) != 0;
            break;
        case MSysQueryAttribute::kInput:
            if (auto input = row.name1.empty() ? std::nullopt : savedQueryNamed(row.name1)) {
                shape.inputQueries.push_back(std::move(*input));
            }
            break;
        case MSysQueryAttribute::kOutput:
            shape.totals = shape.totals || callsAggregate(row.expression);
            break;
        case MSysQueryAttribute::kGroupBy:
        case MSysQueryAttribute::kHaving:
            shape.totals = true;
            break;
        default:
            break;
        }
    }
    return shape;
}

std::vector<FieldDef> deriveQueryFields(const SavedQuery& query, QueryInputs& inputs) {
    return Deriver(inputs).fieldsOf(query);
}

} // namespace ombrix::reader
