#include "output/Form2.h"

#include "output/OutputWindowIcon.h"
#include "output/PageTextBox.h"
#include "output/TextBoxFit.h"
#include "platform/MessageBox.h"
#include "platform/ProgramName.h"
#include "platform/TextSaver.h"
#include "platform/Twips.h"

#include <QAccessibleWidget>
#include <QFile>
#include <QFontMetricsF>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>

namespace ombrix::output {

namespace {

// A plain top-level widget is a "filler" to assistive technology; this one is a window, named by
// its caption.
QAccessibleInterface* accessibleOutputWindow(const QString& className, QObject* object) {
    if (className == QLatin1String(Form2::staticMetaObject.className()))
        return new QAccessibleWidget(static_cast<Form2*>(object), QAccessible::Window);
    return nullptr;
}

QFont textBoxFont() {
    QFont font(QStringLiteral("Courier New"), 9);
    font.setStyleHint(QFont::TypeWriter);
    return font;
}

} // namespace

Form2::Form2(QWidget* parent, AskSaveFileName askSaveFileName)
    : QWidget(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint),
      askSaveFileName_(std::move(askSaveFileName)), Text1(new QPlainTextEdit(this)),
      Command1(new QPushButton(this)) {
    QAccessible::installFactory(accessibleOutputWindow);
    setObjectName(QStringLiteral("Form2"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(platform::programName());
    setWindowIcon(outputWindowIcon());
    resize(platform::pixelsFromTwips(QSize(4680, 3195)));

    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setText(QStringLiteral("Save"));
    Command1->setGeometry(platform::pixelsFromTwips(105, 60, 735, 315));
    Command1->setShortcut(QKeySequence::Save);

    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setAccessibleName(QStringLiteral("Generated page"));
    Text1->setGeometry(platform::pixelsFromTwips(105, 450, 4455, 2640));
    Text1->setFont(textBoxFont());
    // A text box's tab stops stand every eight characters; Qt's default is a fixed 80 pixels.
    Text1->setTabStopDistance(8 * QFontMetricsF(Text1->font()).horizontalAdvance(u' '));
    Text1->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    Text1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Text1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Text1->setFocus();

    connect(Command1, &QPushButton::clicked, this, &Form2::Command1_Click);
    Form_Load();
}

void Form2::setPageText(const QString& text) {
    Text1->setPlainText(text);
}

void Form2::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    Form_Resize();
}

// The frame is known only once the window manager has framed the window, which moves it; the
// text box is fitted again then, so that the first fit equals any later one.
void Form2::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    Form_Resize();
}

void Form2::Form_Load() {
    const QPoint screenTopLeft = screen()->geometry().topLeft();
    move(screenTopLeft + QPoint(platform::pixelsFromTwips(100), platform::pixelsFromTwips(100)));
}

void Form2::Form_Resize() {
    const QSize outer =
        platform::twipsFromPixels(outerWindowSize(size(), frameGeometry().size() - size()));
    Text1->resize(platform::pixelsFromTwips(
        fittedTextBoxSize(outer, platform::twipsFromPixels(Text1->size()))));
}

void Form2::Command1_Click() {
    const platform::SaveChoice choice = askSaveFileName_(this);
    if (choice.fileName.isEmpty())
        return; // cancelled: nothing is written and nothing is said
    const QString path = platform::fileNameToWrite(choice);
    if (!platform::confirmReplacingOtherName(this, choice, path))
        return;
    // A FIFO that nothing reads would freeze the window: it fails at once instead.
    if (!platform::saveText(QFile::encodeName(path).toStdString(), pageTextOf(*Text1).toStdString(),
                            nullptr, platform::FifoOpening::FailWithoutReader))
        platform::showMessage(this, QStringLiteral("Unable to save the file."));
}

} // namespace ombrix::output
