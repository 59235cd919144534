#pragma once

#include <QLabel>

namespace ombrix::wizard {

// The maker's web address below the side picture: underlined, in the palette's link colour made
// readable on the window's colour, with a hand pointer. A click opens the address, and so do
// Enter and Space once Tab has brought the focus to it; assistive technology sees a link that
// can be pressed.
class WebAddressLabel : public QLabel {
    Q_OBJECT

public:
    WebAddressLabel(const QString& address, QWidget* parent);

    const QString& address() const { return address_; }
    void open();

protected:
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void followPalette();

    QString address_;
};

} // namespace ombrix::wizard
