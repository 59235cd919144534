// What we report for real files made by Access, checked against what is known of them.

#include "QtReaderCatalogue.h"

#include <QDir>
#include <QtTest>

using namespace ombrix::platform;

namespace {

QString conformanceFile(const QString& name) {
    return QDir(QStringLiteral(OMBRIX_CONFORMANCE_DIR)).filePath(name);
}

QStringList tableNames(const DatabaseObjects& objects) {
    QStringList names;
    for (const auto& table : objects.tables) {
        names.append(table.name);
    }
    return names;
}

QStringList queryItems(const DatabaseObjects& objects) {
    QStringList items;
    for (const auto& query : objects.queries) {
        items.append(query.name + u' ' + QString::number(query.type));
    }
    return items;
}

QStringList fieldItems(const ObjectDefinition& definition) {
    QStringList items;
    for (const auto& field : definition.fields) {
        items.append(field.name + u' ' + QString::number(field.type));
    }
    return items;
}

QStringList indexItems(const ObjectDefinition& definition) {
    QStringList items;
    for (const auto& index : definition.indexes) {
        items.append(index.name + u':' + index.fields.join(u','));
    }
    return items;
}

} // namespace

class ConformanceTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        if (!QFileInfo::exists(conformanceFile(u"queryTestV2000.mdb"_qs))) {
            QSKIP("The real Access files are not at OMBRIX_CONFORMANCE_DIR");
        }
    }

    void listsEveryTableAndQueryInNameOrder_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("password");
        QTest::addColumn<QStringList>("tables");
        QTest::addColumn<QStringList>("queries");
        // Jet 4 "General Legacy": MSysAccessObjects before MSysACEs (letters ignore case).
        QTest::newRow("Jet 4, one query of every kind")
            << u"queryTestV2000.mdb"_qs << QString() << QStringList{u"MSysAccessObjects"_qs,
                                                                    u"MSysACEs"_qs,
                                                                    u"MSysObjects"_qs,
                                                                    u"MSysQueries"_qs,
                                                                    u"MSysRelationships"_qs,
                                                                    u"Table1"_qs,
                                                                    u"Table2"_qs,
                                                                    u"Table3"_qs}
            << QStringList{
                   u"AppendQuery 64"_qs, u"CrosstabQuery 16"_qs,  u"DataDefinitionQuery 96"_qs,
                   u"DeleteQuery 32"_qs, u"MakeTableQuery 80"_qs, u"PassthroughQuery 112"_qs,
                   u"SelectQuery 0"_qs,  u"UnionQuery 128"_qs,    u"UpdateQuery 48"_qs};
        QTest::newRow("Jet 3") << u"testV1997.mdb"_qs << QString()
                               << QStringList{u"MSysACEs"_qs,     u"MSysModules"_qs,
                                              u"MSysModules2"_qs, u"MSysObjects"_qs,
                                              u"MSysQueries"_qs,  u"MSysRelationships"_qs,
                                              u"Table1"_qs,       u"Table2"_qs,
                                              u"Table3"_qs,       u"Table4"_qs}
                               << QStringList{};
        QTest::newRow("Jet 4 with its password") << u"V2000_with-password.mdb"_qs << u"password"_qs
                                                 << QStringList{u"MSysAccessObjects"_qs,
                                                                u"MSysACEs"_qs,
                                                                u"MSysNameMap"_qs,
                                                                u"MSysNavPaneGroupCategories"_qs,
                                                                u"MSysNavPaneGroups"_qs,
                                                                u"MSysNavPaneGroupToObjects"_qs,
                                                                u"MSysNavPaneObjectIDs"_qs,
                                                                u"MSysObjects"_qs,
                                                                u"MSysQueries"_qs,
                                                                u"MSysRelationships"_qs,
                                                                u"Table1"_qs}
                                                 << QStringList{};
    }

    void listsEveryTableAndQueryInNameOrder() {
        QFETCH(QString, file);
        QFETCH(QString, password);
        QFETCH(QStringList, tables);
        QFETCH(QStringList, queries);
        QtReaderCatalogue catalogue;
        const DatabaseObjects objects = catalogue.listObjects(conformanceFile(file), password);
        QCOMPARE(tableNames(objects), tables);
        QCOMPARE(queryItems(objects), queries);
    }

    void checksTheDatabasePassword_data() {
        QTest::addColumn<QString>("password");
        QTest::addColumn<int>("error");
        QTest::newRow("missing") << QString() << 3031;
        QTest::newRow("wrong") << u"secret"_qs << 3031;
        QTest::newRow("letter case differs") << u"Password"_qs << 3031;
        QTest::newRow("longer") << u"passwordx"_qs << 3031;
        QTest::newRow("right") << u"password"_qs << 0;
    }

    void checksTheDatabasePassword() {
        QFETCH(QString, password);
        QFETCH(int, error);
        QtReaderCatalogue catalogue;
        const QString file = conformanceFile(u"V2000_with-password.mdb"_qs);
        for (const bool describe : {false, true}) {
            try {
                if (describe) {
                    catalogue.describeObject(file, password, ObjectKind::Table, u"Table1"_qs);
                } else {
                    catalogue.listObjects(file, password);
                }
                QCOMPARE(0, error);
            } catch (const EngineError& e) {
                QCOMPARE(e.number(), error);
                QCOMPARE(e.description(), u"Not a valid password."_qs);
            }
        }
    }

    void anUnprotectedDatabaseOpensWithAnyPassword() {
        QtReaderCatalogue catalogue;
        const auto objects =
            catalogue.listObjects(conformanceFile(u"testV1997.mdb"_qs), u"anything"_qs);
        QCOMPARE(objects.tables.size(), 10);
    }

    void describesObjects_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("password");
        QTest::addColumn<bool>("isTable");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("fields");
        QTest::addColumn<QStringList>("indexes");
        QTest::newRow("Jet 3 storage types")
            << u"testV1997.mdb"_qs << QString() << true << u"Table1"_qs
            << QStringList{u"A 10"_qs, u"B 10"_qs, u"C 2"_qs, u"D 3"_qs, u"E 4"_qs,
                           u"F 7"_qs,  u"G 8"_qs,  u"H 5"_qs, u"I 1"_qs}
            << QStringList{u"B:B"_qs, u"PrimaryKey:A"_qs};
        QTest::newRow("Jet 3 replication id")
            << u"testV1997.mdb"_qs << QString() << true << u"table4"_qs
            << QStringList{u"name 10"_qs, u"data 15"_qs} << QStringList{u"PrimaryKey:data"_qs};
        QTest::newRow("password database")
            << u"V2000_with-password.mdb"_qs << u"password"_qs << true << u"Table1"_qs
            << QStringList{u"ID 4"_qs, u"Data 10"_qs} << QStringList{u"PrimaryKey:ID"_qs};
        // System tables number every column 0, so their fields come alphabetically.
        QTest::newRow("system table, two-field index")
            << u"queryTestV2000.mdb"_qs << QString() << true << u"MSysObjects"_qs
            << QStringList{u"Connect 12"_qs,     u"Database 12"_qs, u"DateCreate 8"_qs,
                           u"DateUpdate 8"_qs,   u"Flags 4"_qs,     u"ForeignName 10"_qs,
                           u"Id 4"_qs,           u"Lv 11"_qs,       u"LvExtra 11"_qs,
                           u"LvModule 11"_qs,    u"LvProp 11"_qs,   u"Name 10"_qs,
                           u"Owner 9"_qs,        u"ParentId 4"_qs,  u"RmtInfoLong 11"_qs,
                           u"RmtInfoShort 9"_qs, u"Type 3"_qs}
            << QStringList{u"Id:Id"_qs, u"ParentIdName:ParentId,Name"_qs};
        // SELECT DISTINCT Table1.*, Table2.col1, Table2.col2, Table3.col3 over three tables:
        // names that clash between inputs are qualified with their input.
        QTest::newRow("select query with alias.* and clashing names")
            << u"queryTestV2000.mdb"_qs << QString() << false << u"SelectQuery"_qs
            << QStringList{u"Table1.col1 10"_qs, u"Table1.col2 10"_qs, u"Table1.col3 10"_qs,
                           u"Table2.col1 10"_qs, u"Table2.col2 10"_qs, u"Table3.col3 10"_qs}
            << QStringList{};
    }

    void describesObjects() {
        QFETCH(QString, file);
        QFETCH(QString, password);
        QFETCH(bool, isTable);
        QFETCH(QString, name);
        QFETCH(QStringList, fields);
        QFETCH(QStringList, indexes);
        QtReaderCatalogue catalogue;
        const auto definition = catalogue.describeObject(
            conformanceFile(file), password, isTable ? ObjectKind::Table : ObjectKind::Query, name);
        QCOMPARE(fieldItems(definition), fields);
        QCOMPARE(indexItems(definition), indexes);
    }

    void reportsWhatItCannotAnswer_data() {
        QTest::addColumn<bool>("isTable");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("error");
        QTest::newRow("no such table") << true << u"Table9"_qs << 3265;
        QTest::newRow("a query is not a table") << true << u"SelectQuery"_qs << 3265;
        QTest::newRow("a table is not a query") << false << u"Table1"_qs << 3265;
        // Without an In list the columns of a crosstab exist only once it has run.
        QTest::newRow("crosstab without column list") << false << u"CrosstabQuery"_qs << 3251;
        QTest::newRow("union") << false << u"UnionQuery"_qs << 3251;
    }

    void reportsWhatItCannotAnswer() {
        QFETCH(bool, isTable);
        QFETCH(QString, name);
        QFETCH(int, error);
        QtReaderCatalogue catalogue;
        try {
            catalogue.describeObject(conformanceFile(u"queryTestV2000.mdb"_qs), {},
                                     isTable ? ObjectKind::Table : ObjectKind::Query, name);
            QFAIL("no error");
        } catch (const EngineError& e) {
            QCOMPARE(e.number(), error);
        }
    }
};

QTEST_GUILESS_MAIN(ConformanceTest)
#include "ConformanceTest.moc"
