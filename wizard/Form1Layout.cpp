// The wizard window's controls: names, kinds, texts and positions, in twips as the window was
// designed (15 twips to a pixel).
#include "ombrix/ProjectInfo.h"
#include "platform/MessageBox.h"
#include "platform/Twips.h"
#include "wizard/Form1.h"
#include "wizard/ListBox.h"
#include "wizard/SidePicture.h"

#include <QComboBox>
#include <QFontDatabase>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QUrl>

namespace ombrix::wizard {

namespace {

constexpr int kClientWidth = 433;
constexpr int kClientHeight = 293;

using platform::pixelsFromTwips;

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
    return result;
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

// One half of an etched rule: a one-pixel line in the shadow colour, or the white line below it.
void rule(QWidget* parent, const char* name, QPalette::ColorRole colour, int x1, int x2, int y) {
    auto* line = new QFrame(parent);
    line->setObjectName(QString::fromLatin1(name));
    line->setGeometry(pixelsFromTwips(x1), pixelsFromTwips(y),
                      pixelsFromTwips(x2) - pixelsFromTwips(x1), 1);
    QPalette palette = line->palette();
    palette.setColor(QPalette::Window,
                     colour == QPalette::Light ? QColor(Qt::white) : palette.color(colour));
    line->setPalette(palette);
    line->setAutoFillBackground(true);
}

QWidget* pagePanel(QWidget* parent, Page page) {
    auto* panel = new QWidget(parent);
    panel->setObjectName(QStringLiteral("picFrame%1").arg(static_cast<int>(page)));
    panel->setGeometry(twipsRect(2270, 105, 4095, 3540));
    panel->setVisible(page == Page::Database);
    return panel;
}

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
    setFixedSize(kClientWidth, kClientHeight);

    auto* image = place(new QLabel(this), "Image1", twipsRect(330, 225, 1740, 3360));
    image->setPixmap(sidePicture(devicePixelRatioF()));

