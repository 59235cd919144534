// Fields of saved queries, derived from MSysQueries rows as Access stores them.

#include "platform/QueryFields.h"

#include <QHash>
#include <QtTest>

using namespace ombrix::platform;

namespace {

QueryRow row(int attribute, const QString& name1 = {}, const QString& name2 = {},
             const QString& expression = {}, int flag = 0) {
    return {0, attribute, {}, name1, name2, expression, flag};
}

// Numbers the rows of each attribute as Access does, then interleaves the attributes as they lie
// on disk, so that the derivation must restore the order itself.
SavedQuery query(const QString& name, int type, QList<QueryRow> rows) {
    QHash<int, int> counters;
    for (QueryRow& r : rows) {
        const int n = ++counters[r.attribute];
        r.order = QByteArray(3, '\0') + static_cast<char>(n);
    }
    std::reverse(rows.begin(), rows.end());
    return {name, type, rows};
}

class Inputs final : public QueryInputs {
public:
    QHash<QString, QList<FieldDef>> tables{
        {u"orders"_qs,
         {{u"OrderID"_qs, 4}, {u"CustomerID"_qs, 10}, {u"OrderDate"_qs, 8}, {u"Freight"_qs, 5}}},
        {u"customers"_qs, {{u"CustomerID"_qs, 10}, {u"CompanyName"_qs, 10}, {u"Notes"_qs, 12}}},
        {u"lines"_qs,
         {{u"OrderID"_qs, 4}, {u"Quantity"_qs, 3}, {u"Price"_qs, 7}, {u"Units"_qs, 2}}},
    };
    QHash<QString, SavedQuery> queries;

    std::optional<QList<FieldDef>> tableFields(const QString& name) override {
        const auto it = tables.find(name.toLower());
        return it == tables.end() ? std::nullopt : std::optional(*it);
    }
    std::optional<SavedQuery> query(const QString& name) override {
        const auto it = queries.find(name.toLower());
        return it == queries.end() ? std::nullopt : std::optional(*it);
    }
};

QStringList describe(const QList<FieldDef>& fields) {
    QStringList items;
    for (const auto& field : fields) {
        items.append(field.name + u' ' + QString::number(field.type));
    }
    return items;
}

} // namespace

Q_DECLARE_METATYPE(SavedQuery)

