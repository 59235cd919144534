#include "platform/ReaderProtocol.h"

#include <QtTest>

using namespace ombrix::platform;
using namespace ombrix::platform::reader;

class ReaderProtocolTest : public QObject {
    Q_OBJECT

private slots:
    void requestsSurviveTheTrip() {
        const Request sent{Operation::DescribeObject, u"/data/Müller & Söhne.mdb"_qs,
                           u"pa;ss\"word"_qs, ObjectKind::Query, u"Big orders"_qs};
        const auto received = decodeRequest(encodeRequest(sent));
        QVERIFY(received.has_value());
        QCOMPARE(received->operation, Operation::DescribeObject);
        QCOMPARE(received->path, sent.path);
        QCOMPARE(received->password, sent.password);
        QCOMPARE(received->kind, ObjectKind::Query);
        QCOMPARE(received->name, sent.name);

        const auto list =
            decodeRequest(encodeRequest({Operation::ListObjects, u"x"_qs, {}, {}, {}}));
        QVERIFY(list.has_value());
        QCOMPARE(list->operation, Operation::ListObjects);
    }

    void answersSurviveTheTrip() {
        const ObjectDefinition sent{{{u"Order ID"_qs, 4}, {u"Größe"_qs, 10}},
                                    {{u"PrimaryKey"_qs, {u"Order ID"_qs, u"Größe"_qs}}}};
        const auto answer = decodeDefinitionAnswer(encodeAnswer(sent));
        QVERIFY(answer.has_value());
        const auto& received = std::get<ObjectDefinition>(*answer);
        QCOMPARE(received.fields.size(), 2);
        QCOMPARE(received.fields[1].name, u"Größe"_qs);
        QCOMPARE(received.fields[1].type, 10);
        QCOMPARE(received.indexes[0].fields, (QStringList{u"Order ID"_qs, u"Größe"_qs}));

        const auto error =
            decodeObjectsAnswer(encodeAnswer(EngineError(3031, u"Not a valid password."_qs)));
        QVERIFY(error.has_value());
        QCOMPARE(std::get<EngineError>(*error).number(), 3031);
    }

    void rejectsMalformedRequests_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("no version") << QByteArray(R"({"objects":{"path":"x","password":""}})");
        QTest::newRow("missing password")
            << QByteArray(R"({"ombrixReader":1,"objects":{"path":"x"}})");
        QTest::newRow("unknown kind") << QByteArray(
            R"({"ombrixReader":1,"describe":{"path":"x","password":"","kind":"form","name":"f"}})");
        QTest::newRow("path not text")
            << QByteArray(R"({"ombrixReader":1,"objects":{"path":1,"password":""}})");
    }

    void rejectsMalformedRequests() {
        QFETCH(QByteArray, bytes);
        QVERIFY(!decodeRequest(bytes).has_value());
    }
};

QTEST_GUILESS_MAIN(ReaderProtocolTest)
#include "ReaderProtocolTest.moc"
