#include "output/OutputWindowIcon.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPolygonF>

namespace ombrix::output {

QIcon outputWindowIcon() {
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);

    QPainterPath page;
    page.addPolygon(QPolygonF({QPointF(6.5, 2.5), QPointF(20.5, 2.5), QPointF(26.5, 8.5),
                               QPointF(26.5, 29.5), QPointF(6.5, 29.5)}));
    page.closeSubpath();
    painter.setPen(QPen(QColor(0x40, 0x40, 0x40), 1));
    painter.setBrush(Qt::white);
    painter.drawPath(page);

    QPainterPath fold;
    fold.moveTo(20.5, 2.5);
    fold.lineTo(20.5, 8.5);
    fold.lineTo(26.5, 8.5);
    painter.setBrush(QColor(0xd8, 0xd8, 0xd8));
    painter.drawPath(fold);

    // Lines of code, indented as a page's blocks are.
    const struct {
        int indent, y, length;
        QColor colour;
    } lines[] = {{0, 12, 9, QColor(0xb0, 0x30, 0x30)},
                 {3, 16, 12, QColor(0x20, 0x50, 0xa0)},
                 {3, 20, 9, QColor(0x20, 0x50, 0xa0)},
                 {6, 24, 8, QColor(0x30, 0x80, 0x30)}};
    for (const auto& line : lines) {
        painter.setPen(QPen(line.colour, 2, Qt::SolidLine, Qt::FlatCap));
        painter.drawLine(QPointF(9 + line.indent, line.y),
                         QPointF(9 + line.indent + line.length, line.y));
    }
    return QIcon(pixmap);
}

} // namespace ombrix::output
