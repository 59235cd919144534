#include "QueryFields.h"

#include "DaoTypes.h"
#include "QueryExpression.h"

#include <QHash>
#include <QSet>
#include <algorithm>

namespace ombrix::platform {

namespace {

// MSysQueries attribute codes.
constexpr int kParameter = 2;
constexpr int kOptions = 3;
constexpr int kExternalDatabase = 4;
constexpr int kInput = 5;
constexpr int kOutput = 6;

constexpr int kOutputAllFields = 0x01;
constexpr int kSelectQuery = 0;
constexpr int kCrosstabQuery = 16;
constexpr int kRowHeading = 2;
constexpr int kColumnHeading = 1;
constexpr int kCrosstabValue = 0;
constexpr int kMaxNesting = 64;

QString folded(const QString& name) {
    return name.toCaseFolded();
}

EngineError missingInput(const QString& name) {
    return {3078, QStringLiteral("The database engine cannot find the input table or query "
                                 "'%1'. Make sure it exists and that its name is spelled "
                                 "correctly.")
                      .arg(name)};
}

EngineError unsupported(const QString& query, const QString& why) {
    return {3251, QStringLiteral("Operation is not supported for this type of object. The "
                                 "fields of query '%1' cannot be known without running it: %2.")
                      .arg(query, why)};
}

struct Input {
    QString key; // the alias, or the source's name
    QList<FieldDef> fields;
};

// One column of the result before names are made unique.
struct Output {
    QString name;
    int type = dbText;
    int position = 0; // in the stored select list; numbers the ExprNNNN names
    bool plainReference = false;
    bool aliased = false;
    QString inputKey;
};

QString exprName(int position) {
    return QStringLiteral("Expr%1").arg(1000 + position);
}

class Resolver {
public:
    Resolver(const QList<Input>& inputs, const QHash<QString, int>& parameters)
        : inputs_(inputs), parameters_(parameters) {}

