// Time per catalogue request: through the ombrix-reader child process (as the program runs it)
// and in-process (the reading alone), over databases written by mkmdb for the purpose.

#include "Mkmdb.h"
#include "platform/ReaderCatalogue.h"
#include "reader/MdbCatalogue.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using ombrix::core::ObjectKind;
using ombrix::platform::ReaderCatalogue;
using ombrix::reader::MdbCatalogue;

namespace {

// A database of `tables` tables of `columns` columns each, and one select query per table.
QString buildDatabase(const QTemporaryDir& dir, int tables, int columns) {
    QJsonArray tableList;
    QJsonArray queryList;
    for (int t = 0; t < tables; ++t) {
        QJsonArray columnList;
        for (int c = 0; c < columns; ++c) {
            columnList.append(QJsonObject{{"name", QStringLiteral("Column %1").arg(c)},
                                          {"type", c % 2 == 0 ? "long" : "text"}});
        }
        const QString name = QStringLiteral("Table %1").arg(t);
        tableList.append(
            QJsonObject{{"name", name},
                        {"columns", columnList},
                        {"indexes", QJsonArray{QJsonObject{{"name", "PrimaryKey"},
                                                           {"columns", QJsonArray{"Column 0"}},
                                                           {"primary", true}}}}});
        queryList.append(QJsonObject{{"name", QStringLiteral("Query %1").arg(t)},
                                     {"type", "select"},
                                     {"inputs", QJsonArray{QJsonObject{{"table", name}}}},
                                     {"outputs", QJsonArray{"*"}}});
    }
    const QString path = dir.filePath(QStringLiteral("bench-%1-%2.mdb").arg(tables).arg(columns));
    mkmdb::writeDatabaseFile(
        QJsonDocument(QJsonObject{{"tables", tableList}, {"queries", queryList}}).toJson(), path);
    return path;
}

const QTemporaryDir& folder() {
    static const QTemporaryDir dir;
    return dir;
}

template <typename CatalogueType>
void listObjects(benchmark::State& state) {
    const std::string path =
        buildDatabase(folder(), static_cast<int>(state.range(0)), 10).toStdString();
    CatalogueType catalogue;
    for (auto _ : state) {
        benchmark::DoNotOptimize(catalogue.listObjects(path, {}));
    }
    state.counters["objects"] = static_cast<double>(2 * state.range(0));
}

template <typename CatalogueType>
void describeQuery(benchmark::State& state) {
    const std::string path =
        buildDatabase(folder(), 10, static_cast<int>(state.range(0))).toStdString();
    CatalogueType catalogue;
    for (auto _ : state) {
        benchmark::DoNotOptimize(catalogue.describeObject(path, {}, ObjectKind::Query, "Query 5"));
    }
    state.counters["fields"] = static_cast<double>(state.range(0));
}

} // namespace

BENCHMARK(listObjects<ReaderCatalogue>)->Arg(10)->Arg(200)->Unit(benchmark::kMillisecond);
BENCHMARK(listObjects<MdbCatalogue>)->Arg(10)->Arg(200)->Unit(benchmark::kMillisecond);
BENCHMARK(describeQuery<ReaderCatalogue>)->Arg(10)->Arg(255)->Unit(benchmark::kMillisecond);
BENCHMARK(describeQuery<MdbCatalogue>)->Arg(10)->Arg(255)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
