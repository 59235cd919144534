// Table definitions built byte by byte, for what real files rarely show: deleted columns and
// damage. (Indexes whose logical and physical numbers differ are in the golden catalogues.)

#include "reader/TableDefinition.h"

#include "reader/DaoTypes.h"

#include <gtest/gtest.h>

namespace ombrix::tests {
namespace {

using namespace reader;

struct Column {
    int type;
    int number;
    int ordinal;
    std::u16string name;
};

struct Logical {
    int logicalNumber;
    int physicalNumber;
    int kind;
    std::u16string name;
};

void put16(std::string& bytes, std::size_t at, int value) {
    bytes[at] = static_cast<char>(value & 0xFF);
    bytes[at + 1] = static_cast<char>((value >> 8) & 0xFF);
}

void put32(std::string& bytes, std::size_t at, int value) {
    put16(bytes, at, value & 0xFFFF);
    put16(bytes, at + 2, (value >> 16) & 0xFFFF);
}

void appendName(std::string& bytes, std::u16string_view name) {
    std::string length(2, '\0');
    put16(length, 0, static_cast<int>(name.size() * 2));
    bytes += length;
    for (const char16_t unit : name) {
        bytes += static_cast<char>(unit & 0xFF);
        bytes += static_cast<char>(unit >> 8);
    }
}

// A Jet 4 table definition laid out as Access writes it.
std::string jet4Definition(const std::vector<Column>& columns,
                           const std::vector<std::vector<int>>& physical,
                           const std::vector<Logical>& logical) {
    std::string bytes(63, '\0');
    bytes[0] = 0x02;
    put16(bytes, 45, static_cast<int>(columns.size()));
    put32(bytes, 47, static_cast<int>(logical.size()));
    put32(bytes, 51, static_cast<int>(physical.size()));
    bytes += std::string(12 * physical.size(), '\0');
    for (const Column& column : columns) {
        std::string entry(25, '\0');
        entry[0] = static_cast<char>(column.type);
        put16(entry, 5, column.number);
        put16(entry, 9, column.ordinal);
        bytes += entry;
    }
    for (const Column& column : columns) {
        appendName(bytes, column.name);
    }
    for (const std::vector<int>& keys : physical) {
        std::string entry(52, '\0');
        for (std::size_t k = 0; k < 10; ++k) {
            put16(entry, 4 + 3 * k, k < keys.size() ? keys[k] : 0xFFFF);
        }
        bytes += entry;
    }
    for (const Logical& index : logical) {
        std::string entry(28, '\0');
        put32(entry, 4, index.logicalNumber);
        put32(entry, 8, index.physicalNumber);
        entry[23] = static_cast<char>(index.kind);
        bytes += entry;
    }
    for (const Logical& index : logical) {
        appendName(bytes, index.name);
    }
    return bytes;
}

DatabaseHeader jet4Header() {
    return {};
}

TEST(TableDefinition, KeepsCreationNumbersAndOrdinals) {
    // A deleted column leaves a gap in the creation numbers; a moved one changes ordinals.
    const std::vector<Column> columns{{4, 0, 0, u"ID"}, {10, 5, 2, u"Näme"}, {8, 3, 1, u"When"}};
    const TableDefinition table =
        parseTableDefinition(jet4Definition(columns, {}, {}), jet4Header(), "x");
    ASSERT_EQ(table.columns.size(), 3U);
    EXPECT_EQ(table.columns[1].name, "Näme");
    EXPECT_EQ(table.columns[1].number, 5);
    EXPECT_EQ(table.columns[1].ordinal, 2);
    EXPECT_EQ(table.columns[2].storageType, 8);
    EXPECT_EQ(daoTypeOfStorage(kComplexStorageType), 101); // DAO's code for an attachment
}

TEST(TableDefinition, RejectsDamage) {
    const std::string good = jet4Definition({{4, 0, 0, u"ID"}}, {{0}}, {{0, 0, 1, u"PrimaryKey"}});
    std::vector<std::string> damaged{good.substr(0, good.size() - 3), good.substr(0, 80), ""};
    damaged.push_back(good);
    damaged.back()[0] = 0x01; // not a definition page
    damaged.push_back(good);
    put32(damaged.back(), good.size() - 2 - 20 - 28 + 8, 7); // physical index out of range
    damaged.push_back(good);
    put32(damaged.back(), 47, 0x7FFFFFFF); // absurd index count
    damaged.push_back(good);
    put16(damaged.back(), 63 + 12 + 25, 0x7FFF); // a name longer than the definition
    for (const std::string& bytes : damaged) {
        try {
            parseTableDefinition(bytes, jet4Header(), "x.mdb");
            ADD_FAILURE() << "accepted " << bytes.size();
        } catch (const core::EngineError& e) {
            EXPECT_EQ(e.number(), 3343);
        }
    }
}

} // namespace
} // namespace ombrix::tests