    createPage1();
    createPage2();
    createPage3();
    createPage4();
    createWindowControls();
    chainTabOrder();
}

void Form1::createPage1() {
    QWidget* page = frame(Page::Database) = pagePanel(this, Page::Database);
    Label1 = heading(page, "Label1", twipsRect(180, 60, 3855, 540));
    rule(page, "Line4", QPalette::Dark, 180, 3675, 780);
    rule(page, "Line3", QPalette::Light, 180, 3675, 795);
    label(page, "lbldbname", QStringLiteral("Which database would you like to use?"),
          twipsRect(180, 1110, 3510, 255));
    txtDBName = place(new QLineEdit(page), "txtDBName", twipsRect(180, 1410, 3495, 300));
    txtDBName->setToolTip(QStringLiteral("Type or drag and drop the database"));
    txtDBName->installEventFilter(this);
    btnFile = button(page, "btnFile", QStringLiteral("Select..."), twipsRect(180, 1815, 750, 330));
    connect(btnFile, &QPushButton::clicked, this, &Form1::btnFile_Click);
}

void Form1::createPage2() {
    QWidget* page = frame(Page::Object) = pagePanel(this, Page::Object);
    Label2 = label(page, "Label2", {}, twipsRect(180, 60, 3855, 240));
    label(page, "lblobjx", QStringLiteral("Select An Object"), twipsRect(180, 480, 1215, 270));
    List1 = place(new ListBox(page), "List1", twipsRect(180, 720, 3870, 2790));
}

void Form1::createPage3() {
    QWidget* page = frame(Page::Fields) = pagePanel(this, Page::Fields);
    label3 = label(page, "label3", {}, twipsRect(180, 60, 3855, 240));
    label(page, "lblavailable", QStringLiteral("Available Fields"), twipsRect(180, 480, 1170, 270));
    label(page, "lblselected", QStringLiteral("Selected Fields"), twipsRect(2385, 480, 1170, 270));
    List2 = place(new ListBox(page), "List2", twipsRect(180, 720, 1665, 2790));
    List3 = place(new ListBox(page), "List3", twipsRect(2370, 720, 1665, 2790));
    btnAddField = button(page, "btnAddField", QStringLiteral(">"), twipsRect(1950, 1395, 330, 330));
    btnAddAll = button(page, "btnAddAll", QStringLiteral(">>"), twipsRect(1950, 1785, 330, 330));
    btnDeleteField =
        button(page, "btnDeleteField", QStringLiteral("<"), twipsRect(1950, 2325, 330, 330));
    btnDeleteAll =
        button(page, "btnDeleteAll", QStringLiteral("<<"), twipsRect(1950, 2715, 330, 330));
    btnDeleteField->setEnabled(false);
    btnDeleteAll->setEnabled(false);
    connect(btnAddField, &QPushButton::clicked, this, &Form1::btnAddField_Click);
    connect(btnAddAll, &QPushButton::clicked, this, &Form1::btnAddAll_Click);
    connect(btnDeleteField, &QPushButton::clicked, this, &Form1::btnDeleteField_Click);
    connect(btnDeleteAll, &QPushButton::clicked, this, &Form1::btnDeleteAll_Click);
}

void Form1::createPage4() {
    QWidget* page = frame(Page::Summary) = pagePanel(this, Page::Summary);
    Label4 = heading(page, "Label4", twipsRect(105, 60, 3930, 465));
    label(page, "Label7", QStringLiteral("Form Method:"), twipsRect(105, 900, 990, 270));
    Combo1 = place(new QComboBox(page), "Combo1", twipsRect(1125, 840, 735, 315));
    label(page, "Label5", QStringLiteral("Database:"), twipsRect(105, 1290, 810, 270));
    lblDB = summaryLabel(page, "lblDB", twipsRect(1125, 1260, 2895, 270));
    label(page, "Label9", QStringLiteral("Object:"), twipsRect(105, 1650, 810, 270));
    lblObj = summaryLabel(page, "lblObj", twipsRect(1125, 1620, 2895, 270));
    label(page, "Label6", QStringLiteral("Fields:"), twipsRect(105, 2055, 510, 270));
    List5 = place(new ListBox(page), "List5", twipsRect(1125, 1995, 2895, 1425));
    QPalette buttonFace = List5->palette();
    buttonFace.setColor(QPalette::Base, buttonFace.color(QPalette::Button));
    List5->setPalette(buttonFace);
}

void Form1::createWindowControls() {
    rule(this, "Line1", QPalette::Dark, 180, 6300, 3735);
    rule(this, "Line2", QPalette::Light, 180, 6300, 3750);

    const QString address = QString::fromUtf8(project::kWebAddress.data(),
                                              static_cast<qsizetype>(project::kWebAddress.size()));
    lblWeb = plainLabel(this, "lblWeb", QUrl(address).host(), twipsRect(315, 3990, 1725, 210));
    lblWeb->setProperty("address", address);
    QFont webFont = lblWeb->font();
    webFont.setPointSizeF(8.25);
    webFont.setUnderline(true);
    lblWeb->setFont(webFont);
    QPalette blue = lblWeb->palette();
    blue.setColor(QPalette::WindowText, Qt::blue);
    lblWeb->setPalette(blue);
    lblWeb->setToolTip(QStringLiteral("Visit the website"));
    lblWeb->setCursor(Qt::PointingHandCursor);
    lblWeb->installEventFilter(this);

    btnBack = button(this, "btnBack", QStringLiteral("< Back"), twipsRect(2640, 3945, 1155, 360));
    btnBack->setEnabled(false);
    btnNext = button(this, "btnNext", QStringLiteral("Next >"), twipsRect(3870, 3945, 1155, 360));
    btnClose = button(this, "btnClose", QStringLiteral("Close"), twipsRect(5145, 3945, 1155, 360));
    connect(btnNext, &QPushButton::clicked, this, &Form1::btnNext_Click);
    connect(btnBack, &QPushButton::clicked, this, &Form1::btnBack_Click);
    connect(btnClose, &QPushButton::clicked, this, &QDialog::close);
}

void Form1::chainTabOrder() {
    QWidget* const order[] = {txtDBName, btnFile,        List1,        List2,   btnAddField,
                              btnAddAll, btnDeleteField, btnDeleteAll, List3,   Combo1,
                              List5,     btnBack,        btnNext,      btnClose};
    for (std::size_t i = 1; i < std::size(order); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

} // namespace ombrix::wizard
