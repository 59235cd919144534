#include "reader/Protocol.h"

#include <fstream>
#include <gtest/gtest.h>

namespace ombrix::tests {
namespace {

using namespace reader;

TEST(Protocol, RequestsAndAnswersSurviveTheTrip) {
    const Request sent{Operation::DescribeObject, "/data/Müller & Söhne.mdb", "pa;ss\"word",
                       core::ObjectKind::Query, "Big orders"};
    const auto received = decodeRequest(encodeRequest(sent));
    ASSERT_TRUE(received.has_value());
    EXPECT_EQ(received->operation, Operation::DescribeObject);
    EXPECT_EQ(received->path, sent.path);
    EXPECT_EQ(received->password, sent.password);
    EXPECT_EQ(received->kind, core::ObjectKind::Query);
    EXPECT_EQ(received->name, sent.name);
    EXPECT_EQ(decodeRequest(encodeRequest({Operation::ListObjects, "x", {}, {}, {}}))->operation,
              Operation::ListObjects);

    const core::ObjectDefinition definition{{{"Order ID", 4}, {"Größe", 10}},
                                            {{"PrimaryKey", {"Order ID", "Größe"}}, {"", {}}}};
    const auto answer = decodeDefinitionAnswer(encodeAnswer(definition));
    ASSERT_TRUE(answer.has_value());
    EXPECT_EQ(std::get<core::ObjectDefinition>(*answer), definition);

    const core::DatabaseObjects objects{{{"Orders"}}, {{"Big orders", 16}}};
    EXPECT_EQ(std::get<core::DatabaseObjects>(*decodeObjectsAnswer(encodeAnswer(objects))),
              objects);

    const auto error = decodeObjectsAnswer(encodeAnswer(core::EngineError(3031, "Not valid.")));
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(std::get<core::EngineError>(*error).number(), 3031);
    EXPECT_EQ(std::get<core::EngineError>(*error).description(), "Not valid.");
}

// Each line of malformed-messages.txt: "request " or "answer " (to a listing), then the bytes.
TEST(Protocol, RejectsMalformedMessages) {
    std::ifstream cases(OMBRIX_MALFORMED_MESSAGES, std::ios::binary);
    int count = 0;
    for (std::string line; std::getline(cases, line);) {
        if (line.starts_with("request ")) {
            EXPECT_FALSE(decodeRequest(line.substr(8)).has_value()) << line;
        } else if (line.starts_with("answer ")) {
            EXPECT_FALSE(decodeObjectsAnswer(line.substr(7)).has_value()) << line;
        } else {
            continue;
        }
        ++count;
    }
    EXPECT_EQ(count, 18);
}

// Names are limited in UTF-16 code units, as the engine counts them.
TEST(Protocol, LimitsNamesInUtf16Units) {
    const auto listing = [](const std::string& name) {
        return decodeObjectsAnswer(encodeAnswer(core::DatabaseObjects{{{name}}, {}}));
    };
    EXPECT_TRUE(listing(std::string(32768, 'a')).has_value());
    EXPECT_FALSE(listing(std::string(32769, 'a')).has_value());
    std::string pairs;
    for (int i = 0; i < 16384; ++i) {
        pairs += "😀"; // one surrogate pair each
    }
    EXPECT_TRUE(listing(pairs).has_value());
    EXPECT_FALSE(listing(pairs + "a").has_value());
    EXPECT_FALSE(decodeObjectsAnswer(std::string(kMaxMessageBytes + 1, ' ')).has_value());
}

} // namespace
} // namespace ombrix::tests
