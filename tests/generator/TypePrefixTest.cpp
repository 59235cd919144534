#include "generator/TypePrefix.h"

#include <gtest/gtest.h>
#include <string>

namespace {

using ombrix::GetPrefix;
using ombrix::GetSQLToken;

struct TypeRow {
    int code;
    std::string prefix;
    std::string token;
};

class TypeCodeTest : public testing::TestWithParam<TypeRow> {};

TEST_P(TypeCodeTest, MapsToPrefixAndDelimiter) {
    const auto& row = GetParam();
    EXPECT_EQ(GetPrefix(row.code), row.prefix);
    EXPECT_EQ(GetSQLToken(GetPrefix(row.code)), row.token);
}

INSTANTIATE_TEST_SUITE_P(
    EveryCode, TypeCodeTest,
    testing::Values(TypeRow{0, "unk", ""}, TypeRow{1, "boo", ""}, TypeRow{2, "byt", ""},
                    TypeRow{3, "int", ""}, TypeRow{4, "lng", ""}, TypeRow{5, "cur", ""},
                    TypeRow{6, "int", ""}, TypeRow{7, "dbl", ""}, TypeRow{8, "dat", "#"},
                    TypeRow{9, "bin", ""}, TypeRow{10, "str", "'"}, TypeRow{11, "obj", ""},
                    TypeRow{12, "mem", "'"}, TypeRow{13, "unk", ""}, TypeRow{14, "unk", ""},
                    TypeRow{15, "gui", ""}, TypeRow{16, "int", ""}, TypeRow{17, "obj", ""},
                    TypeRow{18, "str", "'"}, TypeRow{19, "lng", ""}, TypeRow{20, "dec", ""},
                    TypeRow{21, "flt", ""}, TypeRow{22, "tim", ""}, TypeRow{23, "tms", ""},
                    TypeRow{24, "unk", ""}, TypeRow{-1, "unk", ""}, TypeRow{32767, "unk", ""},
                    TypeRow{-32768, "unk", ""}));

TEST(GetSQLTokenTest, ComparesExactlyAndCaseSensitively) {
    EXPECT_EQ(GetSQLToken("STR"), "");
    EXPECT_EQ(GetSQLToken("Mem"), "");
    EXPECT_EQ(GetSQLToken(""), "");
    EXPECT_EQ(GetSQLToken("str "), "");
    EXPECT_EQ(GetSQLToken("date"), "");
    EXPECT_EQ(GetSQLToken("mem"), "'");
}

} // namespace
