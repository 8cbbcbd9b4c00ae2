#include "app/Acercad2.h"

#include "ui_Acercad2.h"

#include <QEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include "shell/Shell.h"

TFORMABOX* FORMABOX = nullptr;

namespace {

// The maker's emblem: a leaf in a green ring.
QIcon makerPicture()
{
    QPixmap pm(44, 44);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(20, 100, 40), 3));
    p.setBrush(QColor(235, 245, 225));
    p.drawEllipse(QRectF(3, 3, 38, 38));
    QPainterPath leaf;
    leaf.moveTo(12, 33);
    leaf.cubicTo(10, 18, 22, 9, 34, 10);
    leaf.cubicTo(35, 23, 26, 34, 12, 33);
    p.setPen(QPen(QColor(30, 90, 30), 1.2));
    p.setBrush(QColor(90, 160, 60));
    p.drawPath(leaf);
    p.drawLine(QPointF(12, 33), QPointF(30, 14));
    return QIcon(pm);
}

} // namespace

TFORMABOX::TFORMABOX(QWidget* parent) : QWidget(parent), ui(std::make_unique<Ui::TFORMABOX>())
{
    ui->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    ui->boton3876->setIcon(makerPicture());
    adjustSize();
    setFixedSize(size());
}

TFORMABOX::~TFORMABOX()
{
    if (FORMABOX == this)
        FORMABOX = nullptr;
}

bool TFORMABOX::event(QEvent* e)
{
    if (e->type() == QEvent::WindowActivate)
        FormActivate();
    return QWidget::event(e);
}

void TFORMABOX::FormActivate() { yb::beep(); }