class QueryFieldsTest : public QObject {
    Q_OBJECT

private slots:
    void derivesFields_data() {
        QTest::addColumn<SavedQuery>("saved");
        QTest::addColumn<QStringList>("fields");
        QTest::newRow("* over one table")
            << query(u"q"_qs, 0, {row(5, u"Orders"_qs), row(6, {}, {}, u"*"_qs)})
            << QStringList{u"OrderID 4"_qs, u"CustomerID 10"_qs, u"OrderDate 8"_qs,
                           u"Freight 5"_qs};
        QTest::newRow("alias.* and a column, clashing names qualified")
            << query(u"q"_qs, 0,
                     {row(5, u"Orders"_qs, u"o"_qs), row(5, u"Customers"_qs),
                      row(6, {}, {}, u"o.*"_qs), row(6, {}, {}, u"[Customers].[CompanyName]"_qs),
                      row(6, {}, {}, u"Customers.CustomerID"_qs)})
            << QStringList{u"OrderID 4"_qs, u"o.CustomerID 10"_qs, u"OrderDate 8"_qs,
                           u"Freight 5"_qs, u"CompanyName 10"_qs,  u"Customers.CustomerID 10"_qs};
        QTest::newRow("aliases and unqualified references")
            << query(u"q"_qs, 0,
                     {row(5, u"Orders"_qs), row(6, u"When"_qs, {}, u"OrderDate"_qs),
                      row(6, {}, {}, u"[Freight]"_qs), row(6, u"Id"_qs, {}, u"Orders!OrderID"_qs)})
            << QStringList{u"When 8"_qs, u"Freight 5"_qs, u"Id 4"_qs};
        QTest::newRow("the same column twice: the last keeps its name")
            << query(u"q"_qs, 0,
                     {row(5, u"Orders"_qs), row(6, {}, {}, u"Freight"_qs),
                      row(6, {}, {}, u"OrderID"_qs), row(6, {}, {}, u"Orders.Freight"_qs)})
            << QStringList{u"Expr1000 5"_qs, u"OrderID 4"_qs, u"Freight 5"_qs};
        QTest::newRow("computed columns")
            << query(u"q"_qs, 0,
                     {row(5, u"Lines"_qs),
                      row(5, u"Orders"_qs),
                      row(5, u"Customers"_qs),
                      row(6, {}, {}, u"Count(*)"_qs),
                      row(6, {}, {}, u"Sum([Quantity])"_qs),
                      row(6, {}, {}, u"Sum(Freight)"_qs),
                      row(6, {}, {}, u"Max(Orders.OrderDate)"_qs),
                      row(6, {}, {}, u"[CompanyName] & \" (\" & Customers.CustomerID & \")\""_qs),
                      row(6, {}, {}, u"Notes & \"!\""_qs),
                      row(6, {}, {}, u"CLng(Price)"_qs),
                      row(6, {}, {}, u"Year([OrderDate])"_qs),
                      row(6, {}, {}, u"Quantity * Price"_qs),
                      row(6, {}, {}, u"Quantity * Units"_qs),
                      row(6, {}, {}, u"Freight * 2"_qs),
                      row(6, {}, {}, u"Freight * 1.5"_qs),
                      row(6, {}, {}, u"Quantity / 2"_qs),
                      row(6, {}, {}, u"Quantity \\ 2"_qs),
                      row(6, {}, {}, u"OrderDate + 7"_qs),
                      row(6, {}, {}, u"IIf(Quantity > 1, \"many\", \"one\")"_qs),
                      row(6, {}, {}, u"'text'"_qs),
                      row(6, {}, {}, u"#1/2/2003#"_qs),
                      row(6, {}, {}, u"(Quantity > 10) And Not Price Is Null"_qs),
                      row(6, u"Total"_qs, {}, u"Avg([Lines].[Price])"_qs)})
            << QStringList{
                   u"Expr1000 4"_qs,  u"Expr1001 7"_qs,  u"Expr1002 5"_qs,  u"Expr1003 8"_qs,
                   u"Expr1004 10"_qs, u"Expr1005 12"_qs, u"Expr1006 4"_qs,  u"Expr1007 3"_qs,
                   u"Expr1008 7"_qs,  u"Expr1009 3"_qs,  u"Expr1010 5"_qs,  u"Expr1011 7"_qs,
                   u"Expr1012 7"_qs,  u"Expr1013 4"_qs,  u"Expr1014 8"_qs,  u"Expr1015 10"_qs,
                   u"Expr1016 10"_qs, u"Expr1017 8"_qs,  u"Expr1018 10"_qs, u"Total 7"_qs};
        QTest::newRow("parameters have their declared types")
            << query(u"q"_qs, 0,
                     {row(2, u"Since"_qs, {}, {}, 8), row(2, u"Who"_qs, {}, {}, 0),
                      row(5, u"Orders"_qs), row(6, {}, {}, u"[Since]"_qs),
                      row(6, {}, {}, u"[Since] + 1"_qs), row(6, {}, {}, u"Who"_qs),
                      row(6, {}, {}, u"[Forms]![Orders]![OrderID]"_qs)})
            << QStringList{u"Expr1000 8"_qs, u"Expr1001 8"_qs, u"Expr1002 10"_qs,
                           u"Expr1003 10"_qs};
        QTest::newRow("output all fields comes after the listed columns")
            << query(u"q"_qs, 0,
                     {row(3, {}, {}, {}, 1), row(5, u"Customers"_qs),
                      row(6, u"Name"_qs, {}, u"CompanyName"_qs)})
            << QStringList{u"Name 10"_qs, u"CustomerID 10"_qs, u"CompanyName 10"_qs,
                           u"Notes 12"_qs};
        QTest::newRow("crosstab with listed column headings")
            << query(u"q"_qs, 16,
                     {row(5, u"Orders"_qs), row(6, {}, {}, u"CustomerID"_qs, 2),
                      row(6, {}, {}, u"Year(OrderDate) In (2001, \"2002\")"_qs, 1),
                      row(6, {}, {}, u"Sum(Freight)"_qs, 0)})
            << QStringList{u"CustomerID 10"_qs, u"2001 5"_qs, u"2002 5"_qs};
    }

