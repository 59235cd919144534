#include "reader/Protocol.h"

#include "core/EngineErrors.h"
#include "support/Files.h"
#include "support/TestData.h"

#include <gtest/gtest.h>
#include <sstream>
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

    const Request inspect{.operation = Operation::InspectDatabase,
                          .path = "/data/shop.mdb",
                          .password = "",
                          .kind = core::ObjectKind::Query,
                          .name = "Big orders"};
    const Request inspected = decodeRequest(encodeRequest(inspect)).value();
    EXPECT_EQ(std::tie(inspected.operation, inspected.kind, inspected.name),
              std::tie(inspect.operation, inspect.kind, inspect.name));
    Request everyObject;
    everyObject.operation = Operation::InspectDatabase;
    EXPECT_EQ(decodeRequest(encodeRequest(everyObject))->name, "");

    const core::ObjectDefinition definition{
        .fields = {{.name = "Order ID", .type = 4, .autoNumber = true},
                   {.name = "Größe", .type = 10}},
        .indexes = {{.name = "PrimaryKey", .fields = {"Order ID", "Größe"}}, {}}};
    EXPECT_EQ(
        std::get<core::ObjectDefinition>(decodeDefinitionAnswer(encodeAnswer(definition)).value()),
        definition);
    const core::DatabaseObjects objects{
        .tables = {{.name = "Orders"}, {.name = "Größe \"x\" \\ \t\x01\x7f"}, {.name = "caf\xe9"}},
        .queries = {{.name = "Big orders", .type = 16}, {.name = "Sums", .type = 0}}};
    const core::DatabaseObjects replaced{
        .tables = {objects.tables[0], objects.tables[1], {.name = "caf\uFFFD"}},
        .queries = objects.queries};
    EXPECT_EQ(std::get<core::DatabaseObjects>(decodeObjectsAnswer(encodeAnswer(objects)).value()),
              replaced);
    // Escapes encodeAnswer does not write are JSON all the same.
    const core::DatabaseObjects unescaped{.tables = {{.name = "AA/"}}, .queries = {}};
    EXPECT_EQ(std::get<core::DatabaseObjects>(
                  decodeObjectsAnswer(R"({"objects":{"queries":[],"tables":["A\u0041\/"]},)"
                                      R"("ombrixReader":)" +
                                      std::to_string(kProtocolVersion) + "}")
                      .value()),
              unescaped);
    EXPECT_EQ(encodeAnswer(core::DatabaseObjects{.tables = {{.name = "A\"\\\b\f\n\r\t\x1f/é"}},
                                                 .queries = {{.name = "Q", .type = 1}}}),
              R"({"objects":{"queries":[["Q",1]],"tables":["A\"\\\b\f\n\r\t\u001f/é"]},)"
              R"("ombrixReader":)" +
                  std::to_string(kProtocolVersion) + "}");
    core::DatabaseInspection inspection{
        .database = {.formatVersion = 0,
                     .codePage = 1252,
                     .encryption = {core::Encryption::JetRc4, core::Encryption::OfficeAgile}},
        .catalogue = {}};
    const auto inspectionTrip = [](const core::DatabaseInspection& value) {
        return std::get<core::DatabaseInspection>(
            decodeInspectionAnswer(encodeAnswer(value)).value());
    };
    EXPECT_EQ(inspectionTrip(inspection).database, inspection.database);
    EXPECT_FALSE(inspectionTrip(inspection).catalogue);
    inspection.catalogue = core::DatabaseInspection::Catalogue{
        .queries = {{.name = "Sums",
                     .type = 0,
                     .distinct = true,
                     .totals = true,
                     .inputQueries = {"Big orders"}}},
        .objects = {
            {.kind = core::ObjectKind::Table,
             .name = "Remote",
             .link = core::TableLink{.odbc = true, .source = "Sales", .foreignName = "dbo.Orders"},
             .definition = core::odbcConnectionFailed("Sales")},
            {.kind = core::ObjectKind::Query,
             .name = "Sums",
             .link = {},
             .definition = definition}}};
    const auto catalogue = inspectionTrip(inspection).catalogue.value();
    EXPECT_EQ(catalogue.queries, inspection.catalogue->queries);
    ASSERT_EQ(catalogue.objects.size(), 2U);
    EXPECT_EQ(catalogue.objects[0].link, inspection.catalogue->objects[0].link);
    EXPECT_EQ(std::get<core::EngineError>(catalogue.objects[0].definition).number(), 3151);
    EXPECT_EQ(
        std::tie(catalogue.objects[1].kind, catalogue.objects[1].name),
        std::tie(inspection.catalogue->objects[1].kind, inspection.catalogue->objects[1].name));
    EXPECT_EQ(std::get<core::ObjectDefinition>(catalogue.objects[1].definition), definition);

    const core::EngineError sentError = core::notValidPassword();
    const auto error =
        std::get<core::EngineError>(decodeObjectsAnswer(encodeAnswer(sentError)).value());
    EXPECT_EQ(std::pair(error.number(), error.description()),
              std::pair(sentError.number(), sentError.description()));
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
    EXPECT_TRUE(wire.ends_with(R"(","path":"/d/caf%E9 100%25.mdb"},"ombrixReader":)" +
                               std::to_string(kProtocolVersion) + "}"))
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

// Each line of malformed-messages.txt: "request ", "answer " (to a listing) or "inspection " (an
// answer to an inspection), then the bytes, where {version} stands for the protocol's version.
TEST(Protocol, RejectsMalformedMessages) {
    std::istringstream cases(readFile(sourceFile("tests/reader/malformed-messages.txt")));
    int count = 0;
    for (std::string line; std::getline(cases, line);) {
        // Each message carries the version, so that only its flaw refuses it.
        for (auto at = line.find("{version}"); at != std::string::npos;
             at = line.find("{version}")) {
            line.replace(at, 9, std::to_string(kProtocolVersion));
        }
        if (line.starts_with("request ")) {
            EXPECT_FALSE(decodeRequest(line.substr(8)).has_value()) << line;
        } else if (line.starts_with("answer ")) {
            EXPECT_FALSE(decodeObjectsAnswer(line.substr(7)).has_value()) << line;
        } else if (line.starts_with("inspection ")) {
            EXPECT_FALSE(decodeInspectionAnswer(line.substr(11)).has_value()) << line;
        } else {
            continue;
        }
        ++count;
    }
    EXPECT_EQ(count, 52);
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
