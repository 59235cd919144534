// The npm package mdb-reader, a second reader written independently of libmdb, reads back
// tables, columns, types, values and the password.
#include "QtPrinters.h"
#include "TemporaryDatabase.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>
#include <gtest/gtest.h>

using ombrix::testsupport::TemporaryDatabase;

namespace {

const char* const everyType = R"json({"password": "Geheim ß 20 Zeichen!", "tables": [
  {"name": "Every Type", "columns": [
    {"name": "Flag", "type": "boolean"}, {"name": "Tiny", "type": "byte"},
    {"name": "Small", "type": "integer"}, {"name": "Counter", "type": "long", "autonumber": true},
    {"name": "Money", "type": "currency"}, {"name": "Ratio", "type": "single"},
    {"name": "Measure", "type": "double"}, {"name": "When", "type": "datetime"},
    {"name": "Blob", "type": "binary", "size": 16}, {"name": "Label", "type": "text", "size": 40},
    {"name": "Picture", "type": "ole"}, {"name": "Remarks", "type": "memo"},
    {"name": "Key", "type": "guid"}, {"name": "Amount", "type": "decimal", "precision": 12, "scale": 3}],
   "rows": [
    [true, 200, -32768, null, "-12.5", 1.5, 2.25, "1999-12-31T23:59:59", "00ff10",
     "Grüße", "0102", "Ωmega", "{12345678-1234-5678-9ABC-DEF012345678}", "-123456789.125"],
    [false, null, null, null, null, null, null, null, null, null, null, null, null, null]]},
  {"name": "Kunden Übersicht", "columns": [{"name": "Straße", "type": "text"}], "rows": [["Hauptstraße 1"]]}]})json";

QJsonObject readWithMdbReader(const QString& database, const QString& password) {
    QProcess node;
    node.start(QStringLiteral("node"), {QStringLiteral(MDB_READER_SCRIPT),
                                        QStringLiteral(MDB_READER_DIR), database, password});
    node.waitForFinished(60000);
    EXPECT_EQ(node.exitCode(), 0) << node.readAllStandardError().toStdString();
    return QJsonDocument::fromJson(node.readAllStandardOutput()).object();
}

class MdbReader : public testing::Test {
protected:
    void SetUp() override {
        if (QStandardPaths::findExecutable(QStringLiteral("node")).isEmpty())
            GTEST_SKIP() << "node is not installed, so mdb-reader cannot run";
        ASSERT_TRUE(QDir(QStringLiteral(MDB_READER_DIR "/node_modules/mdb-reader")).exists())
            << "mdb-reader is missing from " << MDB_READER_DIR
            << "; the test mkmdb_install_mdb_reader installs it with npm";
    }
};

// Compact JSON text, so that failures show the values.
std::string text(const QJsonArray& array) {
    return QJsonDocument(array).toJson(QJsonDocument::Compact).toStdString();
}

QJsonArray columnsOf(const QJsonObject& table) {
    QJsonArray columns;
    for (const QJsonValue& c : table[QStringLiteral("columns")].toArray())
        columns.append(
            QStringLiteral("%1:%2:%3")
                .arg(c[QStringLiteral("name")].toString(), c[QStringLiteral("type")].toString())
                .arg(c[QStringLiteral("size")].toInt()));
    return columns;
}

} // namespace

