#include "wizard/SidePicture.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace ombrix::wizard {

namespace {

constexpr int kPictureWidth = 116;
constexpr int kPictureHeight = 224;

void drawBackground(QPainter& painter) {
    QLinearGradient sky(0, 0, 0, kPictureHeight);
    sky.setColorAt(0.0, QColor(0x12, 0x35, 0x5b));
    sky.setColorAt(1.0, QColor(0x1f, 0x7a, 0x8c));
    painter.fillRect(QRectF(0, 0, kPictureWidth, kPictureHeight), sky);
}

void drawDatabase(QPainter& painter) {
    const QRectF body(30, 22, 56, 52);
    const qreal rim = 14;
    painter.setPen(QPen(QColor(0x0b, 0x24, 0x3d), 1.5));
    painter.setBrush(QColor(0xf2, 0xc1, 0x4e));
    painter.drawRect(body.adjusted(0, rim / 2, 0, -rim / 2));
    painter.drawEllipse(QRectF(body.left(), body.bottom() - rim, body.width(), rim));
    painter.setPen(Qt::NoPen);
    painter.drawRect(body.adjusted(0.75, rim / 2, -0.75, -rim / 2));
    painter.setPen(QPen(QColor(0x0b, 0x24, 0x3d), 1.5));
    painter.setBrush(QColor(0xf7, 0xd9, 0x8b));
    painter.drawEllipse(QRectF(body.left(), body.top(), body.width(), rim));
}

void drawArrow(QPainter& painter) {
    QPainterPath arrow;
    arrow.addPolygon(QPolygonF({QPointF(52, 84), QPointF(64, 84), QPointF(64, 96), QPointF(72, 96),
                                QPointF(58, 110), QPointF(44, 96), QPointF(52, 96)}));
    arrow.closeSubpath();
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 255, 255, 200));
    painter.drawPath(arrow);
}

void drawPage(QPainter& painter) {
    const QRectF page(22, 118, 72, 90);
    const qreal fold = 14;
    QPainterPath sheet;
    sheet.moveTo(page.topLeft());
    sheet.lineTo(page.right() - fold, page.top());
    sheet.lineTo(page.right(), page.top() + fold);
    sheet.lineTo(page.bottomRight());
    sheet.lineTo(page.bottomLeft());
    sheet.closeSubpath();
    painter.setPen(QPen(QColor(0x0b, 0x24, 0x3d), 1.5));
    painter.setBrush(Qt::white);
    painter.drawPath(sheet);
    painter.setBrush(QColor(0xd6, 0xe2, 0xee));
    painter.drawPolygon(QPolygonF({QPointF(page.right() - fold, page.top()),
                                   QPointF(page.right() - fold, page.top() + fold),
                                   QPointF(page.right(), page.top() + fold)}));

    // Lines of code, indented as a page's blocks are.
    const QColor colours[] = {QColor(0x1f, 0x7a, 0x8c), QColor(0x88, 0x99, 0xaa),
                              QColor(0xd9, 0x6c, 0x2b)};
    const int indents[] = {0, 6, 6, 12, 12, 6, 0, 6, 12, 0};
    const int lengths[] = {30, 38, 26, 30, 20, 34, 24, 40, 22, 28};
    painter.setPen(Qt::NoPen);
    for (int line = 0; line < 10; ++line) {
        painter.setBrush(colours[line % 3]);
        painter.drawRoundedRect(
            QRectF(page.left() + 7 + indents[line], page.top() + 18 + 6.5 * line, lengths[line], 3),
            1.5, 1.5);
    }
}

} // namespace

QPixmap sidePicture(qreal devicePixelRatio) {
    QPixmap picture(QSize(kPictureWidth, kPictureHeight) * devicePixelRatio);
    picture.setDevicePixelRatio(devicePixelRatio);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    drawBackground(painter);
    drawDatabase(painter);
    drawArrow(painter);
    drawPage(painter);
    return picture;
}

} // namespace ombrix::wizard
