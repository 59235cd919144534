#include "platform/MessageBox.h"

#include "platform/ProgramName.h"

#include <QFontMetrics>
#include <QMessageBox>
#include <QScreen>
#include <QTextBoundaryFinder>
#include <algorithm>

namespace ombrix::platform {

namespace {

// A box wraps its text where the line-breaking rules allow (at a blank, after a "/" or "-"); a
// longer run without such a place (a path of letters only) would widen the box past its limit and
// be cut off at its right edge. Such a run is shortened in the middle to what fits the width the
// box wraps at (half the screen, 500 pixels at most, less room for the icon and the margins), and
// the box's details hold the whole text.
void fitLongRuns(QMessageBox& box) {
    const QString text = box.text();
    const QFontMetrics metrics(box.font());
    const int widest = std::min(box.screen()->availableGeometry().width() / 2, 500) * 3 / 4;
    QTextBoundaryFinder breaks(QTextBoundaryFinder::Line, text);
    QString shown;
    for (qsizetype start = 0, end = breaks.toNextBoundary(); end > start;
         start = end, end = breaks.toNextBoundary()) {
        const QString run = text.mid(start, end - start);
        shown += metrics.horizontalAdvance(run) > widest
                     ? metrics.elidedText(run, Qt::ElideMiddle, widest)
                     : run;
    }
    if (shown != text) {
        box.setText(shown);
        box.setDetailedText(text);
    }
}

int showPlain(QMessageBox& box) {
    box.setTextFormat(Qt::PlainText);
    box.setWindowModality(Qt::WindowModal);
    fitLongRuns(box);
    return box.exec();
}

} // namespace

void showMessage(QWidget* owner, const QString& text) {
    QMessageBox box(QMessageBox::Information, programName(), text, QMessageBox::Ok, owner);
    showPlain(box);
}

bool askYesNo(QWidget* owner, const QString& question) {
    QMessageBox box(QMessageBox::Question, programName(), question,
                    QMessageBox::Yes | QMessageBox::No, owner);
    box.setDefaultButton(QMessageBox::No);
    return showPlain(box) == QMessageBox::Yes;
}

} // namespace ombrix::platform
