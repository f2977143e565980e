#include "app/Logo.h"

#include <QMouseEvent>
#include <QPainter>

namespace zantor::gui {

Logo::Logo(QWidget* parent) : QWidget(parent) {
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setCursor(Qt::PointingHandCursor);
}

void Logo::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    int side = qMin(width(), height());
    QRectF square(0, 0, side, side);
    p.fillRect(square, QColor(0x1f, 0x3a, 0x5f));
    // Two ports joined by a fibre: the device in a picture.
    p.setPen(QPen(QColor(0xf2, 0xa9, 0x00), side / 24.0));
    p.drawLine(QPointF(side * 0.28, side * 0.5), QPointF(side * 0.72, side * 0.5));
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(side * 0.25, side * 0.5), side * 0.12, side * 0.12);
    p.drawEllipse(QPointF(side * 0.75, side * 0.5), side * 0.12, side * 0.12);
    p.setPen(Qt::white);
    QFont f = font();
    f.setBold(true);
    f.setPixelSize(qMax(8, side / 8));
    p.setFont(f);
    p.drawText(QRectF(0, side * 0.72, side, side * 0.2), Qt::AlignCenter, QStringLiteral("QUORVANE"));
}

void Logo::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) emit clicked();
}

} // namespace zantor::gui