    void derivesFields() {
        QFETCH(SavedQuery, saved);
        QFETCH(QStringList, fields);
        Inputs inputs;
        QCOMPARE(describe(deriveQueryFields(saved, inputs)), fields);
    }

    void readsQueriesBuiltOnQueries() {
        Inputs inputs;
        inputs.queries.insert(u"big orders"_qs,
                              query(u"Big orders"_qs, 0,
                                    {row(5, u"Orders"_qs), row(6, {}, {}, u"OrderID"_qs),
                                     row(6, u"Cost"_qs, {}, u"Freight * 2"_qs)}));
        const auto fields =
            deriveQueryFields(query(u"q"_qs, 0,
                                    {row(5, u"Big Orders"_qs, u"b"_qs), row(5, u"Lines"_qs),
                                     row(6, {}, {}, u"b.*"_qs), row(6, {}, {}, u"Max(b.Cost)"_qs),
                                     row(6, {}, {}, u"Lines.Quantity"_qs)}),
                              inputs);
        QCOMPARE(describe(fields),
                 (QStringList{u"OrderID 4"_qs, u"Cost 5"_qs, u"Expr1001 5"_qs, u"Quantity 3"_qs}));
    }

    void failsAsTheEngineDoes_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("error");
        QTest::addColumn<QString>("description");
        QTest::newRow("missing input")
            << u"uses missing"_qs << 3078
            << u"The database engine cannot find the input table or query 'Old orders'. Make "
               "sure it exists and that its name is spelled correctly."_qs;
        QTest::newRow("missing input of an input") << u"uses broken"_qs << 3078 << QString();
        QTest::newRow("cycle of two") << u"a"_qs << 3103 << QString();
        QTest::newRow("uses itself") << u"self"_qs << 3103 << QString();
        QTest::newRow("ambiguous column") << u"ambiguous"_qs << 3079 << QString();
        QTest::newRow("an action query has no fields to report")
            << u"update"_qs << 3251 << QString();
        QTest::newRow("built on a union") << u"on union"_qs << 3251 << QString();
    }

    void failsAsTheEngineDoes() {
        QFETCH(QString, name);
        QFETCH(int, error);
        QFETCH(QString, description);
        Inputs inputs;
        const auto add = [&](const QString& n, int type, const QList<QueryRow>& rows) {
            inputs.queries.insert(n, query(n, type, rows));
        };
        add(u"uses missing"_qs, 0, {row(5, u"Old orders"_qs), row(6, {}, {}, u"*"_qs)});
        add(u"uses broken"_qs, 0, {row(5, u"uses missing"_qs), row(6, {}, {}, u"*"_qs)});
        add(u"a"_qs, 0, {row(5, u"b"_qs), row(6, {}, {}, u"*"_qs)});
        add(u"b"_qs, 0, {row(5, u"A"_qs), row(6, {}, {}, u"*"_qs)});
        add(u"self"_qs, 0, {row(5, u"Self"_qs), row(6, {}, {}, u"*"_qs)});
        add(u"ambiguous"_qs, 0,
            {row(5, u"Orders"_qs), row(5, u"Lines"_qs), row(6, {}, {}, u"OrderID"_qs)});
        add(u"update"_qs, 48, {row(1, {}, {}, {}, 4), row(5, u"Orders"_qs)});
        add(u"union"_qs, 128, {row(1, {}, {}, {}, 9)});
        add(u"on union"_qs, 0, {row(5, u"union"_qs), row(6, {}, {}, u"*"_qs)});
        try {
            deriveQueryFields(*inputs.query(name), inputs);
            QFAIL("no error");
        } catch (const EngineError& e) {
            QCOMPARE(e.number(), error);
            if (!description.isEmpty()) {
                QCOMPARE(e.description(), description);
            }
        }
    }
};

QTEST_GUILESS_MAIN(QueryFieldsTest)
#include "QueryFieldsTest.moc"
