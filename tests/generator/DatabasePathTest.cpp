// Which paths name an Access database: the last four characters ".mdb" or the last six ".accdb",
// in any letter case.
#include "generator/DatabasePath.h"

#include <gtest/gtest.h>

namespace ombrix::tests {
namespace {

TEST(DatabasePath, EndingsInAnyLetterCase) {
    const struct {
        std::string_view path;
        bool database, accdb;
    } rows[] = {
        {.path = "/d/Shop.mdb", .database = true, .accdb = false},
        {.path = "C:\\DATA\\SHOP.MDB", .database = true, .accdb = false},
        {.path = "x.accdb", .database = true, .accdb = true},
        {.path = "/d/Orders.AcCdB", .database = true, .accdb = true},
        {.path = ".mdb", .database = true, .accdb = false},
        {.path = "mdb", .database = false, .accdb = false},
        {.path = "/d/notes.mdb.txt", .database = false, .accdb = false},
        {.path = "/d/shop.mde", .database = false, .accdb = false},
        {.path = "/d/shop.accde", .database = false, .accdb = false},
        {.path = "/d/shop.xaccdb", .database = false, .accdb = false},
        {.path = "/d/caf\xe9.mdb", .database = true, .accdb = false}, // Latin-1 bytes
        {.path = "/d/\xc3\x89.ACCDB", .database = true, .accdb = true},
        {.path = "", .database = false, .accdb = false},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(namesAccessDatabase(row.path), row.database) << row.path;
        EXPECT_EQ(namesAccdb(row.path), row.accdb) << row.path;
    }
}

} // namespace
} // namespace ombrix::tests
