#include "shell/Pictures.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QRadialGradient>
#include <QtMath>

namespace yb::pictures {

namespace {

constexpr int kIcon = 32;

template <typename Draw> QIcon drawIcon(Draw draw)
{
    QPixmap pm(kIcon, kIcon);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    draw(p);
    p.end();
    return QIcon(pm);
}

void leaf(QPainter& p, QPointF base, qreal angleDeg, qreal length, const QColor& colour)
{
    p.save();
    p.translate(base);
    p.rotate(angleDeg);
    QPainterPath path;
    path.moveTo(0, 0);
    path.cubicTo(length * 0.3, -length * 0.35, length * 0.75, -length * 0.3, length, 0);
    path.cubicTo(length * 0.75, length * 0.3, length * 0.3, length * 0.35, 0, 0);
    p.setPen(QPen(colour.darker(140), 1));
    p.setBrush(colour);
    p.drawPath(path);
    p.setPen(QPen(colour.darker(170), 1));
    p.drawLine(QPointF(0, 0), QPointF(length * 0.9, 0));
    p.restore();
}

void sprig(QPainter& p, QPointF root, qreal height, qreal lean, const QColor& colour)
{
    QPainterPath stem;
    stem.moveTo(root);
    const QPointF tip(root.x() + lean, root.y() - height);
    stem.quadTo(QPointF(root.x() + lean * 0.2, root.y() - height * 0.6), tip);
    p.setPen(QPen(QColor(70, 110, 40), 2.5));
    p.setBrush(Qt::NoBrush);
    p.drawPath(stem);
    for (int i = 1; i <= 6; ++i) {
        const qreal t = i / 7.0;
        const QPointF at = stem.pointAtPercent(t);
        const qreal len = height * (0.22 - t * 0.12);
        leaf(p, at, -30 - 20 * t, len, colour);
        leaf(p, at, -150 + 20 * t, len, colour.lighter(110));
    }
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(190, 120, 200));
    for (int i = 0; i < 5; ++i)
        p.drawEllipse(tip + QPointF(std::sin(i * 1.3) * 4, -i * 4.0), 3.5, 3.5);
}

} // namespace