TEST_F(MdbReader, ReadsPasswordTablesColumnsTypesAndValues) {
    const TemporaryDatabase database(everyType);
    const QJsonObject seen = readWithMdbReader(database.path(), QString());
    EXPECT_EQ(seen[QStringLiteral("password")].toString(), "Geheim ß 20 Zeichen!");
    EXPECT_EQ(text(seen[QStringLiteral("systemTables")].toArray()),
              text(QJsonArray({"MSysObjects", "MSysACEs", "MSysQueries", "MSysRelationships",
                               "MSysAccessObjects"})));
    const QJsonArray tables = seen[QStringLiteral("tables")].toArray();
    ASSERT_EQ(tables.size(), 2);

    const QJsonObject everyTypeTable = tables[0].toObject();
    EXPECT_EQ(everyTypeTable[QStringLiteral("name")].toString(), "Every Type");
    EXPECT_EQ(
        text(columnsOf(everyTypeTable)),
        text(QJsonArray({"Flag:boolean:0", "Tiny:byte:1", "Small:integer:2", "Counter:long:4",
                         "Money:currency:8", "Ratio:float:4", "Measure:double:8", "When:datetime:8",
                         "Blob:binary:16", "Label:text:80", "Picture:ole:0", "Remarks:memo:0",
                         "Key:repid:16", "Amount:numeric:17"})));
    const QJsonArray rows = everyTypeTable[QStringLiteral("rows")].toArray();
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(text(rows[0].toArray()),
              text(QJsonArray({true, 200, -32768, 1, "-12.5000", 1.5, 2.25,
                               "1999-12-31T23:59:59.000Z", "00ff10", "Grüße", "0102", "Ωmega",
                               "12345678-1234-5678-9abc-def012345678", "-123456789.125"})));
    EXPECT_EQ(text(rows[1].toArray()),
              text(QJsonArray({false, QJsonValue::Null, QJsonValue::Null, 2, QJsonValue::Null,
                               QJsonValue::Null, QJsonValue::Null, QJsonValue::Null,
                               QJsonValue::Null, QJsonValue::Null, QJsonValue::Null,
                               QJsonValue::Null, QJsonValue::Null, QJsonValue::Null})));

    const QJsonObject second = tables[1].toObject();
    EXPECT_EQ(second[QStringLiteral("name")].toString(), "Kunden Übersicht");
    EXPECT_EQ(text(columnsOf(second)), text(QJsonArray({"Straße:text:510"})));
    EXPECT_EQ(text(second[QStringLiteral("rows")].toArray()),
              text(QJsonArray({QJsonArray({"Hauptstraße 1"})})));
}

TEST_F(MdbReader, ReadsTheAccessFilePasswordTheSameWay) {
    const QString access = QStringLiteral(OMBRIX_CONFORMANCE_DIR "/V2000_with-password.mdb");
    if (!QFile::exists(access))
        GTEST_SKIP() << "the Access reference files are not in " << OMBRIX_CONFORMANCE_DIR;
    EXPECT_EQ(readWithMdbReader(access, QString())[QStringLiteral("password")].toString(),
              "password");
    const TemporaryDatabase ours(R"({"password": "password"})");
    EXPECT_EQ(readWithMdbReader(ours.path(), QString())[QStringLiteral("password")].toString(),
              "password");
    const TemporaryDatabase none(R"({})");
    EXPECT_TRUE(readWithMdbReader(none.path(), QString())[QStringLiteral("password")].isNull());
}

TEST_F(MdbReader, ReadsATableWhoseDefinitionSpansSeveralPages) {
    QJsonArray columns;
    QJsonArray row;
    for (int c = 0; c < 255; ++c) {
        columns.append(
            QJsonObject{{"name", QStringLiteral("A rather long column name number %1").arg(c)},
                        {"type", c % 2 == 0 ? "long" : "text"}});
        row.append(c % 2 == 0 ? QJsonValue(c) : QJsonValue(QStringLiteral("v%1").arg(c)));
    }
    QJsonArray rows;
    for (int r = 0; r < 300; ++r)
        rows.append(row);
    const QJsonObject description{
        {"tables",
         QJsonArray{QJsonObject{{"name", "Wide"}, {"columns", columns}, {"rows", rows}}}}};
    const TemporaryDatabase database(QJsonDocument(description).toJson(QJsonDocument::Compact));
    const QJsonObject table =
        readWithMdbReader(database.path(), QString())[QStringLiteral("tables")][0].toObject();
    EXPECT_EQ(columnsOf(table).size(), 255);
    EXPECT_EQ(columnsOf(table)[254].toString(), "A rather long column name number 254:long:4");
    const QJsonArray readRows = table[QStringLiteral("rows")].toArray();
    ASSERT_EQ(readRows.size(), 300);
    EXPECT_EQ(text(readRows[299].toArray()), text(row));
}
