#include "reader/Protocol.h"

#include <fstream>
#include <gtest/gtest.h>
#include <tuple>

namespace ombrix::tests {
namespace {

using namespace reader;

TEST(Protocol, RequestsAndAnswersSurviveTheTrip) {
    const Request sent{.operation = Operation::DescribeObject,
                       .path = "/data/Müller & Söhne.mdb",
                       .password = "pa;ss\"word",
                       .kind = core::ObjectKind::Query,
                       .name = "Big orders"};
    const Request received = decodeRequest(encodeRequest(sent)).value();
    EXPECT_EQ(std::tie(received.operation, received.path, received.password, received.kind,
                       received.name),
              std::tie(sent.operation, sent.path, sent.password, sent.kind, sent.name));
    EXPECT_EQ(decodeRequest(encodeRequest(Request{})).value().operation, Operation::ListObjects);

    const core::ObjectDefinition definition{
        .fields = {{.name = "Order ID", .type = 4}, {.name = "Größe", .type = 10}},
        .indexes = {{.name = "PrimaryKey", .fields = {"Order ID", "Größe"}}, {}}};
    EXPECT_EQ(
        std::get<core::ObjectDefinition>(decodeDefinitionAnswer(encodeAnswer(definition)).value()),
        definition);
    const core::DatabaseObjects objects{.tables = {{.name = "Orders"}},
                                        .queries = {{.name = "Big orders", .type = 16}}};
    EXPECT_EQ(std::get<core::DatabaseObjects>(decodeObjectsAnswer(encodeAnswer(objects)).value()),
              objects);
    const auto error = std::get<core::EngineError>(
        decodeObjectsAnswer(encodeAnswer(core::EngineError(3031, "Not valid."))).value());
    EXPECT_EQ(std::pair(error.number(), error.description()),
              std::pair(3031, std::string("Not valid.")));
}

// A path is bytes in any encoding: percent-encoded on the wire, every byte outside printable
// ASCII and "%" itself as %XX. What a request asks about is limited by the message alone.
TEST(Protocol, RequestsCarryAnyPathAndAnyLengthOfName) {
    const Request latin1{.operation = Operation::ListObjects,
                         .path = "/d/caf\xe9 100%.mdb",
                         .password = std::string(100000, 'p'),
                         .kind = core::ObjectKind::Table,
                         .name = {}};
    const std::string wire = encodeRequest(latin1);
    EXPECT_TRUE(wire.starts_with(R"({"objects":{"password":")")) << wire.substr(0, 40);
    EXPECT_TRUE(wire.ends_with(R"(","path":"/d/caf%E9 100%25.mdb"},"ombrixReader":2})"))
        << wire.substr(wire.size() - 60);
    const Request received = decodeRequest(wire).value();
    EXPECT_EQ(received.path, latin1.path);
    EXPECT_EQ(received.password, latin1.password);

    const Request longName{.operation = Operation::DescribeObject,
                           .path = "C:\\Data\\\x01\x7f\xff~.mdb",
                           .password = {},
                           .kind = core::ObjectKind::Table,
                           .name = std::string(100000, 'n')};
    const Request again = decodeRequest(encodeRequest(longName)).value();
    EXPECT_EQ(std::tie(again.path, again.name), std::tie(longName.path, longName.name));
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
    EXPECT_EQ(count, 22);
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