QImage presentation()
{
    QImage img(640, 480, QImage::Format_RGB32);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);

    // Sky and sun.
    QLinearGradient sky(0, 0, 0, 300);
    sky.setColorAt(0, QColor(70, 130, 200));
    sky.setColorAt(1, QColor(200, 225, 240));
    p.fillRect(img.rect(), sky);
    QRadialGradient sun(QPointF(510, 90), 70);
    sun.setColorAt(0, QColor(255, 245, 180));
    sun.setColorAt(0.45, QColor(255, 220, 90));
    sun.setColorAt(1, QColor(255, 220, 90, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(sun);
    p.drawEllipse(QPointF(510, 90), 70, 70);

    // Hills, far to near.
    const QColor hills[] = {QColor(120, 160, 110), QColor(85, 140, 70), QColor(60, 120, 50)};
    for (int h = 0; h < 3; ++h) {
        QPainterPath path;
        const qreal baseY = 250 + h * 45;
        path.moveTo(0, 480);
        path.lineTo(0, baseY);
        for (int x = 0; x <= 640; x += 20)
            path.lineTo(x, baseY - 30 * std::sin((x + h * 170) / (110.0 + h * 30)) - 10 * h);
        path.lineTo(640, 480);
        path.closeSubpath();
        p.setBrush(hills[h]);
        p.drawPath(path);
    }

    // The spring pool with its ripples.
    QRadialGradient water(QPointF(320, 405), 190);
    water.setColorAt(0, QColor(150, 210, 235));
    water.setColorAt(1, QColor(40, 120, 170));
    p.setBrush(water);
    p.setPen(QPen(QColor(140, 120, 90), 6));
    p.drawEllipse(QPointF(320, 410), 190, 48);
    p.setBrush(Qt::NoBrush);
    for (int r = 0; r < 4; ++r) {
        p.setPen(QPen(QColor(230, 245, 255, 200 - r * 40), 1.5));
        p.drawEllipse(QPointF(320, 410), 30 + r * 32, 7 + r * 8);
    }

    // Herbs on both sides.
    sprig(p, QPointF(60, 470), 170, 20, QColor(90, 160, 60));
    sprig(p, QPointF(100, 475), 130, -15, QColor(110, 175, 70));
    sprig(p, QPointF(150, 478), 95, 10, QColor(80, 150, 55));
    sprig(p, QPointF(580, 470), 175, -20, QColor(90, 160, 60));
    sprig(p, QPointF(540, 476), 125, 18, QColor(110, 175, 70));
    sprig(p, QPointF(495, 478), 90, -8, QColor(80, 150, 55));
    p.end();
    return img.convertToFormat(QImage::Format_Indexed8, Qt::DiffuseDither);
}

QIcon orderSheet()
{
    return drawIcon([](QPainter& p) {
        p.setPen(QPen(Qt::black, 1));
        p.setBrush(QColor(255, 255, 230));
        p.drawRect(QRectF(5.5, 2.5, 21, 27));
        for (int i = 0; i < 4; ++i) {
            const qreal y = 7 + i * 5.5;
            p.setBrush(Qt::white);
            p.drawRect(QRectF(8.5, y, 4, 4));
            p.drawLine(QPointF(15, y + 2), QPointF(24, y + 2));
        }
        p.setPen(QPen(QColor(0, 128, 0), 2));
        p.drawLine(QPointF(9, 9), QPointF(10.5, 11));
        p.drawLine(QPointF(10.5, 11), QPointF(13.5, 6));
    });
}

QIcon catalogue()
{
    return drawIcon([](QPainter& p) {
        p.setPen(QPen(Qt::black, 1));
        p.setBrush(QColor(0, 100, 0));
        p.drawRoundedRect(QRectF(6.5, 3.5, 20, 25), 2, 2);
        p.setBrush(QColor(240, 235, 210));
        p.drawRect(QRectF(8.5, 26.5, 18, 3));
        p.setPen(QPen(QColor(230, 200, 60), 2));
        p.drawLine(QPointF(11, 9), QPointF(22, 9));
        p.drawLine(QPointF(11, 13), QPointF(20, 13));
        leaf(p, QPointF(13, 21), -30, 9, QColor(150, 210, 90));
    });
}

QIcon notes()
{
    return drawIcon([](QPainter& p) {
        p.setPen(QPen(Qt::black, 1));
        p.setBrush(Qt::white);
        QPolygonF page(
            {QPointF(6.5, 2.5), QPointF(20.5, 2.5), QPointF(26.5, 8.5), QPointF(26.5, 29.5), QPointF(6.5, 29.5)});
        p.drawPolygon(page);
        p.drawLine(QPointF(20.5, 2.5), QPointF(20.5, 8.5));
        p.drawLine(QPointF(20.5, 8.5), QPointF(26.5, 8.5));
        p.setPen(QPen(QColor(0, 0, 160), 1));
        for (int i = 0; i < 5; ++i)
            p.drawLine(QPointF(9, 12 + i * 3.5), QPointF(i % 2 ? 20 : 24, 12 + i * 3.5));
    });
}

namespace {
QIcon circledLetter(const QColor& colour, const QString& letter)
{
    return drawIcon([&](QPainter& p) {
        p.setPen(QPen(colour.darker(150), 1.5));
        p.setBrush(colour);
        p.drawEllipse(QRectF(3, 3, 26, 26));
        QFont f(QStringLiteral("Arial"));
        f.setPixelSize(20);
        f.setBold(true);
        p.setFont(f);
        p.setPen(Qt::white);
        p.drawText(QRectF(3, 3, 26, 26), Qt::AlignCenter, letter);
    });
}
} // namespace

QIcon about() { return circledLetter(QColor(30, 90, 200), QStringLiteral("i")); }

QIcon help() { return circledLetter(QColor(0, 140, 120), QStringLiteral("?")); }

QIcon exitDoor()
{
    return drawIcon([](QPainter& p) {
        p.setPen(QPen(Qt::black, 1));
        p.setBrush(QColor(150, 100, 50));
        p.drawRect(QRectF(4.5, 3.5, 14, 25));
        p.setBrush(QColor(190, 140, 80));
        p.drawPolygon(QPolygonF({QPointF(4.5, 3.5), QPointF(12.5, 6.5), QPointF(12.5, 30.5), QPointF(4.5, 28.5)}));
        p.setPen(QPen(QColor(200, 0, 0), 3, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(16, 16), QPointF(28, 16));
        p.drawLine(QPointF(28, 16), QPointF(23.5, 11.5));
        p.drawLine(QPointF(28, 16), QPointF(23.5, 20.5));
    });
}

QIcon back()
{
    return drawIcon([](QPainter& p) {
        p.setPen(QPen(QColor(0, 90, 0), 1));
        p.setBrush(QColor(40, 170, 60));
        p.drawPolygon(QPolygonF({QPointF(3, 16), QPointF(15, 5), QPointF(15, 11), QPointF(29, 11), QPointF(29, 21),
                                 QPointF(15, 21), QPointF(15, 27)}));
    });
}

QIcon print()
{
    return drawIcon([](QPainter& p) {
        p.setPen(QPen(Qt::black, 1));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(9.5, 3.5, 13, 10));
        p.setBrush(QColor(170, 170, 170));
        p.drawRoundedRect(QRectF(3.5, 12.5, 25, 11), 2, 2);
        p.setBrush(Qt::white);
        p.drawRect(QRectF(8.5, 19.5, 15, 9));
        p.setPen(QPen(Qt::black, 1));
        p.drawLine(QPointF(11, 23), QPointF(21, 23));
        p.drawLine(QPointF(11, 26), QPointF(19, 26));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 180, 0));
        p.drawEllipse(QPointF(24.5, 16), 1.5, 1.5);
    });
}

QIcon yes()
{
    return drawIcon([](QPainter& p) {
        p.setPen(QPen(QColor(0, 140, 0), 5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPolyline(QPolygonF({QPointF(5, 17), QPointF(13, 25), QPointF(27, 7)}));
    });
}

QIcon no()
{
    return drawIcon([](QPainter& p) {
        p.setPen(QPen(QColor(0, 0, 170), 4, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(7, 7, 20, 18), 90 * 16, -240 * 16);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 0, 170));
        p.drawPolygon(QPolygonF({QPointF(2, 12), QPointF(12, 4), QPointF(12, 17)}));
    });
}

QIcon search()
{
    QPixmap pm(32, 32);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(40, 40, 40), 3));
    p.setBrush(QColor(200, 230, 255));
    p.drawEllipse(QRectF(4, 4, 17, 17));
    p.setPen(QPen(QColor(120, 70, 20), 5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(20, 20), QPointF(28, 28));
    return QIcon(pm);
}

QIcon list()
{
    QPixmap pm(32, 32);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::white);
    p.drawRect(3, 3, 25, 25);
    for (int i = 0; i < 5; ++i) {
        p.fillRect(7, 7 + i * 4, 3, 2, Qt::darkBlue);
        p.fillRect(12, 7 + i * 4, 13, 2, i == 1 ? Qt::red : Qt::black);
    }
    return QIcon(pm);
}

} // namespace yb::pictures
