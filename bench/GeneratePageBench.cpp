#include "core/CatalogueItems.h"
#include "core/FieldItem.h"
#include "core/TypePrefix.h"
#include "generator/GeneratePage.h"

#include <benchmark/benchmark.h>
#include <string>

namespace {

// A table with the given number of fields, their types cycling through every type code so that
// every kind of check and delimiter is written.
ombrix::WizardState stateWithFields(int count) {
    ombrix::WizardState state;
    state.databasePath = R"(C:\Data\Shop.mdb)";
    state.objectCaption = ombrix::core::objectItem(ombrix::core::ObjectKind::Table, "Orders");
    state.primaryKeyField = "OrderID";
    for (int i = 0; i < count; ++i) {
        state.summaryFields.push_back(ombrix::core::makeFieldItem(
            "field NUMBER " + std::to_string(i), ombrix::GetPrefix(i % 25)));
    }
    return state;
}

void BM_GeneratePage(benchmark::State& bench) {
    const ombrix::WizardState state = stateWithFields(static_cast<int>(bench.range(0)));
    std::size_t pageSize = 0;
    for (auto _ : bench) {
        const std::string page = ombrix::GeneratePage(state);
        pageSize = page.size();
        benchmark::DoNotOptimize(page.data());
    }
    bench.SetItemsProcessed(bench.iterations());
    bench.SetBytesProcessed(bench.iterations() * static_cast<std::int64_t>(pageSize));
    bench.counters["page_bytes"] = static_cast<double>(pageSize);
}

BENCHMARK(BM_GeneratePage)->ArgName("fields")->Arg(1)->Arg(10)->Arg(255);

} // namespace

BENCHMARK_MAIN();
