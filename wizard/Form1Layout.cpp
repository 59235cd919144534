// The wizard window's controls: names, kinds, texts and positions, in twips as the window was
// designed (15 twips to a pixel).
#include "ombrix/ProjectInfo.h"
#include "platform/ProgramName.h"
#include "platform/Twips.h"
#include "wizard/Form1.h"
#include "wizard/ListBox.h"
#include "wizard/SidePicture.h"
#include "wizard/WebAddressLabel.h"

#include <QComboBox>
#include <QCursor>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <algorithm>

namespace ombrix::wizard {

namespace {

using platform::pixelsFromTwips;

// The side picture and the etched rules are painted rather than child widgets: Qt 6.4 cannot
// keep a child from assistive technology, which would announce each as an unnamed image or frame.
constexpr QPoint kSidePicturePosition = {pixelsFromTwips(330), pixelsFromTwips(225)};

QRect twipsRect(int left, int top, int width, int height) {
    return pixelsFromTwips(left, top, width, height);
}

template <typename Widget>
Widget* place(Widget* widget, const char* name, QRect geometry) {
    widget->setObjectName(QString::fromLatin1(name));
    widget->setGeometry(geometry);
    return widget;
}

// Labels show names from the database and paths as they are: "<i>Sales" is no markup.
QLabel* plainLabel(QWidget* parent, const char* name, const QString& text, QRect geometry) {
    auto* result = place(new QLabel(text, parent), name, geometry);
    result->setTextFormat(Qt::PlainText);
    return result;
}

QLabel* label(QWidget* parent, const char* name, const QString& text, QRect geometry) {
    auto* result = plainLabel(parent, name, text, geometry);
    result->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // The face here is a little wider than the one the window was laid out for: a label grows to
    // its text rather than cut it off ("Form Method:" would lose its colon).
    result->resize(std::max(geometry.width(), result->fontMetrics().horizontalAdvance(text)),
                   geometry.height());
    return result;
}

// A label for a control: its text as the control's accessible name, without a colon, and the
// label linked to the control, so that assistive technology also shows which label is whose. (On
// Linux Qt names a drop-down list by its value, as GTK does; a screen reader takes its label from
// the link.)
void labelFor(QLabel* label, QWidget* control) {
    QString name = label->text();
    if (name.endsWith(u':'))
        name.chop(1);
    control->setAccessibleName(name);
    label->setBuddy(control);
}

// The two headings that are two lines high wrap their text; the others clip it.
QLabel* heading(QWidget* parent, const char* name, QRect geometry) {
    auto* result = label(parent, name, {}, geometry);
    result->setWordWrap(true);
    return result;
}

// No button is a default button, so Enter acts only on the button that has the focus.
QPushButton* button(QWidget* parent, const char* name, const QString& text, QRect geometry) {
    auto* result = place(new QPushButton(text, parent), name, geometry);
    result->setAutoDefault(false);
    return result;
}

// A bordered label that shows one line of the summary.
QLabel* summaryLabel(QWidget* parent, const char* name, QRect geometry) {
    auto* result = plainLabel(parent, name, {}, geometry);
    result->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    result->setLineWidth(1);
    result->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    return result;
}

// An etched rule from x1 to x2 (twips): a line in the shadow colour at y, a white one below it.
struct EtchedRule {
    int x1, x2, y;
};

void paintRule(QWidget& widget, EtchedRule rule) {
    const QRect shadow(pixelsFromTwips(rule.x1), pixelsFromTwips(rule.y),
                       pixelsFromTwips(rule.x2) - pixelsFromTwips(rule.x1), 1);
    QPainter painter(&widget);
    painter.fillRect(shadow, widget.palette().color(QPalette::Dark));
    painter.fillRect(shadow.translated(0, 1), Qt::white);
}

// A page panel; the first page's carries a rule below its introduction (Line4 and Line3).
class PagePanel : public QWidget {
public:
    PagePanel(QWidget* parent, Page page) : QWidget(parent), page_(page) {
        setObjectName(QStringLiteral("picFrame%1").arg(static_cast<int>(page)));
        setGeometry(twipsRect(2270, 105, 4095, 3540));
        setVisible(page == Page::Database);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        if (page_ == Page::Database)
            paintRule(*this, {.x1 = 180, .x2 = 3675, .y = 780});
    }

private:
    Page page_;
};

} // namespace

void Form1::createControls() {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(platform::programName());
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    // The layout was made for Windows' 8-point dialog face; Arial's metrics (Liberation Sans on a
    // Linux desktop) fit it, where a wider default face would clip the labels.
    QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    font.setFamilies({QStringLiteral("MS Shell Dlg 2"), QStringLiteral("Arial"),
                      QStringLiteral("Liberation Sans"), font.family()});
    font.setPointSize(8);
    setFont(font);
    setFixedSize(platform::clientSize(platform::pixelsFromTwips(QSize(6585, 4815))));
    Image1 = sidePicture(devicePixelRatioF());

    createPage1();
    createPage2();
    createPage3();
    createPage4();
    createWindowControls();
    chainTabOrder();
}

void Form1::createPage1() {
    QWidget* page = frame(Page::Database) = new PagePanel(this, Page::Database);
    Label1 = heading(page, "Label1", twipsRect(180, 60, 3855, 540));
    QLabel* question =
        label(page, "lbldbname", QStringLiteral("Which database would you like to use?"),
              twipsRect(180, 1110, 3510, 255));
    txtDBName = place(new QLineEdit(page), "txtDBName", twipsRect(180, 1410, 3495, 300));
    labelFor(question, txtDBName);
    txtDBName->setToolTip(QStringLiteral("Type or drag and drop the database"));
    txtDBName->installEventFilter(this);
    btnFile = button(page, "btnFile", QStringLiteral("Select..."), twipsRect(180, 1815, 750, 330));
    btnFile->setShortcut(QKeySequence(Qt::ALT | Qt::Key_S));
    connect(btnFile, &QPushButton::clicked, this, &Form1::btnFile_Click);
}

void Form1::createPage2() {
    QWidget* page = frame(Page::Object) = new PagePanel(this, Page::Object);
    Label2 = label(page, "Label2", {}, twipsRect(180, 60, 3855, 240));
    QLabel* objects =
        label(page, "lblobjx", QStringLiteral("Select An Object"), twipsRect(180, 480, 1215, 270));
    List1 = place(new ListBox(page), "List1", twipsRect(180, 720, 3870, 2790));
    labelFor(objects, List1);
}

void Form1::createPage3() {
    QWidget* page = frame(Page::Fields) = new PagePanel(this, Page::Fields);
    label3 = label(page, "label3", {}, twipsRect(180, 60, 3855, 240));
    QLabel* available = label(page, "lblavailable", QStringLiteral("Available Fields"),
                              twipsRect(180, 480, 1170, 270));
    QLabel* selected = label(page, "lblselected", QStringLiteral("Selected Fields"),
                             twipsRect(2385, 480, 1170, 270));
    List2 = place(new ListBox(page), "List2", twipsRect(180, 720, 1665, 2790));
    List3 = place(new ListBox(page), "List3", twipsRect(2370, 720, 1665, 2790));
    labelFor(available, List2);
    labelFor(selected, List3);
    btnAddField = button(page, "btnAddField", QStringLiteral(">"), twipsRect(1950, 1395, 330, 330));
    btnAddAll = button(page, "btnAddAll", QStringLiteral(">>"), twipsRect(1950, 1785, 330, 330));
    btnDeleteField =
        button(page, "btnDeleteField", QStringLiteral("<"), twipsRect(1950, 2325, 330, 330));
    btnDeleteAll =
        button(page, "btnDeleteAll", QStringLiteral("<<"), twipsRect(1950, 2715, 330, 330));
    // Read aloud, the arrows would say nothing of what the buttons do.
    btnAddField->setAccessibleName(QStringLiteral("Add the selected field"));
    btnAddAll->setAccessibleName(QStringLiteral("Add all fields"));
    btnDeleteField->setAccessibleName(QStringLiteral("Remove the selected field"));
    btnDeleteAll->setAccessibleName(QStringLiteral("Remove all fields"));
    btnDeleteField->setEnabled(false);
    btnDeleteAll->setEnabled(false);
    connect(btnAddField, &QPushButton::clicked, this, &Form1::btnAddField_Click);
    connect(btnAddAll, &QPushButton::clicked, this, &Form1::btnAddAll_Click);
    connect(btnDeleteField, &QPushButton::clicked, this, &Form1::btnDeleteField_Click);
    connect(btnDeleteAll, &QPushButton::clicked, this, &Form1::btnDeleteAll_Click);
}

void Form1::createPage4() {
    QWidget* page = frame(Page::Summary) = new PagePanel(this, Page::Summary);
    Label4 = heading(page, "Label4", twipsRect(105, 60, 3930, 465));
    QLabel* method =
        label(page, "Label7", QStringLiteral("Form Method:"), twipsRect(105, 900, 990, 270));
    Combo1 = place(new QComboBox(page), "Combo1", twipsRect(1125, 840, 735, 315));
    labelFor(method, Combo1);
    // The two summary labels keep their values as their names; the labels before them say what
    // the values are.
    QLabel* database =
        label(page, "Label5", QStringLiteral("Database:"), twipsRect(105, 1290, 810, 270));
    lblDB = summaryLabel(page, "lblDB", twipsRect(1125, 1260, 2895, 270));
    database->setBuddy(lblDB);
    QLabel* object =
        label(page, "Label9", QStringLiteral("Object:"), twipsRect(105, 1650, 810, 270));
    lblObj = summaryLabel(page, "lblObj", twipsRect(1125, 1620, 2895, 270));
    object->setBuddy(lblObj);
    QLabel* fields =
        label(page, "Label6", QStringLiteral("Fields:"), twipsRect(105, 2055, 510, 270));
    List5 = place(new ListBox(page), "List5", twipsRect(1125, 1995, 2895, 1425));
    labelFor(fields, List5);
    QPalette buttonFace = List5->palette();
    buttonFace.setColor(QPalette::Base, buttonFace.color(QPalette::Button));
    List5->setPalette(buttonFace);
}

void Form1::createWindowControls() {
    const QString address = QString::fromUtf8(project::kWebAddress.data(),
                                              static_cast<qsizetype>(project::kWebAddress.size()));
    lblWeb = place(new WebAddressLabel(address, this), "lblWeb", twipsRect(315, 3990, 1725, 210));

    btnBack = button(this, "btnBack", QStringLiteral("< Back"), twipsRect(2640, 3945, 1155, 360));
    btnBack->setShortcut(QKeySequence(Qt::ALT | Qt::Key_B));
    btnBack->setEnabled(false);
    btnNext = button(this, "btnNext", {}, twipsRect(3870, 3945, 1155, 360));
    setNextCaption(QStringLiteral("Next >"));
    btnClose = button(this, "btnClose", QStringLiteral("Close"), twipsRect(5145, 3945, 1155, 360));
    btnClose->setShortcut(QKeySequence(Qt::ALT | Qt::Key_C));
    connect(btnNext, &QPushButton::clicked, this, &Form1::btnNext_Click);
    connect(btnBack, &QPushButton::clicked, this, &Form1::btnBack_Click);
    connect(btnClose, &QPushButton::clicked, this, &QDialog::close);
}

void Form1::chainTabOrder() {
    QWidget* const order[] = {txtDBName, btnFile,        List1,        List2,   btnAddField,
                              btnAddAll, btnDeleteField, btnDeleteAll, List3,   Combo1,
                              List5,     lblWeb,         btnBack,      btnNext, btnClose};
    for (std::size_t i = 1; i < std::size(order); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

// Where a dialog without an owner opens, the centre of the screen under the pointer; placed
// before the command line's step runs, so that a box it shows stands over that place too instead
// of in the screen's corner, where the window would be before it is shown.
void Form1::centreOnScreen() {
    const QScreen* screen = QGuiApplication::screenAt(QCursor::pos());
    if (screen == nullptr)
        screen = QGuiApplication::primaryScreen();
    const QRect area = screen->availableGeometry();
    move(area.x() + area.width() / 2 - width() / 2, area.y() + area.height() / 2 - height() / 2);
}

void Form1::paintEvent(QPaintEvent*) {
    QPainter(this).drawPixmap(kSidePicturePosition, Image1);
    paintRule(*this, {.x1 = 180, .x2 = 6300, .y = 3735}); // Line1 and Line2
}

} // namespace ombrix::wizard
