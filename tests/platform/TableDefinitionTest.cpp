// Table definitions built byte by byte, for what real files rarely show: indexes whose logical
// and physical numbers differ (libmdb 1.0.0 pairs them wrongly), deleted columns, damage.

#include "platform/TableDefinition.h"

#include <QtTest>

using namespace ombrix::platform;

namespace {

struct Column {
    int type;
    int number;
    int ordinal;
    QString name;
};

struct Logical {
    int logicalNumber;
    int physicalNumber;
    int kind;
    QString name;
};

void put16(QByteArray& bytes, qsizetype at, int value) {
    bytes[at] = static_cast<char>(value & 0xFF);
    bytes[at + 1] = static_cast<char>((value >> 8) & 0xFF);
}

void put32(QByteArray& bytes, qsizetype at, int value) {
    put16(bytes, at, value & 0xFFFF);
    put16(bytes, at + 2, (value >> 16) & 0xFFFF);
}

void appendName(QByteArray& bytes, const QString& name) {
    QByteArray length(2, '\0');
    put16(length, 0, static_cast<int>(name.size() * 2));
    bytes += length;
    bytes += QByteArray(reinterpret_cast<const char*>(name.utf16()), name.size() * 2);
}

// A Jet 4 table definition laid out as Access writes it.
QByteArray jet4Definition(const QList<Column>& columns, const QList<QList<int>>& physical,
                          const QList<Logical>& logical) {
    QByteArray bytes(63, '\0');
    bytes[0] = 0x02;
    put16(bytes, 45, static_cast<int>(columns.size()));
    put32(bytes, 47, static_cast<int>(logical.size()));
    put32(bytes, 51, static_cast<int>(physical.size()));
    bytes += QByteArray(12 * physical.size(), '\0');
    for (const Column& column : columns) {
        QByteArray entry(25, '\0');
        entry[0] = static_cast<char>(column.type);
        put16(entry, 5, column.number);
        put16(entry, 9, column.ordinal);
        bytes += entry;
    }
    for (const Column& column : columns) {
        appendName(bytes, column.name);
    }
    for (const QList<int>& keys : physical) {
        QByteArray entry(52, '\0');
        for (int k = 0; k < 10; ++k) {
            put16(entry, 4 + 3 * k, k < keys.size() ? keys[k] : 0xFFFF);
        }
        bytes += entry;
    }
    for (const Logical& index : logical) {
        QByteArray entry(28, '\0');
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

QStringList keyNames(const TableDefinition& table, const IndexDescriptor& index) {
    QStringList names;
    for (const int number : index.keyColumnNumbers) {
        for (const auto& column : table.columns) {
            if (column.number == number) {
                names.append(column.name);
            }
        }
    }
    return names;
}

} // namespace

class TableDefinitionTest : public QObject {
    Q_OBJECT

private slots:
    void pairsEachIndexWithThePhysicalIndexItNames() {
        // After index edits the logical numbers no longer follow the physical ones: the primary
        // key (logical 0) uses physical index 1, and a relationship index shares physical 0.
        const QList<Column> columns{
            {4, 0, 0, u"OrderID"_qs}, {4, 2, 1, u"LineNo"_qs}, {10, 3, 2, u"Product"_qs}};
        const QByteArray bytes = jet4Definition(columns, {{3}, {0, 2}},
                                                {{0, 1, 1, u"PrimaryKey"_qs},
                                                 {1, 0, 0, u"Product"_qs},
                                                 {2, 0, 2, u"ProductsOrderLines"_qs}});
        const TableDefinition table = parseTableDefinition(bytes, jet4Header(), u"x"_qs);
        QCOMPARE(table.indexes.size(), 3);
        QCOMPARE(table.indexes[0].name, u"PrimaryKey"_qs);
        QCOMPARE(table.indexes[0].kind, 1);
        QCOMPARE(keyNames(table, table.indexes[0]), (QStringList{u"OrderID"_qs, u"LineNo"_qs}));
        QCOMPARE(keyNames(table, table.indexes[1]), QStringList{u"Product"_qs});
        QCOMPARE(table.indexes[2].kind, 2);
        QCOMPARE(keyNames(table, table.indexes[2]), QStringList{u"Product"_qs});
    }

    void keepsCreationNumbersAndOrdinals() {
        // A deleted column leaves a gap in the creation numbers; a moved one changes ordinals.
        const QList<Column> columns{
            {4, 0, 0, u"ID"_qs}, {10, 5, 2, u"Näme"_qs}, {8, 3, 1, u"When"_qs}};
        const TableDefinition table =
            parseTableDefinition(jet4Definition(columns, {}, {}), jet4Header(), u"x"_qs);
        QCOMPARE(table.columns.size(), 3);
        QCOMPARE(table.columns[1].name, u"Näme"_qs);
        QCOMPARE(table.columns[1].number, 5);
        QCOMPARE(table.columns[1].ordinal, 2);
        QCOMPARE(table.columns[2].storageType, 8);
    }

    void rejectsDamage_data() {
        QTest::addColumn<QByteArray>("bytes");
        const QList<Column> columns{{4, 0, 0, u"ID"_qs}};
        const QByteArray good = jet4Definition(columns, {{0}}, {{0, 0, 1, u"PrimaryKey"_qs}});
        QTest::newRow("cut in the index names") << good.left(good.size() - 3);
        QTest::newRow("cut in the columns") << good.left(80);
        QTest::newRow("empty") << QByteArray();
        QByteArray wrongPage = good;
        wrongPage[0] = 0x01;
        QTest::newRow("not a definition page") << wrongPage;
        QByteArray badPhysical = good;
        put32(badPhysical, good.size() - 2 - 20 - 28 + 8, 7);
        QTest::newRow("physical index out of range") << badPhysical;
        QByteArray hugeCount = good;
        put32(hugeCount, 47, 0x7FFFFFFF);
        QTest::newRow("absurd index count") << hugeCount;
        QByteArray longName = good;
        put16(longName, 63 + 12 + 25, 0x7FFF);
        QTest::newRow("name longer than the definition") << longName;
    }

    void rejectsDamage() {
        QFETCH(QByteArray, bytes);
        try {
            parseTableDefinition(bytes, jet4Header(), u"x.mdb"_qs);
            QFAIL("accepted");
        } catch (const EngineError& e) {
            QCOMPARE(e.number(), 3343);
        }
    }
};

QTEST_GUILESS_MAIN(TableDefinitionTest)
#include "TableDefinitionTest.moc"
