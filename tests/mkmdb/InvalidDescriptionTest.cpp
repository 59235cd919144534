// Faulty descriptions: one clear line naming the fault, and never a file left behind.
#include "Mkmdb.h"
#include "QtPrinters.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <cctype>
#include <gtest/gtest.h>

namespace {

struct Case {
    const char* label;
    const char* json;
    const char* message; // a part of the expected message
};

const std::vector<Case> cases{
    {"malformed JSON", R"({"tables": [)", "malformed JSON at offset"},
    {"not an object", R"([1, 2])", "must be a JSON object"},
    {"unknown type", R"({"tables": [{"name": "T", "columns": [{"name": "A", "type": "money"}]}]})",
     R"(table "T": column 1: unknown type "money")"},
    {"duplicate tables, other case",
     R"({"tables": [{"name": "Orders", "columns": [{"name": "A", "type": "long"}]},
                    {"name": "ORDERS", "columns": [{"name": "A", "type": "long"}]}]})",
     R"(duplicate table or query name "ORDERS")"},
    {"query named like a table",
     R"({"tables": [{"name": "Orders", "columns": [{"name": "A", "type": "long"}]}],
         "queries": [{"name": "orders", "type": "select"}]})",
     R"(duplicate table or query name "orders")"},
    {"system table name",
     R"({"tables": [{"name": "MSysObjects", "columns": [{"name": "A", "type": "long"}]}]})",
     R"(duplicate table or query name "MSysObjects")"},
    {"duplicate columns",
     R"({"tables": [{"name": "T", "columns": [{"name": "A", "type": "long"}, {"name": "a", "type": "text"}]}]})",
     R"(duplicate column name "a")"},
    {"duplicate indexes",
     R"({"tables": [{"name": "T", "columns": [{"name": "A", "type": "long"}],
         "indexes": [{"name": "I", "columns": ["A"]}, {"name": "I", "columns": ["A"]}]}]})",
     R"(duplicate index name "I")"},
    {"index on a missing column",
     R"({"tables": [{"name": "T", "columns": [{"name": "A", "type": "long"}],
         "indexes": [{"name": "PrimaryKey", "columns": ["Nope"], "primary": true}]}]})",
     R"(index 1: no column "Nope" in this table)"},
    {"two primary keys",
     R"({"tables": [{"name": "T", "columns": [{"name": "A", "type": "long"}],
         "indexes": [{"name": "P1", "columns": ["A"], "primary": true},
                     {"name": "P2", "columns": ["A"], "primary": true}]}]})",
     "at most one primary index"},
    {"name over 64 characters",
     R"({"tables": [{"name": "T2345678901234567890123456789012345678901234567890123456789012345",
         "columns": [{"name": "A", "type": "long"}]}]})",
     "is longer than 64 characters"},
    {"name with a dot",
     R"({"tables": [{"name": "T.1", "columns": [{"name": "A", "type": "long"}]}]})",
     "contains a character Access does not allow"},
    {"password over 20 characters", R"({"password": "123456789012345678901"})",
     "the password is longer than 20 characters"},
    {"unknown key", R"({"tables": [{"name": "T", "colums": []}]})", R"(unknown key "colums")"},
    {"row of the wrong length",
     R"({"tables": [{"name": "T", "columns": [{"name": "A", "type": "long"}], "rows": [[1, 2]]}]})",
     "row 1: a row must be a list of 1 values"},
    {"text too long",
     R"({"tables": [{"name": "T", "columns": [{"name": "A", "type": "text", "size": 3}], "rows": [["abcd"]]}]})",
     R"(row 1: column "A": expected at most 3 characters)"},
    {"byte out of range",
     R"({"tables": [{"name": "T", "columns": [{"name": "A", "type": "byte"}], "rows": [[256]]}]})",
     "expected a whole number from 0 to 255"},
    {"autonumber on text",
     R"({"tables": [{"name": "T", "columns": [{"name": "A", "type": "text", "autonumber": true}]}]})",
     "\"autonumber\" applies to long and guid columns only"},
    {"hyperlink on text",
     R"({"tables": [{"name": "T", "columns": [{"name": "A", "type": "text", "hyperlink": true}]}]})",
     "\"hyperlink\" applies to memo columns only"},
    {"link without source", R"({"links": [{"name": "L"}]})",
     R"(link "L": a link needs either "database")"},
    {"relationship without a unique index",
     R"({"tables": [{"name": "A", "columns": [{"name": "X", "type": "long"}]},
                    {"name": "B", "columns": [{"name": "X", "type": "long"}]}],
         "relationships": [{"name": "AB", "table": "A", "columns": ["X"],
                            "foreignTable": "B", "foreignColumns": ["X"]}]})",
     R"(relationship "AB": an enforced relationship needs a unique index)"},
    {"relationship to a missing table",
     R"({"relationships": [{"name": "AB", "table": "A", "columns": ["X"],
                            "foreignTable": "B", "foreignColumns": ["X"]}]})",
     R"(relationship "AB": no table "A")"},
    {"unknown query type", R"({"queries": [{"name": "Q", "type": "merge"}]})",
     R"(query "Q": unknown query type "merge")"},
    {"append without target", R"({"queries": [{"name": "Q", "type": "append"}]})",
     R"(query "Q": "target" is missing)"},
};

