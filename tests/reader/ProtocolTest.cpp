#include "reader/Protocol.h"

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

TEST(Protocol, RejectsMalformedRequests) {
    for (const char* bytes : {
             "",
             R"({"objects":{"path":"x","password":""}})",
             R"({"ombrixReader":1,"objects":{"path":"x"}})",
             R"({"ombrixReader":1,"describe":{"path":"x","password":"","kind":"form","name":"f"}})",
             R"({"ombrixReader":1,"objects":{"path":1,"password":""}})",
             R"({"ombrixReader":1,"objects":{"path":"x","password":"","name":"f"}})",
         }) {
        EXPECT_FALSE(decodeRequest(bytes).has_value()) << bytes;
    }
}

TEST(Protocol, RejectsAnswersOfAnyOtherShape) {
    for (const char* bytes : {
             R"({"ombrixReader":1,"objects":{"tables":["Ord)",
             R"({"ombrixReader":2,"objects":{"tables":[],"queries":[]}})",
             R"({"objects":{"tables":[],"queries":[]}})",
             R"({"ombrixReader":1,"objects":{"tables":[],"queries":[]},"x":1})",
             R"({"ombrixReader":1,"objects":{"tables":[],"queries":[["Q","0"]]}})",
             R"({"ombrixReader":1,"objects":{"tables":[],"queries":[["Q",4096]]}})",
             R"({"ombrixReader":1,"objects":{"tables":[],"queries":[["Q",1.5]]}})",
             R"({"ombrixReader":1,"objects":{"tables":[""],"queries":[]}})",
             R"({"ombrixReader":1,"objects":{"tables":[")"
             "\xff"
             R"("],"queries":[]}})",
             R"({"ombrixReader":1,"definition":{"fields":[],"indexes":[]}})",
             R"({"ombrixReader":1,"error":["x","Not a valid password."]})",
             R"({"ombrixReader":1,"error":[3031,""]})",
         }) {
        EXPECT_FALSE(decodeObjectsAnswer(bytes).has_value()) << bytes;
    }
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