    // The input and field a reference names; nothing when it names none (then the engine
    // takes it for a parameter). Throws 3079 for an unqualified name found in two inputs.
    std::optional<std::pair<const Input*, FieldDef>>
    resolve(const ColumnReference& reference) const {
        std::optional<std::pair<const Input*, FieldDef>> found;
        for (const Input& input : inputs_) {
            if (!reference.qualifier.isEmpty() &&
                folded(input.key) != folded(reference.qualifier)) {
                continue;
            }
            for (const FieldDef& field : input.fields) {
                if (folded(field.name) == folded(reference.field)) {
                    if (found) {
                        throw EngineError(3079,
                                          QStringLiteral("The specified field '%1' could refer to "
                                                         "more than one table listed in the FROM "
                                                         "clause of your SQL statement.")
                                              .arg(reference.field));
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
        if (reference.qualifier.isEmpty()) {
            if (const auto it = parameters_.find(folded(reference.field));
                it != parameters_.end()) {
                return *it;
            }
        }
        return std::nullopt;
    }

    const QList<Input>& inputs() const { return inputs_; }

private:
    const QList<Input>& inputs_;
    const QHash<QString, int>& parameters_;
};

class Deriver {
public:
    explicit Deriver(QueryInputs& inputs) : inputs_(inputs) {}

    QList<FieldDef> fieldsOf(const SavedQuery& query) {
        const QString key = folded(query.name);
        if (active_.contains(key)) {
            throw EngineError(3103,
                              QStringLiteral("Circular reference caused by '%1'.").arg(query.name));
        }
        if (active_.size() >= kMaxNesting) {
            throw EngineError(3360, QStringLiteral("Query is too complex."));
        }
        active_.append(key);
        QList<FieldDef> fields = derive(query);
        active_.removeLast();
        return fields;
    }

private:
    QList<FieldDef> sourceFields(const QString& name) {
        if (auto fields = inputs_.tableFields(name)) {
            return *fields;
        }
        if (const auto query = inputs_.query(name)) {
            return fieldsOf(*query);
        }
        throw missingInput(name);
    }

    QList<FieldDef> derive(const SavedQuery& query) {
        QList<QueryRow> rows = query.rows;
        std::stable_sort(rows.begin(), rows.end(), [](const QueryRow& a, const QueryRow& b) {
            return a.attribute != b.attribute ? a.attribute < b.attribute : a.order < b.order;
        });
        if (query.type != kSelectQuery && query.type != kCrosstabQuery) {
            throw unsupported(query.name, QStringLiteral("it is not a select or crosstab query"));
        }
        QList<Input> inputs;
        QHash<QString, int> parameters;
        bool allFields = false;
        for (const QueryRow& row : rows) {
            switch (row.attribute) {
            case kParameter:
                parameters.insert(folded(row.name1), row.flag == 0 ? dbText : row.flag);
                break;
            case kOptions:
                allFields = (row.flag & kOutputAllFields) != 0;
                break;
            case kExternalDatabase:
                throw unsupported(query.name, QStringLiteral("its inputs are in another database"));
            case kInput:
                if (row.name1.isEmpty()) {
                    throw unsupported(query.name, QStringLiteral("an input is a subquery"));
                }
                inputs.append(
                    {row.name2.isEmpty() ? row.name1 : row.name2, sourceFields(row.name1)});
                break;
            default:
                break;
            }
        }
        Resolver resolver(inputs, parameters);
        QList<Output> outputs;
        int position = 0;
        for (const QueryRow& row : rows) {
            if (row.attribute != kOutput) {
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

    static void addAll(QList<Output>& outputs, const Input& input, int position) {
        for (const FieldDef& field : input.fields) {
            outputs.append({field.name, field.type, position, true, false, input.key});
        }
    }

    void addOutput(QList<Output>& outputs, const QueryRow& row, int position,
                   const Resolver& resolver) {
        const QString& alias = row.name1;
        if (const auto reference = parseColumnReference(row.expression)) {
            if (reference->allFields()) {
                bool matched = false;
                for (const Input& input : resolver.inputs()) {
                    if (reference->qualifier.isEmpty() ||
                        folded(input.key) == folded(reference->qualifier)) {
                        addAll(outputs, input, position);
                        matched = true;
                    }
                }
                if (!matched) {
                    throw missingInput(reference->qualifier);
                }
                return;
            }
            if (const auto found = resolver.resolve(*reference)) {
                const auto& [input, field] = *found;
                outputs.append({alias.isEmpty() ? field.name : alias, field.type, position,
                                alias.isEmpty(), !alias.isEmpty(), input->key});
                return;
            }
        }
        const int type = expressionType(row.expression, [&](const ColumnReference& reference) {
            return resolver.typeOf(reference);
        });
        outputs.append({alias.isEmpty() ? exprName(position) : alias,
                        type,
                        position,
                        false,
                        !alias.isEmpty(),
                        {}});
    }

    void addPivotColumns(QList<Output>& outputs, const QString& queryName,
                         const QList<QueryRow>& rows, int position, const Resolver& resolver) {
        std::optional<QStringList> values;
        int valueType = dbText;
        for (const QueryRow& row : rows) {
            if (row.attribute != kOutput) {
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
            throw unsupported(queryName, QStringLiteral("its column headings are not listed"));
        }
        for (const QString& value : *values) {
            outputs.append({value, valueType, position, false, true, {}});
        }
    }

    // Same-named plain references from different inputs are qualified with their input; names
    // that still clash keep the last one and number the others as expressions.
    static QList<FieldDef> uniqueNames(QList<Output>& outputs) {
        QHash<QString, QList<qsizetype>> byName;
        for (qsizetype i = 0; i < outputs.size(); ++i) {
            byName[folded(outputs[i].name)].append(i);
        }
        for (const auto& indexes : std::as_const(byName)) {
            if (indexes.size() < 2) {
                continue;
            }
            QSet<QString> sources;
            for (const qsizetype i : indexes) {
                if (outputs[i].plainReference) {
                    sources.insert(folded(outputs[i].inputKey));
                }
            }
            if (sources.size() < 2) {
                continue;
            }
            for (const qsizetype i : indexes) {
                if (outputs[i].plainReference) {
                    outputs[i].name = outputs[i].inputKey + u'.' + outputs[i].name;
                }
            }
        }
        QHash<QString, qsizetype> last;
        for (qsizetype i = 0; i < outputs.size(); ++i) {
            last.insert(folded(outputs[i].name), i);
        }
        QList<FieldDef> fields;
        for (qsizetype i = 0; i < outputs.size(); ++i) {
            const bool kept = last.value(folded(outputs[i].name)) == i;
            fields.append(
                {kept ? outputs[i].name : exprName(outputs[i].position), outputs[i].type});
        }
        return fields;
    }

    QueryInputs& inputs_;
    QStringList active_;
};

} // namespace

QList<FieldDef> deriveQueryFields(const SavedQuery& query, QueryInputs& inputs) {
    return Deriver(inputs).fieldsOf(query);
}

} // namespace ombrix::platform
