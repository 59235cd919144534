#include "QueryRows.h"

#include "JsonFields.h"
#include "Mkmdb.h"
#include "reader/SystemTableCodes.h"

#include <array>

namespace mkmdb {
namespace {

using ombrix::reader::MSysQueryAttribute;
using ombrix::reader::MSysQueryOption;

struct QueryKind {
    const char* name;
    std::int32_t objectFlags; // MSysObjects.Flags, also DAO's QueryDef.Type
    std::int16_t kindFlag;    // MSysQueries attribute 1
    bool hasOptionsRow;       // Access writes attribute 3 even when no option is set
};

constexpr std::array kKinds{
    QueryKind{.name = "select", .objectFlags = 0, .kindFlag = 1, .hasOptionsRow = true},
    QueryKind{.name = "crosstab", .objectFlags = 16, .kindFlag = 6, .hasOptionsRow = false},
    QueryKind{.name = "delete", .objectFlags = 32, .kindFlag = 5, .hasOptionsRow = true},
    QueryKind{.name = "update", .objectFlags = 48, .kindFlag = 4, .hasOptionsRow = true},
    QueryKind{.name = "append", .objectFlags = 64, .kindFlag = 3, .hasOptionsRow = false},
    QueryKind{.name = "make-table", .objectFlags = 80, .kindFlag = 2, .hasOptionsRow = true},
    QueryKind{.name = "data-definition", .objectFlags = 96, .kindFlag = 7, .hasOptionsRow = false},
    QueryKind{.name = "pass-through", .objectFlags = 112, .kindFlag = 8, .hasOptionsRow = false},
    QueryKind{.name = "union", .objectFlags = 128, .kindFlag = 9, .hasOptionsRow = true},
};

// MSysObjects.Flags bits Access sets on hidden queries and on the ~sq_ queries behind forms,
// reports and controls.
constexpr std::int32_t kHiddenFlag = 0x08;
constexpr std::int32_t kSystemQueryFlags = 0x03;

// Name2 of the attribute-5 rows that hold the parts of a union query.
const QString kUnionPartPrefix = QStringLiteral("X7YZ_____");

[[noreturn]] void fail(const QString& message) {
    throw DescriptionError(message.toStdString());
}

const QueryKind& kindNamed(const QString& name) {
    for (const QueryKind& kind : kKinds)
        if (name == QLatin1String(kind.name))
            return kind;
    fail(QStringLiteral("unknown query type \"%1\"").arg(name));
}

std::int16_t crosstabRole(const QJsonObject& object) {
    const std::optional<QString> role = json::optionalString(object, QStringLiteral("crosstab"));
    if (!role || *role == QLatin1String("value"))
        return 0;
    if (*role == QLatin1String("column"))
        return 1;
    if (*role == QLatin1String("row"))
        return 2;
    fail(QStringLiteral("\"crosstab\" must be \"row\", \"column\" or \"value\""));
}

// DAO type codes of PARAMETERS declarations.
std::int16_t parameterType(const QString& name) {
    static const std::array<std::pair<const char*, std::int16_t>, 15> codes{{
        {"value", 0},
        {"boolean", 1},
        {"byte", 2},
        {"integer", 3},
        {"long", 4},
        {"currency", 5},
        {"single", 6},
        {"double", 7},
        {"datetime", 8},
        {"binary", 9},
        {"text", 10},
        {"ole", 11},
        {"memo", 12},
        {"guid", 15},
        {"decimal", 20},
    }};
    for (const auto& [typeName, code] : codes)
        if (name == QLatin1String(typeName))
            return code;
    fail(QStringLiteral("unknown parameter type \"%1\"").arg(name));
}

// A list entry that is either a plain expression string or an object with "expression".
QJsonObject expressionEntry(const QJsonArray& list, qsizetype index, const QString& what) {
    if (list.at(index).isString())
        return QJsonObject{{QStringLiteral("expression"), list.at(index)}};
    return json::objectAt(list, index, what);
}

class RowCollector {
public:
    void add(std::uint8_t attribute, std::optional<QString> name1, std::optional<QString> name2,
             std::optional<QString> expression, std::optional<std::int16_t> flag) {
        rows.push_back(
            {attribute, std::move(name1), std::move(name2), std::move(expression), flag});
    }
    std::vector<QueryRow> rows;
};

void addKindAndOptions(RowCollector& out, const QJsonObject& query, const QueryKind& kind) {
    std::optional<QString> name1;
    if (kind.kindFlag == 2 || kind.kindFlag == 3)
        name1 = json::requiredString(query, QStringLiteral("target"));
    if (kind.kindFlag == 8)
        name1 = json::optionalString(query, QStringLiteral("connect"))
                    .value_or(QStringLiteral("ODBC;"));
    std::optional<QString> sql;
    if (kind.kindFlag == 7 || kind.kindFlag == 8)
        sql = json::requiredString(query, QStringLiteral("sql"));
    out.add(MSysQueryAttribute::kKind, name1, std::nullopt, sql, kind.kindFlag);

    const QJsonArray parameters = json::optionalArray(query, QStringLiteral("parameters"));
    for (qsizetype i = 0; i < parameters.size(); ++i) {
        const QJsonObject parameter = json::objectAt(parameters, i, QStringLiteral("parameter"));
        json::allowOnly(parameter, {QStringLiteral("name"), QStringLiteral("type")});
        const QString type = json::optionalString(parameter, QStringLiteral("type"))
                                 .value_or(QStringLiteral("value"));
        out.add(MSysQueryAttribute::kParameter,
                json::requiredString(parameter, QStringLiteral("name")), std::nullopt, std::nullopt,
                parameterType(type));
    }

    std::int16_t options = 0;
    if (json::optionalBool(query, QStringLiteral("allFields")))
        options |= MSysQueryOption::kAllFields;
    if (json::optionalBool(query, QStringLiteral("distinct")))
        options |= MSysQueryOption::kDistinct;
    if (kind.kindFlag == 9 && !json::optionalBool(query, QStringLiteral("unionAll")))
        options |= MSysQueryOption::kDistinct;
    if (json::optionalBool(query, QStringLiteral("ownerAccess")))
        options |= MSysQueryOption::kOwnerAccess;
    if (json::optionalBool(query, QStringLiteral("distinctRow")))
        options |= MSysQueryOption::kDistinctRow;
    const std::optional<int> top = json::optionalInt(query, QStringLiteral("top"), 1, 2147483647);
    if (top)
        options |= MSysQueryOption::kTop;
    if (json::optionalBool(query, QStringLiteral("percent")))
        options |= MSysQueryOption::kPercent;
    if (kind.hasOptionsRow || options != 0)
        out.add(MSysQueryAttribute::kOptions,
                top ? std::optional(QString::number(*top)) : std::nullopt, std::nullopt,
                std::nullopt, options);
}

void addInputs(RowCollector& out, const QJsonObject& query, const QueryKind& kind) {
    const QJsonArray inputs = json::optionalArray(query, QStringLiteral("inputs"));
    for (qsizetype i = 0; i < inputs.size(); ++i) {
        const QJsonObject input = json::objectAt(inputs, i, QStringLiteral("input"));
        json::allowOnly(input, {QStringLiteral("table"), QStringLiteral("query"),
                                QStringLiteral("sql"), QStringLiteral("alias")});
        std::optional<QString> source = json::optionalString(input, QStringLiteral("table"));
        if (!source)
            source = json::optionalString(input, QStringLiteral("query"));
        const std::optional<QString> sql = json::optionalString(input, QStringLiteral("sql"));
        const std::optional<QString> alias = json::optionalString(input, QStringLiteral("alias"));
        if (source.has_value() == sql.has_value())
            fail(
                QStringLiteral("input %1 needs one of \"table\", \"query\" or \"sql\"").arg(i + 1));
        if (sql && !alias)
            fail(QStringLiteral("input %1 is a derived table and needs an \"alias\"").arg(i + 1));
        out.add(MSysQueryAttribute::kInput, source, alias, sql, std::nullopt);
    }
    if (kind.kindFlag != 9)
        return;
    const QJsonArray parts = json::optionalArray(query, QStringLiteral("parts"));
    if (parts.size() < 2)
        fail(QStringLiteral("a union query needs at least two \"parts\" (SELECT statements)"));
    for (qsizetype i = 0; i < parts.size(); ++i) {
        if (!parts.at(i).isString())
            fail(QStringLiteral("union part %1 must be a string").arg(i + 1));
        out.add(MSysQueryAttribute::kInput, std::nullopt, kUnionPartPrefix + QString::number(i + 1),
                parts.at(i).toString(), std::nullopt);
    }
}

void addOutputs(RowCollector& out, const QJsonObject& query) {
    const QJsonArray outputs = json::optionalArray(query, QStringLiteral("outputs"));
    for (qsizetype i = 0; i < outputs.size(); ++i) {
        const QJsonObject output = expressionEntry(outputs, i, QStringLiteral("output"));
        json::allowOnly(output, {QStringLiteral("expression"), QStringLiteral("alias"),
                                 QStringLiteral("target"), QStringLiteral("crosstab")});
        out.add(MSysQueryAttribute::kOutput, json::optionalString(output, QStringLiteral("alias")),
                json::optionalString(output, QStringLiteral("target")),
                json::requiredString(output, QStringLiteral("expression")), crosstabRole(output));
    }
}

void addJoins(RowCollector& out, const QJsonObject& query) {
    const QJsonArray joins = json::optionalArray(query, QStringLiteral("joins"));
    for (qsizetype i = 0; i < joins.size(); ++i) {
        const QJsonObject join = json::objectAt(joins, i, QStringLiteral("join"));
        json::allowOnly(join, {QStringLiteral("left"), QStringLiteral("right"),
                               QStringLiteral("on"), QStringLiteral("type")});
        const QString type =
            json::optionalString(join, QStringLiteral("type")).value_or(QStringLiteral("inner"));
        std::int16_t flag = 1;
        if (type == QLatin1String("left"))
            flag = 2;
        else if (type == QLatin1String("right"))
            flag = 3;
        else if (type != QLatin1String("inner"))
            fail(QStringLiteral("join %1: \"type\" must be \"inner\", \"left\" or \"right\"")
                     .arg(i + 1));
        out.add(MSysQueryAttribute::kJoin, json::requiredString(join, QStringLiteral("left")),
                json::requiredString(join, QStringLiteral("right")),
                json::requiredString(join, QStringLiteral("on")), flag);
    }
}

void addClauses(RowCollector& out, const QJsonObject& query) {
    if (const auto where = json::optionalString(query, QStringLiteral("where")))
        out.add(MSysQueryAttribute::kWhere, std::nullopt, std::nullopt, where, std::nullopt);
    const QJsonArray groupBy = json::optionalArray(query, QStringLiteral("groupBy"));
    for (qsizetype i = 0; i < groupBy.size(); ++i) {
        const QJsonObject group = expressionEntry(groupBy, i, QStringLiteral("groupBy entry"));
        json::allowOnly(group, {QStringLiteral("expression"), QStringLiteral("crosstab")});
        out.add(MSysQueryAttribute::kGroupBy, std::nullopt, std::nullopt,
                json::requiredString(group, QStringLiteral("expression")), crosstabRole(group));
    }
    if (const auto having = json::optionalString(query, QStringLiteral("having")))
        out.add(MSysQueryAttribute::kHaving, std::nullopt, std::nullopt, having, std::nullopt);
    const QJsonArray orderBy = json::optionalArray(query, QStringLiteral("orderBy"));
    for (qsizetype i = 0; i < orderBy.size(); ++i) {
        const QJsonObject order = expressionEntry(orderBy, i, QStringLiteral("orderBy entry"));
        json::allowOnly(order, {QStringLiteral("expression"), QStringLiteral("descending")});
        const bool descending = json::optionalBool(order, QStringLiteral("descending"));
        out.add(MSysQueryAttribute::kOrderBy,
                descending ? std::optional(QStringLiteral("D")) : std::nullopt, std::nullopt,
                json::requiredString(order, QStringLiteral("expression")), std::nullopt);
    }
}

} // namespace

QueryDescription parseQuery(const QJsonObject& query) {
    json::allowOnly(
        query,
        {QStringLiteral("name"),     QStringLiteral("type"),        QStringLiteral("hidden"),
         QStringLiteral("inputs"),   QStringLiteral("outputs"),     QStringLiteral("joins"),
         QStringLiteral("where"),    QStringLiteral("groupBy"),     QStringLiteral("having"),
         QStringLiteral("orderBy"),  QStringLiteral("parameters"),  QStringLiteral("allFields"),
         QStringLiteral("distinct"), QStringLiteral("distinctRow"), QStringLiteral("ownerAccess"),
         QStringLiteral("top"),      QStringLiteral("percent"),     QStringLiteral("target"),
         QStringLiteral("connect"),  QStringLiteral("sql"),         QStringLiteral("parts"),
         QStringLiteral("unionAll")});
    QueryDescription result;
    result.name = json::requiredString(query, QStringLiteral("name"));
    const QueryKind& kind = kindNamed(json::requiredString(query, QStringLiteral("type")));
    result.objectFlags = kind.objectFlags;
    if (json::optionalBool(query, QStringLiteral("hidden")))
        result.objectFlags |= kHiddenFlag;
    if (result.name.startsWith(QLatin1String("~sq_")))
        result.objectFlags |= kSystemQueryFlags;

    RowCollector rows;
    addKindAndOptions(rows, query, kind);
    addInputs(rows, query, kind);
    addOutputs(rows, query);
    addJoins(rows, query);
    addClauses(rows, query);
    result.rows = std::move(rows.rows);
    return result;
}

} // namespace mkmdb