class InvalidDescription : public testing::TestWithParam<Case> {};

} // namespace

TEST_P(InvalidDescription, IsRejectedWithOneLineNamingTheFault) {
    const Case& c = GetParam();
    QTemporaryDir folder;
    const QString output = folder.filePath(QStringLiteral("out.mdb"));
    try {
        mkmdb::writeDatabaseFile(c.json, output);
        FAIL() << "accepted";
    } catch (const mkmdb::DescriptionError& error) {
        const std::string message = error.what();
        EXPECT_NE(message.find(c.message), std::string::npos) << message;
        EXPECT_EQ(message.find('\n'), std::string::npos) << message;
    }
    EXPECT_FALSE(QFile::exists(output));
    EXPECT_TRUE(QDir(folder.path()).isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Cases, InvalidDescription, testing::ValuesIn(cases),
                         [](const testing::TestParamInfo<Case>& parameter) {
                             std::string name = parameter.param.label;
                             std::replace_if(
                                 name.begin(), name.end(),
                                 [](char ch) {
                                     return !std::isalnum(static_cast<unsigned char>(ch));
                                 },
                                 '_');
                             return name;
                         });

namespace {

struct ProgramRun {
    int exitCode;
    QString standardError;
};

ProgramRun runMkmdb(const QStringList& arguments) {
    QProcess process;
    process.start(QStringLiteral(MKMDB_PROGRAM), arguments);
    process.waitForFinished(60000);
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardError())};
}

QString writeFile(const QTemporaryDir& folder, const QString& name, const QByteArray& content) {
    QFile file(folder.filePath(name));
    file.open(QIODevice::WriteOnly);
    file.write(content);
    return file.fileName();
}

} // namespace

TEST(MkmdbProgram, InvalidDescriptionExitsWithOneLineAndLeavesTheOldFileAlone) {
    QTemporaryDir folder;
    const QString description =
        writeFile(folder, QStringLiteral("bad.json"),
                  R"({"tables": [{"name": "T", "columns": [{"name": "A", "type": "money"}]}]})");
    const QString output = writeFile(folder, QStringLiteral("out.mdb"), "previous content");
    const ProgramRun run = runMkmdb({description, output});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.standardError.count(QLatin1Char('\n')), 1) << run.standardError.toStdString();
    EXPECT_TRUE(run.standardError.contains(QStringLiteral("unknown type \"money\"")));
    QFile previous(output);
    ASSERT_TRUE(previous.open(QIODevice::ReadOnly));
    EXPECT_EQ(previous.readAll(), "previous content");
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files).size(), 2); // no temporary file left
}

TEST(MkmdbProgram, WritesTheDatabaseAndExitsWithZero) {
    QTemporaryDir folder;
    const QString description =
        writeFile(folder, QStringLiteral("good.json"),
                  R"({"tables": [{"name": "T", "columns": [{"name": "A", "type": "long"}]}]})");
    const QString output = folder.filePath(QStringLiteral("out.mdb"));
    const ProgramRun run = runMkmdb({description, output});
    EXPECT_EQ(run.exitCode, 0) << run.standardError.toStdString();
    EXPECT_TRUE(run.standardError.isEmpty());
    EXPECT_GT(QFile(output).size(), 4096);
}

TEST(MkmdbProgram, MissingArgumentsOrUnreadableDescriptionExitWithOne) {
    QTemporaryDir folder;
    EXPECT_EQ(runMkmdb({}).exitCode, 1);
    const ProgramRun run = runMkmdb({folder.filePath(QStringLiteral("missing.json")),
                                     folder.filePath(QStringLiteral("o.mdb"))});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.standardError.contains(QStringLiteral("cannot read")));
    EXPECT_FALSE(QFile::exists(folder.filePath(QStringLiteral("o.mdb"))));
}
