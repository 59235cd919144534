// The interpretation of saved query definitions: column references, expression types, crosstab
// headings and the derivation of a query's fields from its MSysQueries rows. The input is text,
// one item a line, so that seeds can be written from real definitions:
//   table NAME                     a table; the "field" lines that follow are its fields
//   field TYPE NAME                a field of the last table, TYPE a DAO type code
//   query TYPE NAME                a saved query; the first one is the one derived
//   ATTRIBUTE|FLAG|NAME1|NAME2|EXPRESSION   an MSysQueries row of the last query
#include "platform/DaoTypes.h"
#include "platform/QueryExpression.h"
#include "platform/QueryFields.h"

#include <QHash>
#include <cstddef>
#include <cstdint>

using namespace ombrix::platform;

namespace {

class FuzzInputs final : public QueryInputs {
public:
    std::optional<QList<FieldDef>> tableFields(const QString& name) override {
        const auto found = tables.constFind(name.toCaseFolded());
        return found == tables.constEnd() ? std::nullopt : std::optional(*found);
    }
    std::optional<SavedQuery> query(const QString& name) override {
        const auto found = queries.constFind(name.toCaseFolded());
        return found == queries.constEnd() ? std::nullopt : std::optional(*found);
    }

    QHash<QString, QList<FieldDef>> tables;
    QHash<QString, SavedQuery> queries;
};

// "WORD NUMBER REST": the number and the rest, when the line has that shape.
std::optional<std::pair<int, QString>> numberAndName(const QString& line) {
    const qsizetype first = line.indexOf(u' ');
    const qsizetype second = first < 0 ? -1 : line.indexOf(u' ', first + 1);
    if (second < 0) {
        return std::nullopt;
    }
    bool ok = false;
    const int number = line.mid(first + 1, second - first - 1).toInt(&ok);
    return ok ? std::optional(std::pair{number, line.mid(second + 1)}) : std::nullopt;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    FuzzInputs inputs;
    QString lastTable;
    QString lastQuery;
    QString derived;
    for (const QString& line : text.split(u'\n')) {
        if (line.startsWith(u"table "_qs)) {
            lastTable = line.mid(6).toCaseFolded();
            inputs.tables.insert(lastTable, {});
        } else if (line.startsWith(u"field "_qs)) {
            if (const auto field = numberAndName(line);
                field && inputs.tables.contains(lastTable)) {
                inputs.tables[lastTable].append({field->second, field->first});
            }
        } else if (line.startsWith(u"query "_qs)) {
            if (const auto query = numberAndName(line)) {
                lastQuery = query->second.toCaseFolded();
                inputs.queries.insert(lastQuery, {query->second, query->first, {}});
                if (derived.isNull()) {
                    derived = lastQuery;
                }
            }
        } else if (const QStringList parts = line.split(u'|'); parts.size() >= 5) {
            QueryRow row;
            row.attribute = parts[0].toInt();
            row.flag = parts[1].toInt();
            row.name1 = parts[2];
            row.name2 = parts[3];
            row.expression = parts.mid(4).join(u'|');
            row.order = QByteArray::number(inputs.queries.value(lastQuery).rows.size());
            if (inputs.queries.contains(lastQuery)) {
                inputs.queries[lastQuery].rows.append(row);
            }
            parseColumnReference(row.expression);
            pivotValues(row.expression);
            expressionType(row.expression,
                           [](const ColumnReference& reference) -> std::optional<int> {
                               if (reference.field.size() % 3 == 0) {
                                   return dbLong;
                               }
                               return std::nullopt;
                           });
        }
    }
    if (!derived.isNull()) {
        try {
            deriveQueryFields(inputs.queries.value(derived), inputs);
        } catch (const EngineError&) {
            // Refusing a definition is a result like any other.
        }
    }
    return 0;
}
