// The wizard and the output window together: "Finished" hands the page over, "Save" writes it.
#include "FakeCatalogue.h"
#include "Fixtures.h"
#include "generator/GeneratePage.h"
#include "output/Form2.h"
#include "output/GeneratedPageWindow.h"
#include "output/PageTextBox.h"
#include "tests/support/ModalAnswers.h"
#include "wizard/Form1.h"

#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

using namespace ombrix;

class FinishedTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void finishedTwiceLeavesOneWindowWithOneCopy();
    void savedFileHoldsTheGeneratedPage();
    void wizardStaysUsableWhileSaving();

private:
    void click(const char* name) {
        QTest::mouseClick(form->findChild<QPushButton*>(name), Qt::LeftButton);
    }
    // Page 4 of the sample database's Customers table with every field selected.
    void reachSummary() {
        form->Form_Load(testing::shopPath);
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        click("btnNext");
        click("btnAddAll");
        click("btnNext");
        QCOMPARE(form->currentStep(), 4);
    }
    QString generatedPage() const {
        return QString::fromStdString(GeneratePage(form->wizardState()));
    }

    std::unique_ptr<testing::FakeCatalogue> catalogue;
    std::unique_ptr<wizard::Form1> form;
};

void FinishedTest::init() {
    catalogue = std::make_unique<testing::FakeCatalogue>();
    testing::addSampleDatabases(*catalogue);
    form = std::make_unique<wizard::Form1>(*catalogue, output::showGeneratedPage);
}

void FinishedTest::cleanup() {
    form.reset();
}

void FinishedTest::finishedTwiceLeavesOneWindowWithOneCopy() {
    reachSummary();
    click("btnNext");
    form->findChild<QComboBox*>("Combo1")->setCurrentIndex(1);
    click("btnNext");

    const auto windows = form->findChildren<output::Form2*>();
    QCOMPARE(windows.size(), 1);
    QVERIFY(windows.first()->isVisible());
    QVERIFY(!windows.first()->isModal());
    const QString shown = output::pageTextOf(*windows.first()->findChild<QPlainTextEdit*>("Text1"));
    QCOMPARE(shown, generatedPage());
    QVERIFY(shown.contains("Request.QueryString"));
    QCOMPARE(shown.count("<%\r\n"), 1);
    QCOMPARE(form->currentStep(), 4);
}

void FinishedTest::savedFileHoldsTheGeneratedPage() {
    reachSummary();
    click("btnNext");
    auto* window = form->findChild<output::Form2*>();
    QVERIFY(window);

    QTemporaryDir dir;
    testing::answerNextModal<QFileDialog>([&](QFileDialog* dialog) {
        dialog->setDirectory(dir.path());
        dialog->findChild<QLineEdit*>("fileNameEdit")->setText("customers");
        static_cast<QDialog*>(dialog)->accept();
    });
    QTest::mouseClick(window->findChild<QPushButton*>("Command1"), Qt::LeftButton);

    QFile saved(dir.filePath("customers.asp"));
    QVERIFY(saved.open(QIODevice::ReadOnly));
    // The sample's names are plain ASCII, so Windows-1252 and UTF-8 give the same bytes.
    QCOMPARE(saved.readAll(), QByteArray::fromStdString(GeneratePage(form->wizardState())));
}

// The save dialog is modal to the output window only: the wizard still takes clicks meanwhile.
void FinishedTest::wizardStaysUsableWhileSaving() {
    reachSummary();
    click("btnNext");
    auto* window = form->findChild<output::Form2*>();
    QVERIFY(window);

    int stepWhileSaving = 0;
    testing::answerNextModal<QFileDialog>([&](QFileDialog* dialog) {
        // Through the window system, which withholds input from windows that a dialog blocks.
        auto* back = form->findChild<QPushButton*>("btnBack");
        QTest::mouseClick(form->windowHandle(), Qt::LeftButton, {},
                          back->mapTo(form.get(), back->rect().center()));
        stepWhileSaving = form->currentStep();
        dialog->reject();
    });
    QTest::mouseClick(window->findChild<QPushButton*>("Command1"), Qt::LeftButton);
    QCOMPARE(stepWhileSaving, 3);
}

QTEST_MAIN(FinishedTest)
#include "FinishedTest.moc"
