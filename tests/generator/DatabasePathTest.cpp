// Which paths name an Access database: the last four characters ".mdb" or the last six ".accdb",
// in any letter case; and how a path's bytes read in the page.
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

// UTF-8 stays; anything else is read as Windows-1252 reads it (the characters of 0x80 to 0x9F from
// the code page's published table, the five it leaves undefined as C1 controls).
TEST(DatabasePath, BytesThatAreNotUtf8ReadAsWindows1252InThePage) {
    const struct {
        std::string_view bytes, page;
    } rows[] = {
        {.bytes = "/d/caf\xe9.mdb", .page = "/d/caf\u00e9.mdb"},
        {.bytes = "/d/caf\u00e9.mdb", .page = "/d/caf\u00e9.mdb"},
        {.bytes = "/d/\U0001D538.mdb", .page = "/d/\U0001D538.mdb"},
        {.bytes = "\x80\x93x\x94\x9f\xa0\xff", .page = "\u20ac\u201cx\u201d\u0178\u00a0\u00ff"},
        {.bytes = "\x81\x8d\x8f\x90\x9d", .page = "\u0081\u008d\u008f\u0090\u009d"},
        {.bytes = "\xc3\xa9\xe9", .page = "\u00c3\u00a9\u00e9"},       // one bad byte: all of it
        {.bytes = "\xed\xa0\x80", .page = "\u00ed\u00a0\u20ac"},       // a surrogate is no UTF-8
        {.bytes = "\xed\xbf\xbf", .page = "\u00ed\u00bf\u00bf"},       // nor the last one
        {.bytes = "\xed\x9f\xbf\xee\x80\x80", .page = "\ud7ff\ue000"}, // around the surrogates
        // The shortest form of each length and the last code point are UTF-8; an overlong form
        // or a code point beyond U+10FFFF is not.
        {.bytes = "\xc2\x80\xe0\xa0\x80\xf0\x90\x80\x80", .page = "\u0080\u0800\U00010000"},
        {.bytes = "\xf4\x8f\xbf\xbf", .page = "\U0010FFFF"},
        {.bytes = "\xc1\xbf", .page = "\u00c1\u00bf"},
        {.bytes = "\xe0\x9f\xbf", .page = "\u00e0\u0178\u00bf"},
        {.bytes = "\xf0\x8f\xbf\xbf", .page = "\u00f0\u008f\u00bf\u00bf"},
        {.bytes = "\xf4\x90\x80\x80", .page = "\u00f4\u0090\u20ac\u20ac"},
        {.bytes = "\xf8\x88\x80\x80\x80", .page = "\u00f8\u02c6\u20ac\u20ac\u20ac"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(pathInPage(row.bytes), row.page) << row.bytes;
    }
}

} // namespace
} // namespace ombrix::tests
