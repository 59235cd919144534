// Damaged table definitions: the definition page of Table1 in a real Access 2000 file (columns ID
// and Data, index PrimaryKey), changed byte by byte.

#include "reader/TableDefinition.h"

#include "reader/DaoTypes.h"
#include "support/Files.h"
#include "support/TestData.h"

#include <gtest/gtest.h>

namespace ombrix::tests {
namespace {

using namespace reader;

void put(std::string& bytes, std::size_t at, std::uint32_t value, std::size_t size) {
    for (std::size_t i = 0; i < size; ++i) {
        bytes[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
    }
}

TEST(TableDefinition, RejectsDamage) {
    constexpr std::size_t kTable1Page = 45;
    if (!haveConformanceFiles()) {
        GTEST_SKIP() << "The real Access files are not at hand";
    }
    const std::string good =
        readFile(conformanceFile("V2000_with-password.mdb")).substr(kTable1Page * 4096, 4096);
    const TableDefinition table1 = parseTableDefinition(good, {}, "x.mdb");
    ASSERT_EQ(table1.columns.size(), 2U);
    ASSERT_EQ(table1.indexes.size(), 1U);

    std::vector<std::string> damaged{good.substr(0, 138), good.substr(0, 80), ""};
    damaged.push_back(good);
    damaged.back()[0] = 0x01; // not a definition page
    damaged.push_back(good);
    put(damaged.back(), 193 + 8, 7, 4); // the logical index names a physical one out of range
    damaged.push_back(good);
    put(damaged.back(), 47, 0x7FFFFFFF, 4); // absurd index count
    damaged.push_back(good);
    put(damaged.back(), 125, 0x7FFF, 2); // a name longer than the definition
    for (const std::string& bytes : damaged) {
        try {
            parseTableDefinition(bytes, {}, "x.mdb");
            ADD_FAILURE() << "accepted " << bytes.size();
        } catch (const core::EngineError& e) {
            EXPECT_EQ(e.number(), 3343);
        }
    }
}

// No file at hand has an attachment column: its type is checked where it is mapped.
TEST(TableDefinition, AComplexColumnIsAnAttachment) {
    EXPECT_EQ(daoTypeOfStorage(kComplexStorageType), 101);
}

} // namespace
} // namespace ombrix::tests
