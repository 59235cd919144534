#include "wizard/WebAddressLabel.h"

#include "platform/WebAddress.h"
#include "wizard/ReadableColour.h"

#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QPainter>
#include <QStyleOptionFocusRect>
#include <QUrl>

namespace ombrix::wizard {

namespace {

// A label is static text to assistive technology; this one is a link named by its text.
class AccessibleWebAddress : public QAccessibleWidget {
public:
    explicit AccessibleWebAddress(WebAddressLabel* label)
        : QAccessibleWidget(label, QAccessible::Link) {}

    QString text(QAccessible::Text kind) const override {
        if (kind == QAccessible::Name)
            return label().text();
        return QAccessibleWidget::text(kind);
    }
    QStringList actionNames() const override {
        return QStringList(pressAction()) + QAccessibleWidget::actionNames();
    }
    void doAction(const QString& action) override {
        if (action == pressAction())
            label().open();
        else
            QAccessibleWidget::doAction(action);
    }

private:
    WebAddressLabel& label() const { return *static_cast<WebAddressLabel*>(widget()); }
};

QAccessibleInterface* accessibleWebAddress(const QString& className, QObject* object) {
    if (className == QLatin1String(WebAddressLabel::staticMetaObject.className()))
        return new AccessibleWebAddress(static_cast<WebAddressLabel*>(object));
    return nullptr;
}

} // namespace

WebAddressLabel::WebAddressLabel(const QString& address, QWidget* parent)
    : QLabel(QUrl(address).host(), parent), address_(address) {
    QAccessible::installFactory(accessibleWebAddress);
    setTextFormat(Qt::PlainText);
    QFont underlined = font();
    underlined.setPointSizeF(8.25);
    underlined.setUnderline(true);
    setFont(underlined);
    setToolTip(QStringLiteral("Visit the website"));
    setCursor(Qt::PointingHandCursor);
    followPalette();
}

void WebAddressLabel::open() {
    platform::openWebAddress(address_);
}

void WebAddressLabel::changeEvent(QEvent* event) {
    QLabel::changeEvent(event);
    if (event->type() == QEvent::PaletteChange)
        followPalette();
}

// Taking the focus once shown rather than from the start: Qt lays out the text of a label that is
// polished with a focus policy one pixel higher than that of the window's other labels.
void WebAddressLabel::showEvent(QShowEvent* event) {
    QLabel::showEvent(event);
    setFocusPolicy(Qt::TabFocus);
}

void WebAddressLabel::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        open();
        break;
    default:
        QLabel::keyPressEvent(event);
    }
}

void WebAddressLabel::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        open();
    else
        QLabel::mouseReleaseEvent(event);
}

// The label shows where the keyboard is, as a button does.
void WebAddressLabel::paintEvent(QPaintEvent* event) {
    QLabel::paintEvent(event);
    if (!hasFocus())
        return;
    QStyleOptionFocusRect option;
    option.initFrom(this);
    QPainter painter(this);
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
}

// The colours come from the window, so that they follow its theme; setting our own palette
// changes nothing there, and setting the same colours again is no change.
void WebAddressLabel::followPalette() {
    const QPalette window = parentWidget() != nullptr ? parentWidget()->palette() : palette();
    QPalette own = palette();
    own.setColor(QPalette::WindowText,
                 readableLinkColour(window.color(QPalette::Link), window.color(QPalette::Window)));
    setPalette(own);
}

} // namespace ombrix::wizard
