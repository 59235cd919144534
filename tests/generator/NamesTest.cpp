#include "generator/Names.h"

#include "generator/Utf8.h"

#include <gtest/gtest.h>
#include <random>
#include <string>

namespace {

using ombrix::objectName;
using ombrix::ProperCase;
using ombrix::SpaceToUnderscore;

struct Conversion {
    std::string input;
    std::string expected;
};

class ProperCaseTest : public testing::TestWithParam<Conversion> {};

TEST_P(ProperCaseTest, Converts) {
    EXPECT_EQ(ProperCase(GetParam().input), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Words, ProperCaseTest,
    testing::Values(Conversion{"OrderDate", "Orderdate"}, Conversion{"ORDER ID", "Order Id"},
                    Conversion{"customer name", "Customer Name"}, Conversion{"", ""},
                    Conversion{"  two  BLANKS ", "  Two  Blanks "}, Conversion{"x", "X"}));

INSTANTIATE_TEST_SUITE_P(
    Separators, ProperCaseTest,
    testing::Values(Conversion{"ab\tcd", "Ab\tCd"}, Conversion{"ab\ncd", "Ab\nCd"},
                    Conversion{"ab\vcd", "Ab\vCd"}, Conversion{"ab\fcd", "Ab\fCd"},
                    Conversion{"ab\rcd", "Ab\rCd"},
                    Conversion{std::string("ab\0cd", 5), std::string("Ab\0Cd", 5)}));

INSTANTIATE_TEST_SUITE_P(
    NonSeparators, ProperCaseTest,
    testing::Values(Conversion{"FIRST-NAME", "First-name"}, Conversion{"last_NAME", "Last_name"},
                    Conversion{"O'NEIL", "O'neil"}, Conversion{"abc1DEF", "Abc1def"},
                    Conversion{"2ND floor", "2nd Floor"},
                    Conversion{"'QUOTED' word", "'quoted' Word"}, Conversion{"a.B,C", "A.b,c"}));

INSTANTIATE_TEST_SUITE_P(
    NonAsciiLetters, ProperCaseTest,
    testing::Values(Conversion{"ÉCOLE ÉTÉ", "École Été"}, Conversion{"straße", "Straße"},
                    Conversion{"ßa", "ßa"}, Conversion{"ÿES", "Ÿes"}, Conversion{"ŒUVRE", "Œuvre"},
                    Conversion{"łÓDŹ", "Łódź"}, Conversion{"ΣΟΦΊΑ", "Σοφία"},
                    Conversion{"ςΑ", "Σα"}, Conversion{"москва ЁЛКА", "Москва Ёлка"},
                    Conversion{"ґАНОК", "Ґанок"}, Conversion{"İSTANBUL ıI", "İstanbul ıi"},
                    Conversion{"µM", "µm"}, Conversion{"žŽ", "Žž"},
                    Conversion{"中文 abc", "中文 Abc"}, Conversion{"😀ABC", "😀abc"}));

// Invalid UTF-8 is copied byte for byte; an invalid byte counts as a character that is no letter.
INSTANTIATE_TEST_SUITE_P(InvalidUtf8, ProperCaseTest,
                         testing::Values(Conversion{"\xFF"
                                                    "ABC",
                                                    "\xFF"
                                                    "abc"},
                                         Conversion{"ab\xC3", "Ab\xC3"},
                                         Conversion{"\xC0\xAF"
                                                    "x",
                                                    "\xC0\xAF"
                                                    "x"},
                                         Conversion{"\xE2\x82"
                                                    "X",
                                                    "\xE2\x82"
                                                    "x"},
                                         Conversion{"\xED\xA0\x80"
                                                    "a",
                                                    "\xED\xA0\x80"
                                                    "a"},
                                         Conversion{"\xF4\x90\x80\x80"
                                                    "a",
                                                    "\xF4\x90\x80\x80"
                                                    "a"},
                                         Conversion{"a \x80"
                                                    "B",
                                                    "A \x80"
                                                    "b"}));

class SpaceToUnderscoreTest : public testing::TestWithParam<Conversion> {};

TEST_P(SpaceToUnderscoreTest, Converts) {
    EXPECT_EQ(SpaceToUnderscore(GetParam().input), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Blanks, SpaceToUnderscoreTest,
                         testing::Values(Conversion{"Customer Name", "Customer_Name"},
                                         Conversion{"a  b", "a__b"}, Conversion{" a ", "_a_"},
                                         Conversion{"", ""}, Conversion{"ab", "ab"},
                                         Conversion{"a\tb\nc", "a\tb\nc"}, Conversion{"ä ö", "ä_ö"},
                                         Conversion{"no\xC2\xA0"
                                                    "break",
                                                    "no\xC2\xA0"
                                                    "break"}));

TEST(ObjectNameTest, TakesTheCaptionFromItsEighthCharacter) {
    EXPECT_EQ(objectName("Table: Orders"), "Orders");
    EXPECT_EQ(objectName("Query: Order Details"), "Order Details");
    EXPECT_EQ(objectName("Table: "), "");
    EXPECT_EQ(objectName("Table"), "");
    EXPECT_EQ(objectName(""), "");
    EXPECT_EQ(objectName("Täble: Straße"), "Straße");
}

std::size_t CountCharacters(const std::string& text, bool& valid) {
    std::size_t count = 0;
    valid = true;
    for (std::size_t pos = 0; pos < text.size(); ++count) {
        const auto c = ombrix::decodeUtf8(text, pos);
        valid = valid && c.valid;
        pos += c.length;
    }
    return count;
}

// Random text from a pool of pieces: ASCII, two-, three- and four-byte letters, separators and
// stray bytes. Valid input must stay valid with as many characters; any input must come out the
// same when converted twice.
TEST(ProperCaseProperties, KeepsCharactersAndIsStable) {
    const std::string pieces[] = {
        "a", "Z", " ", "\t", "'", "-", "7",  "é", "É",    "ß",    "ÿ",        "Ÿ",
        "ς", "Σ", "Ж", "ж",  "Ґ", "İ", "中", "😀", "\xFF", "\xC3", "\xE2\x82", std::string(1, '\0')};
    std::mt19937 random(20240601);
    std::uniform_int_distribution<std::size_t> pick(0, std::size(pieces) - 1);
    std::uniform_int_distribution<int> length(0, 24);
    for (int round = 0; round < 5000; ++round) {
        std::string text;
        for (int i = length(random); i > 0; --i) {
            text += pieces[pick(random)];
        }
        const std::string once = ProperCase(text);
        EXPECT_EQ(ProperCase(once), once);
        bool inputValid = false;
        bool outputValid = false;
        const std::size_t inputCount = CountCharacters(text, inputValid);
        const std::size_t outputCount = CountCharacters(once, outputValid);
        if (inputValid) {
            EXPECT_TRUE(outputValid);
            EXPECT_EQ(outputCount, inputCount);
        }
    }
}

} // namespace
