#include "Description.h"
#include "HeaderPage.h"
#include "Mkmdb.h"
#include "PageSet.h"
#include "RowEncoder.h"
#include "SystemTables.h"
#include "TableLayout.h"

#include <QSaveFile>
#include <QtEndian>

namespace mkmdb {
namespace {

constexpr std::uint32_t headerPage = 0;
constexpr std::uint32_t globalUsagePage = 1;
// Access marks the global usage page as owned by page 1 itself.
constexpr std::uint32_t globalUsageOwner = 1;
constexpr std::uint32_t usageMapOwner = 0;
constexpr int usageMapCoverage = 64 * 8;
constexpr int leafEntriesStart = 0x1E0;

struct TablePlan {
    TableLayout layout;
    std::vector<RowValues> rows;
    std::uint32_t tdefPage = 0;
    TdefPointers pointers;
    std::vector<std::uint32_t> dataPages;
};

TdefPointers placeholderPointers(const TableLayout& layout) {
    TdefPointers pointers;
    pointers.indexUsageMaps.resize(layout.indexes.size());
    pointers.indexRootPages.resize(layout.indexes.size());
    return pointers;
}

void writeRows(PageSet& pages, TablePlan& plan) {
    // Long values first, so that the table's data pages follow one another.
    DataPageWriter longValues(pages, lvalOwner);
    std::vector<QByteArray> encoded;
    encoded.reserve(plan.rows.size());
    for (const RowValues& row : plan.rows)
        encoded.push_back(encodeRow(plan.layout, row, longValues));
    DataPageWriter data(pages, plan.tdefPage);
    for (const QByteArray& row : encoded)
        data.add(row);
    plan.dataPages = data.pages();
    plan.pointers.rowCount = static_cast<std::uint32_t>(plan.rows.size());
    plan.rows.clear();
}

// An index root as an empty leaf page; index entries are not written (see the README).
std::uint32_t writeEmptyLeaf(PageSet& pages, std::uint32_t tdefPage) {
    const std::uint32_t number = pages.allocate();
    char* page = pages.page(number);
    page[0] = 0x04;
    page[1] = 0x01;
    qToLittleEndian(static_cast<std::uint16_t>(pageSize - leafEntriesStart), page + 2);
    qToLittleEndian(tdefPage, page + 4);
    return number;
}

// Page 1: the pages not yet in use, as far as a 512-page map reaches.
void writeGlobalUsage(PageSet& pages) {
    std::vector<std::uint32_t> unused;
    for (auto page = static_cast<int>(pages.count()); page < usageMapCoverage; ++page)
        unused.push_back(static_cast<std::uint32_t>(page));
    QByteArray map = usageMap(unused);
    qToLittleEndian(std::uint32_t{0}, map.data() + 1);
    DataPageWriter global(pages, globalUsageOwner, globalUsagePage);
    global.add(map);
    global.add(QByteArray(map.size(), '\0'));
}

PageSet buildPages(const DatabaseDescription& database) {
    PageSet pages;
    pages.allocate(2); // header and global usage map

    std::vector<TablePlan> plans;
    for (TableLayout& layout : systemTableLayouts())
        plans.push_back({std::move(layout), {}, 0, {}, {}});
    const std::size_t systemCount = plans.size();
    for (const TableDescription& table : database.tables) {
        TablePlan plan{userTableLayout(table), table.rows, 0, {}, {}};
        plan.pointers.lastAutonumber = table.lastAutonumber;
        plans.push_back(std::move(plan));
    }

    std::vector<std::uint32_t> systemPages;
    std::vector<std::uint32_t> userPages;
    for (std::size_t i = 0; i < plans.size(); ++i) {
        const qsizetype size =
            tdefBytes(plans[i].layout, placeholderPointers(plans[i].layout)).size();
        plans[i].tdefPage = pages.allocate(PageSet::tdefPageCount(size));
        (i < systemCount ? systemPages : userPages).push_back(plans[i].tdefPage);
    }
    plans[0].rows = catalogRows(systemPages, userPages, database);
    plans[2].rows = queryRows(database);

    for (TablePlan& plan : plans)
        writeRows(pages, plan);
    for (TablePlan& plan : plans)
        for (std::size_t i = 0; i < plan.layout.indexes.size(); ++i)
            plan.pointers.indexRootPages.push_back(writeEmptyLeaf(pages, plan.tdefPage));

    DataPageWriter maps(pages, usageMapOwner);
    for (TablePlan& plan : plans) {
        plan.pointers.usageMap = maps.add(usageMap(plan.dataPages));
        plan.pointers.freeSpaceMap = maps.add(usageMap({}));
        for (const std::uint32_t root : plan.pointers.indexRootPages)
            plan.pointers.indexUsageMaps.push_back(maps.add(usageMap({root})));
        pages.writeTdef(plan.tdefPage, tdefBytes(plan.layout, plan.pointers));
    }

    writeGlobalUsage(pages);
    writeHeaderPage(pages.page(headerPage), database.password, database.created);
    return pages;
}

} // namespace

void writeDatabaseFile(const QByteArray& jsonDescription, const QString& outputPath) {
    const PageSet pages = buildPages(parseDescription(jsonDescription));
    // QSaveFile writes beside the target and renames only on commit, so a failure never
    // leaves a partial file behind.
    QSaveFile file(outputPath);
    if (!file.open(QIODevice::WriteOnly) || !pages.writeTo(file) || !file.commit())
        throw std::runtime_error(QStringLiteral("cannot write %1: %2")
                                     .arg(outputPath, file.errorString())
                                     .toStdString());
}

} // namespace mkmdb
