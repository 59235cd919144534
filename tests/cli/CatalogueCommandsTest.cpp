#include "cli/CatalogueCommands.h"

#include "CliTestSupport.h"
#include "FakeCatalogue.h"
#include "cli/Cli.h"
#include "cli/CliSupport.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <gtest/gtest.h>
#include <sstream>
#include <tuple>

namespace {

using namespace ombrix;
using cli::test::FakeCatalogue;
using cli::test::Outcome;
using core::EngineError;
using core::ObjectKind;

Outcome RunCommand(int (*command)(core::Catalogue&, const cli::Arguments&, std::ostream&,
                                  std::ostream&),
                   FakeCatalogue& catalogue, const QStringList& args) {
    std::ostringstream out;
    std::ostringstream err;
    int exitCode = 0;
    try {
        exitCode = command(catalogue, cli::test::Utf8(args), out, err);
    } catch (const cli::CommandError& error) {
        exitCode = error.exitCode();
    }
    return {exitCode, out.str(), err.str()};
}

core::DatabaseObjects MixedObjects() {
    return {{{"Customers"}, {"msysNotes"}, {"MSysObjects"}, {"~TMPCLP1"}, {"Zebra"}},
            {{"Big orders", 0},
             {"MSysSample", 0},
             {"Raise prices", 48},
             {"Sales by year", 16},
             {"~SQ_x", 0},
             {"~sq_fOrders", 0}}};
}

TEST(ObjectsCommand, ListsWhatTheWizardLists) {
    FakeCatalogue catalogue;
    catalogue.objects = MixedObjects();
    const Outcome run = RunCommand(cli::RunObjectsWith, catalogue, {"db.mdb"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, "Table: Customers\nTable: msysNotes\nTable: ~TMPCLP1\nTable: Zebra\n"
                       "Query: Big orders\nQuery: ~SQ_x\n");
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(catalogue.askedPassword, "");
}

TEST(ObjectsCommand, ListsEverythingWithAll) {
    FakeCatalogue catalogue;
    catalogue.objects = MixedObjects();
    const Outcome run =
        RunCommand(cli::RunObjectsWith, catalogue, {"--all", "db.mdb", "--password", "pw;1"});
    EXPECT_EQ(run.out, "Table: Customers\nTable: msysNotes\nTable: MSysObjects\nTable: "
                       "~TMPCLP1\nTable: Zebra\nQuery: Big orders\t0\nQuery: MSysSample\t0\n"
                       "Query: Raise prices\t48\nQuery: Sales by year\t16\nQuery: ~SQ_x\t0\n"
                       "Query: ~sq_fOrders\t0\n");
    EXPECT_EQ(catalogue.askedPassword, "pw;1");
}

TEST(ObjectsCommand, ReportsEngineErrors) {
    FakeCatalogue catalogue;
    catalogue.failure = EngineError(3031, "Not a valid password.");
    const Outcome run = RunCommand(cli::RunObjectsWith, catalogue, {"db.mdb"});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "Error 3031: Not a valid password.\n");
}

TEST(DescribeCommand, PrintsTheKeyAndTheFields) {
    FakeCatalogue catalogue;
    catalogue.definition = {{{"OrderID", 4}, {"LineNo", 3}, {"Unit Price", 5}, {"Größe", 10}},
                            {{"Product", {"Unit Price"}}, {"PrimaryKey", {"OrderID", "LineNo"}}}};
    const Outcome run = RunCommand(cli::RunDescribeWith, catalogue,
                                   {"db.mdb", "Table: Order Lines", "--password", "x"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, "key\tLineNo\nfield\tOrderID\t4\tlng\nfield\tLineNo\t3\tint\n"
                       "field\tUnit Price\t5\tcur\nfield\tGröße\t10\tstr\n");
    EXPECT_EQ(catalogue.askedKind, ObjectKind::Table);
    EXPECT_EQ(catalogue.askedName, "Order Lines");
    EXPECT_EQ(catalogue.askedPassword, "x");
}

TEST(KeyRule, FindsTheKeyByTheIndexNameOnly) {
    const std::vector<std::tuple<ObjectKind, core::ObjectDefinition, std::string>> cases{
        {ObjectKind::Table, {{{"ID", 4}}, {{"Unique", {"ID"}}}}, ""},
        {ObjectKind::Table, {{{"ID", 4}}, {{"primarykey", {"ID"}}}}, ""},
        {ObjectKind::Table, {{{"ID", 4}}, {{"PrimaryKey ", {"ID"}}}}, ""},
        {ObjectKind::Table, {{{"ID", 4}}, {{"PrimaryKey", {}}}}, ""},
        {ObjectKind::Table,
         {{{"ID", 4}, {"Code", 10}}, {{"PK", {"ID"}}, {"PrimaryKey", {"Code"}}}},
         "Code"},
        {ObjectKind::Table, {{{"A", 4}, {"B", 3}}, {{"PrimaryKey", {"B", "A"}}}}, "A"},
        {ObjectKind::Query, {{{"ID", 4}}, {{"PrimaryKey", {"ID"}}}}, ""},
    };
    for (const auto& [kind, definition, key] : cases) {
        EXPECT_EQ(core::primaryKeyField(kind, definition), key);
    }
}

TEST(DescribeCommand, AQueryHasNoKey) {
    FakeCatalogue catalogue;
    catalogue.definition = {{{"Total", 7}}, {{"PrimaryKey", {"Total"}}}};
    const Outcome run =
        RunCommand(cli::RunDescribeWith, catalogue, {"db.mdb", "Query: Big orders"});
    EXPECT_EQ(run.out, "key\t\nfield\tTotal\t7\tdbl\n");
    EXPECT_EQ(catalogue.askedKind, ObjectKind::Query);
    EXPECT_EQ(catalogue.askedName, "Big orders");
}

TEST(DescribeCommand, RefusesBadUsage) {
    FakeCatalogue catalogue;
    for (const QStringList& args : std::vector<QStringList>{
             {"db.mdb"}, {"db.mdb", "Orders"}, {"db.mdb", "Table:Orders"}, {"a", "b", "c"}}) {
        const Outcome run = RunCommand(cli::RunDescribeWith, catalogue, args);
        EXPECT_EQ(run.exitCode, 1) << args.join(' ').toStdString();
        EXPECT_EQ(run.out, "");
    }
}

// Through the real reader, on real Access files.
class CatalogueCommandsOnRealFiles : public testing::Test {
protected:
    void SetUp() override {
        if (!QFileInfo::exists(File("queryTestV2000.mdb"))) {
            GTEST_SKIP() << "The real Access files are not at OMBRIX_CONFORMANCE_DIR";
        }
    }
    static QString File(const QString& name) {
        return QDir(QStringLiteral(OMBRIX_CONFORMANCE_DIR)).filePath(name);
    }
    static Outcome RunCli(const QStringList& args) {
        std::ostringstream out;
        std::ostringstream err;
        const int exitCode = cli::RunCli(cli::test::Utf8(args), out, err);
        return {exitCode, out.str(), err.str()};
    }
};

TEST_F(CatalogueCommandsOnRealFiles, ListsTheOneSelectQueryAmongNineKinds) {
    const Outcome run = RunCli({"objects", File("queryTestV2000.mdb")});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, "Table: Table1\nTable: Table2\nTable: Table3\nQuery: SelectQuery\n");
}

TEST_F(CatalogueCommandsOnRealFiles, DescribesAJet3Table) {
    const Outcome run = RunCli({"describe", File("testV1997.mdb"), "Table: Table1"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, "key\tA\nfield\tA\t10\tstr\nfield\tB\t10\tstr\nfield\tC\t2\tbyt\n"
                       "field\tD\t3\tint\nfield\tE\t4\tlng\nfield\tF\t7\tdbl\nfield\tG\t8\tdat\n"
                       "field\tH\t5\tcur\nfield\tI\t1\tboo\n");
}

TEST_F(CatalogueCommandsOnRealFiles, AsksForThePassword) {
    const QString file = File("V2000_with-password.mdb");
    const Outcome refused = RunCli({"objects", file});
    EXPECT_EQ(refused.exitCode, 2);
    EXPECT_EQ(refused.out, "");
    EXPECT_EQ(refused.err, "Error 3031: Not a valid password.\n");
    const Outcome opened = RunCli({"describe", file, "Table: Table1", "--password", "password"});
    EXPECT_EQ(opened.exitCode, 0);
    EXPECT_EQ(opened.out, "key\tID\nfield\tID\t4\tlng\nfield\tData\t10\tstr\n");
}

TEST_F(CatalogueCommandsOnRealFiles, TheBinaryReportsAMissingFile) {
    QProcess process;
    process.start(QStringLiteral(OMBRIX_CLI_PATH), {"objects", "/no/such/folder/db.mdb"});
    ASSERT_TRUE(process.waitForFinished(30000));
    EXPECT_EQ(process.exitCode(), 2);
    EXPECT_EQ(process.readAllStandardError(),
              "Error 3044: '/no/such/folder/db.mdb' is not a valid path. Make sure that the path "
              "name is spelled correctly and that you are connected to the server on which the "
              "file resides.\n");
}

} // namespace
