#include "output/PageTextBox.h"

#include <QPlainTextEdit>
#include <QTextDocument>

namespace ombrix::output {

QString pageTextOf(const QPlainTextEdit& box) {
    // toPlainText() would turn no-break spaces into blanks; the raw text keeps every character.
    QString text = box.document()->toRawText();
    text.replace(QChar::ParagraphSeparator, QLatin1String("\r\n"));
    text.replace(QChar::LineSeparator, QLatin1String("\r\n"));
    return text;
}

} // namespace ombrix::output
