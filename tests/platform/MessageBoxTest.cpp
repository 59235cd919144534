// The program's message boxes with long texts: whatever the text, none of it is cut off at the
// box's edge.
#include "platform/MessageBox.h"

#include "support/ModalAnswers.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QScreen>
#include <gtest/gtest.h>

namespace ombrix::tests {
namespace {

TEST(MessageBox, LongTextsWrapOrAreShortenedWithTheWholeTextInTheDetails) {
    const QString letters = QString(240, u'x');
    QString folders = QStringLiteral("/data");
    for (int folder = 0; folder < 12; ++folder)
        folders += QStringLiteral("/folder-%1").arg(folder);
    const struct {
        QString text;
        bool shortened;
    } rows[] = {
        {.text = "Please supply a database to use.", .shortened = false},
        {.text = "Error 3024\r\n\r\nCould not find file '/" + letters + ".mdb'.",
         .shortened = true},
        {.text = "Error 3024\r\n\r\nCould not find file '" + folders + "/shop.mdb'.",
         .shortened = false}, // wraps after the slashes
        {.text = QStringLiteral("word ").repeated(80), .shortened = false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text.toStdString());
        QString shown, details;
        bool fits = false;
        ModalAnswers answers;
        answers.with([&](QWidget& modal) {
            auto* box = qobject_cast<QMessageBox*>(&modal);
            ASSERT_NE(box, nullptr);
            shown = box->text();
            details = box->detailedText();
            auto* label = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
            fits = box->frameGeometry().width() <= box->screen()->availableGeometry().width() &&
                   label->minimumSizeHint().width() <= label->width();
            box->accept();
        });
        platform::showMessage(nullptr, row.text);
        EXPECT_TRUE(answers.allAnswered());
        EXPECT_TRUE(fits);
        EXPECT_EQ(shown == row.text, !row.shortened);
        // The details box keeps the lines, not their CR LF ends.
        EXPECT_EQ(details, row.shortened ? QString(row.text).replace("\r\n", "\n") : QString());
        EXPECT_TRUE(shown.startsWith(row.text.left(20)));
        EXPECT_TRUE(shown.endsWith(row.text.right(8)));
    }
}

} // namespace
} // namespace ombrix::tests
