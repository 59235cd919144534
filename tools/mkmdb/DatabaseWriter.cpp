#include "Description.h"
#include "HeaderPage.h"
#include "Mkmdb.h"
#include "PageSet.h"
#include "Relationships.h"
#include "RowEncoder.h"
#include "SystemTables.h"
#include "TableLayout.h"

#include <QSaveFile>
#include <QtEndian>

namespace mkmdb {
namespace {

constexpr std::uint32_t kHeaderPage = 0;
constexpr std::uint32_t kGlobalUsagePage = 1;
// Access marks the global usage page as owned by page 1 itself.
constexpr std::uint32_t kGlobalUsageOwner = 1;
constexpr std::uint32_t kUsageMapOwner = 0;
constexpr int kUsageMapCoverage = 64 * 8;
constexpr int kLeafEntriesStart = 0x1E0;

struct TablePlan {
    TableLayout layout;
    std::vector<RowValues> rows;
    std::uint32_t tdefPage = 0;
    TdefPointers pointers;
    std::vector<std::uint32_t> dataPages;
    std::vector<std::vector<std::uint32_t>> longValuePages; // per longValueColumns entry
};

TdefPointers placeholderPointers(const TableLayout& layout) {
    TdefPointers pointers;
    pointers.indexUsageMaps.resize(layout.indexes.size());
    pointers.indexRootPages.resize(layout.indexes.size());
    pointers.relatedTablePages.resize(layout.logicalIndexes.size());
    pointers.longValueMaps.resize(longValueColumns(layout).size());
    return pointers;
}

void writeRows(PageSet& pages, TablePlan& plan) {
    // Long values first, so that the table's data pages follow one another.
    LongValuePages longValues(pages);
    std::vector<QByteArray> encoded;
    encoded.reserve(plan.rows.size());
    for (const RowValues& row : plan.rows)
        encoded.push_back(encodeRow(plan.layout, row, longValues));
    DataPageWriter data(pages, plan.tdefPage);
    for (const QByteArray& row : encoded)
        data.add(row);
    plan.dataPages = data.pages();
    for (const std::size_t column : longValueColumns(plan.layout))
        plan.longValuePages.push_back(longValues.pagesOf(plan.layout.columns[column].number));
    plan.pointers.rowCount = static_cast<std::uint32_t>(plan.rows.size());
    plan.rows.clear();
}

// An index root as an empty leaf page; index entries are not written (see the README).
std::uint32_t writeEmptyLeaf(PageSet& pages, std::uint32_t tdefPage) {
    const std::uint32_t number = pages.allocate();
    char* page = pages.page(number);
    page[0] = 0x04;
    page[1] = 0x01;
    qToLittleEndian(static_cast<std::uint16_t>(kPageSize - kLeafEntriesStart), page + 2);
    qToLittleEndian(tdefPage, page + 4);
    return number;
}

// Page 1: the pages not yet in use, as far as a 512-page map reaches.
void writeGlobalUsage(PageSet& pages) {
    std::vector<std::uint32_t> unused;
    for (auto page = static_cast<int>(pages.count()); page < kUsageMapCoverage; ++page)
        unused.push_back(static_cast<std::uint32_t>(page));
    const QByteArray map = usageMap(unused);
    DataPageWriter global(pages, kGlobalUsageOwner, kGlobalUsagePage);
    global.add(map);
    global.add(QByteArray(map.size(), '\0'));
}

PageSet buildPages(const DatabaseDescription& database) {
    PageSet pages;
    pages.allocate(2); // header and global usage map

    std::vector<TablePlan> plans;
    for (TableLayout& layout : systemTableLayouts())
        plans.push_back({std::move(layout), {}, 0, {}, {}, {}});
    const std::size_t systemCount = plans.size();
    std::vector<TableLayout> userLayouts;
    for (const TableDescription& table : database.tables)
        userLayouts.push_back(userTableLayout(table));
    addRelationshipIndexes(userLayouts, database.relationships);
    for (std::size_t i = 0; i < database.tables.size(); ++i) {
        TablePlan plan{std::move(userLayouts[i]), database.tables[i].rows, 0, {}, {}, {}};
        plan.pointers.lastAutonumber = database.tables[i].lastAutonumber;
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
    plans[3].rows = relationshipRows(database);

    for (TablePlan& plan : plans)
        writeRows(pages, plan);
    for (TablePlan& plan : plans)
        for (std::size_t i = 0; i < plan.layout.indexes.size(); ++i)
            plan.pointers.indexRootPages.push_back(writeEmptyLeaf(pages, plan.tdefPage));

    DataPageWriter maps(pages, kUsageMapOwner);
    for (TablePlan& plan : plans) {
        plan.pointers.usageMap = maps.add(usageMap(plan.dataPages));
        plan.pointers.freeSpaceMap = maps.add(usageMap({}));
        for (const std::uint32_t root : plan.pointers.indexRootPages)
            plan.pointers.indexUsageMaps.push_back(maps.add(usageMap({root})));
        for (const std::vector<std::uint32_t>& longPages : plan.longValuePages)
            plan.pointers.longValueMaps.emplace_back(maps.add(usageMap(longPages)),
                                                     maps.add(usageMap({})));
        for (const LogicalIndex& index : plan.layout.logicalIndexes)
            plan.pointers.relatedTablePages.push_back(
                index.type == 2 ? plans[systemCount + index.relatedTable].tdefPage : 0);
        pages.writeTdef(plan.tdefPage, tdefBytes(plan.layout, plan.pointers));
    }

    writeGlobalUsage(pages);
    writeHeaderPage(pages.page(kHeaderPage), database.password, database.created);
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
