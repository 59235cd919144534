// The output window: its layout, the fit of the text box, the page text going in and out, and
// the hand-off that "Finished" uses.
#include "output/Form2.h"
#include "output/OutputWindowIcon.h"
#include "output/PageTextBox.h"
#include "output/ShowGeneratedPage.h"
#include "output/TextBoxFit.h"
#include "support/GoldenImage.h"
#include "support/QtPrinting.h"
#include "support/TestData.h"

#include <QApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <gtest/gtest.h>

namespace ombrix::tests {
namespace {

using output::Form2;

QPlainTextEdit* text1(QWidget* form) {
    return form->findChild<QPlainTextEdit*>("Text1");
}
QPushButton* command1(QWidget* form) {
    return form->findChild<QPushButton*>("Command1");
}
QList<Form2*> outputWindows(QWidget* wizard) {
    return wizard->findChildren<Form2*>(QString(), Qt::FindDirectChildrenOnly);
}

// 100 twips from the screen's top left corner are 7 pixels (6.67 rounded).
QPoint loadPosition(QWidget* form) {
    return form->screen()->geometry().topLeft() + QPoint(7, 7);
}

const QString kPage =
    QStringLiteral("<%\r\n\tDim sName\r\n\r\n\tsName = \"\u00e9\u00a0\"\r\n%>\r\n");

TEST(OutputWindow, IsCreatedAsLaidOut) {
    Form2 form;
    EXPECT_EQ(form.objectName(), "Form2");
    EXPECT_EQ(form.windowTitle(), "Ombrix");
    EXPECT_TRUE(form.isWindow());
    EXPECT_TRUE(form.windowFlags().testFlags(Qt::WindowMinMaxButtonsHint));
    EXPECT_FALSE(form.windowIcon().pixmap(32, 32).isNull());
    EXPECT_EQ(form.size(), QSize(312, 213)); // 4680 x 3195 twips
    EXPECT_EQ(command1(&form)->text(), "Save");
    EXPECT_EQ(command1(&form)->geometry(), QRect(7, 4, 49, 21));
    QPlainTextEdit* box = text1(&form);
    EXPECT_EQ(box->geometry(), QRect(7, 30, 297, 176));
    EXPECT_EQ(box->font().family(), "Courier New");
    EXPECT_EQ(box->font().pointSize(), 9);
    EXPECT_EQ(box->font().styleHint(), QFont::TypeWriter);
    EXPECT_EQ(box->tabStopDistance(), 8 * QFontMetricsF(box->font()).horizontalAdvance(u' '));
    EXPECT_EQ(box->lineWrapMode(), QPlainTextEdit::WidgetWidth);
    EXPECT_EQ(box->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    EXPECT_EQ(box->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_FALSE(box->isReadOnly());
}

TEST(OutputWindow, OpensWithTheFocusInTheTextBox) {
    QWidget wizard;
    output::showGeneratedPage(wizard, kPage);
    Form2* form = outputWindows(&wizard).value(0);
    ASSERT_NE(form, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowActive(form));
    EXPECT_EQ(QApplication::focusWidget(), text1(form));
    QWidget* next = text1(form)->nextInFocusChain();
    while (next != form && !(next->focusPolicy() & Qt::TabFocus))
        next = next->nextInFocusChain();
    EXPECT_EQ(next, command1(form));
}

TEST(OutputWindow, FitRuleInTwips) {
    const QSize current(4455, 2640);
    const struct {
        QSize outer, fitted;
    } cases[] = {
        {.outer = {6000, 4000}, .fitted = {5655, 3050}},
        {.outer = {500, 500}, .fitted = current},  // both at 500: unchanged
        {.outer = {501, 501}, .fitted = {156, 0}}, // the height never negative
        {.outer = {4680, 950}, .fitted = {4335, 0}},
        {.outer = {4680, 951}, .fitted = {4335, 1}},
        {.outer = {2400, 400}, .fitted = {2055, 2640}}, // minimised: only the width
        {.outer = {300, 3000}, .fitted = {4455, 2050}}, // narrow: only the height
    };
    for (const auto& fit : cases)
        EXPECT_EQ(output::fittedTextBoxSize(fit.outer, current), fit.fitted) << fit.outer.width();
}

// The outer size the fit reads: the window's own frame, or the designed one (a 25-pixel caption,
// 3-pixel borders) while there is none, before the window manager has framed the window or on a
// display without one.
TEST(OutputWindow, OuterSizeTakesTheDesignedFrameUntilThereIsOne) {
    const struct {
        QSize frame, outer;
    } rows[] = {
        {.frame = {0, 0}, .outer = {318, 241}},
        {.frame = {4, 4}, .outer = {316, 217}},
        {.frame = {0, 37}, .outer = {312, 250}}, // a caption and no borders
    };
    for (const auto& row : rows)
        EXPECT_EQ(output::outerWindowSize({312, 213}, row.frame), row.outer) << row.frame.height();
}

// The box fills the window at its first showing exactly as after the window is resized to the
// same size.
TEST(OutputWindow, FitsAtFirstShowAsAfterAResize) {
    Form2 form;
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    const QRect first = text1(&form)->geometry();
    const QSize size = form.size();
    form.resize(size + QSize(40, 30));
    form.resize(size);
    EXPECT_EQ(text1(&form)->geometry(), first);
}

TEST(OutputWindow, ResizingFitsOnlyTheTextBox) {
    Form2 form;
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    // 400 x 267 pixels are 6000 x 4005 twips: 5655 x 3055 twips for the box.
    form.resize(QSize(400, 267) - (form.frameGeometry().size() - form.size()));
    EXPECT_EQ(form.frameGeometry().size(), QSize(400, 267));
    EXPECT_EQ(text1(&form)->geometry(), QRect(7, 30, 377, 204));
    EXPECT_EQ(command1(&form)->geometry(), QRect(7, 4, 49, 21));
}

TEST(OutputWindow, TextBoxGivesBackThePageText) {
    Form2 form;
    for (const QString& text :
         {kPage, QStringLiteral("<%\r\n%>"), QStringLiteral("\r\n\r\n\r\n"),
          QStringLiteral("a  \r\n\t \r\n"), QStringLiteral("\u0418\u00a0\u00a0x\r\n"), QString()}) {
        form.setPageText(text);
        EXPECT_EQ(output::pageTextOf(*text1(&form)), text);
    }
}

TEST(OutputWindow, BreaksTypedInTheBoxBecomeCrLf) {
    Form2 form;
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    form.setPageText(QStringLiteral("<%\r\n%>\r\n"));
    QPlainTextEdit* box = text1(&form);
    box->moveCursor(QTextCursor::End);
    QTest::keyClicks(box, "'a");
    QTest::keyClick(box, Qt::Key_Return);
    QTest::keyClick(box, Qt::Key_Tab);
    QTest::keyClicks(box, "'b");
    QTest::keyClick(box, Qt::Key_Return, Qt::ShiftModifier);
    QTest::keyClicks(box, "'c");
    EXPECT_EQ(output::pageTextOf(*box), "<%\r\n%>\r\n'a\r\n\t'b\r\n'c");
}

TEST(OutputWindow, IconIsDrawnAsTheGoldenImage) {
    expectGoldenImage(output::outputWindowIcon().pixmap(32).toImage(),
                      sourceFile("tests/output/window-icon.png"));
}

// "Finished" again reuses the one window where it stands; once closed, a new one is loaded at the
// load position.
TEST(GeneratedPageWindow, OneWindowAtATime) {
    QWidget wizard;
    wizard.show();
    output::showGeneratedPage(wizard, "first\r\n");
    Form2* first = outputWindows(&wizard).value(0);
    ASSERT_NE(first, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(first));
    EXPECT_EQ(first->pos(), loadPosition(first));
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    first->move(loadPosition(first) + QPoint(50, 40));
    output::showGeneratedPage(wizard, kPage);
    EXPECT_EQ(outputWindows(&wizard), QList<Form2*>{first});
    EXPECT_EQ(first->pos(), loadPosition(first) + QPoint(50, 40));
    EXPECT_EQ(output::pageTextOf(*text1(first)), kPage);

    QPointer<Form2> closed(first);
    first->close();
    // The closed window is gone from the hand-off's view even before its deletion runs.
    output::showGeneratedPage(wizard, "second\r\n");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(closed.isNull());
    ASSERT_EQ(outputWindows(&wizard).size(), 1);
    Form2* second = outputWindows(&wizard).first();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(second));
    EXPECT_EQ(second->pos(), loadPosition(second));
    EXPECT_EQ(output::pageTextOf(*text1(second)), "second\r\n");
    second->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(outputWindows(&wizard).isEmpty());
}

} // namespace
} // namespace ombrix::tests
