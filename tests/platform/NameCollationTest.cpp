#include "platform/NameCollation.h"

#include <QtTest>
#include <algorithm>

using namespace ombrix::platform;

Q_DECLARE_METATYPE(ombrix::platform::SortOrder)

class NameCollationTest : public QObject {
    Q_OBJECT

private slots:
    void sortsAsTheSortOrderDoes_data() {
        QTest::addColumn<SortOrder>("order");
        QTest::addColumn<QStringList>("sorted");
        const auto legacy = SortOrder::GeneralLegacy;
        const auto general97 = SortOrder::General97;
        const auto general = SortOrder::General;
        QTest::newRow("letters ignore case") << legacy << QStringList{u"a"_qs, u"B"_qs, u"c"_qs};
        QTest::newRow("system tables")
            << legacy << QStringList{u"MSysAccessObjects"_qs, u"MSysACEs"_qs, u"MSysObjects"_qs};
        QTest::newRow("a blank before letters")
            << legacy << QStringList{u"Employee Privileges"_qs, u"Employees"_qs};
        QTest::newRow("digits before letters")
            << legacy << QStringList{u"1st"_qs, u"9"_qs, u"a"_qs};
        QTest::newRow("legacy: ~ and _ after Z")
            << legacy << QStringList{u"Zebra"_qs, u"_x"_qs, u"~sq_fOrders"_qs};
        QTest::newRow("legacy: + before digits")
            << legacy << QStringList{u"+x"_qs, u"1"_qs, u"a"_qs};
        QTest::newRow("legacy: hyphen and apostrophe ignored")
            << legacy << QStringList{u"cook"_qs, u"co-op"_qs, u"coop"_qs, u"coops"_qs};
        QTest::newRow("97: punctuation before digits")
            << general97 << QStringList{u"_x"_qs, u"~sq_f"_qs, u"1"_qs, u"a"_qs};
        QTest::newRow("97: hyphen counts")
            << general97 << QStringList{u"co-op"_qs, u"cook"_qs, u"coop"_qs};
        QTest::newRow("general: ~ before + before digits")
            << general << QStringList{u"_x"_qs, u"~x"_qs, u"+x"_qs, u"1"_qs, u"a"_qs};
        QTest::newRow("accents only break ties")
            << legacy
            << QStringList{u"Apfel"_qs, u"Äpfel"_qs, u"Apfelsine"_qs, u"Umsätze"_qs,
                           u"Umsatzsteuer"_qs};
        QTest::newRow("case only breaks ties, lower first")
            << legacy << QStringList{u"abc"_qs, u"ABC"_qs, u"abd"_qs};
    }

    void sortsAsTheSortOrderDoes() {
        QFETCH(SortOrder, order);
        QFETCH(QStringList, sorted);
        QStringList shuffled = sorted;
        std::reverse(shuffled.begin(), shuffled.end());
        std::rotate(shuffled.begin(), shuffled.begin() + 1, shuffled.end());
        std::sort(shuffled.begin(), shuffled.end(), NameCollation(order));
        QCOMPARE(shuffled, sorted);
    }

    void equalNamesCompareEqual() {
        QCOMPARE(NameCollation(SortOrder::GeneralLegacy).compare(u"Orders"_qs, u"Orders"_qs), 0);
    }
};

QTEST_GUILESS_MAIN(NameCollationTest)
#include "NameCollationTest.moc"
