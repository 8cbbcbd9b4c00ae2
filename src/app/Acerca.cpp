#include "app/Acerca.h"

#include "ui_Acerca.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QScreen>
#include <QWindow>
#include <QtMath>

#include "app/Acercad2.h"
#include "app/InfoPrint.h"
#include "app/Menu.h"
#include "controls/ControlSupport.h"
#include "shell/Pictures.h"
#include "shell/Shell.h"

TForm2* Form2 = nullptr;

namespace {

// A sprig of an herb: a curved stem with pairs of leaves and a flower head.
void herb(QPainter& p, QPointF root, qreal height, qreal lean, const QColor& leafColour, const QColor& flower)
{
    QPainterPath stem;
    stem.moveTo(root);
    const QPointF tip(root.x() + lean, root.y() - height);
    stem.quadTo(QPointF(root.x() + lean * 0.15, root.y() - height * 0.6), tip);
    p.setPen(QPen(QColor(60, 100, 35), 2.5));
    p.setBrush(Qt::NoBrush);
    p.drawPath(stem);
    for (int i = 1; i <= 7; ++i) {
        const qreal t = i / 8.0;
        const QPointF at = stem.pointAtPercent(t);
        const qreal len = height * (0.2 - t * 0.1);
        for (int side : {-1, 1}) {
            p.save();
            p.translate(at);
            p.rotate(side < 0 ? -35 - 25 * t : -145 + 25 * t);
            QPainterPath leaf;
            leaf.moveTo(0, 0);
            leaf.cubicTo(len * 0.3, -len * 0.35, len * 0.75, -len * 0.3, len, 0);
            leaf.cubicTo(len * 0.75, len * 0.3, len * 0.3, len * 0.35, 0, 0);
            p.setPen(QPen(leafColour.darker(150), 1));
            p.setBrush(side < 0 ? leafColour : leafColour.lighter(115));
            p.drawPath(leaf);
            p.restore();
        }
    }
    p.setPen(Qt::NoPen);
    p.setBrush(flower);
    for (int i = 0; i < 6; ++i)
        p.drawEllipse(tip + QPointF(std::sin(i * 1.7) * 4, -i * 4.5), 3.8, 3.8);
}

// The distributor's button: a delivery van with a parcel above it.
QIcon distributorPicture()
{
    QPixmap pm(48, 150);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    // Parcel.
    p.setPen(QPen(QColor(110, 70, 30), 1.5));
    p.setBrush(QColor(205, 160, 95));
    p.drawRect(QRectF(8, 14, 32, 26));
    p.drawLine(QPointF(24, 14), QPointF(24, 40));
    p.drawLine(QPointF(8, 27), QPointF(40, 27));
    // Arrow down to the van.
    p.setPen(QPen(QColor(0, 110, 0), 4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(24, 50), QPointF(24, 82));
    p.setBrush(QColor(0, 110, 0));
    p.setPen(Qt::NoPen);
    p.drawPolygon(QPolygonF({QPointF(13, 78), QPointF(35, 78), QPointF(24, 92)}));
    // Van.
    p.setPen(QPen(Qt::black, 1.2));
    p.setBrush(QColor(230, 230, 240));
    p.drawRoundedRect(QRectF(3, 100, 30, 22), 2, 2);
    p.setBrush(QColor(40, 120, 40));
    p.drawRoundedRect(QRectF(33, 107, 12, 15), 3, 3);
    p.setBrush(QColor(170, 210, 240));
    p.drawRect(QRectF(36, 109, 6, 5));
    p.setBrush(QColor(40, 40, 40));
    p.drawEllipse(QPointF(12, 124), 4.5, 4.5);
    p.drawEllipse(QPointF(37, 124), 4.5, 4.5);
    p.setPen(QPen(QColor(0, 110, 0), 2));
    p.drawLine(QPointF(8, 108), QPointF(28, 108));
    p.drawLine(QPointF(8, 113), QPointF(22, 113));
    return QIcon(pm);
}

} // namespace

QString TForm2::noticeLine()
{
    return QStringLiteral("Programa realizado por QUORVEX. Prohibida su copia o distribución sin autorización. "
                          "Todos los derechos reservados.");
}

QString TForm2::addressLine()
{
    return QStringLiteral("Distribuciones Hierbabuena Imaginaria, S.L.  -  C/ Ficticia del Tomillo, 0  -  "
                          "00000 Valdehierbas (Provincia Ficticia)");
}

QString TForm2::phoneLine()
{
    return QStringLiteral("Información y Pedidos:  Teléfono 000 000 001  -  Fax 000 000 002  -  Móvil 000 000 003");
}

QString TForm2::sloganLine()
{
    return QStringLiteral("QUORVEX: Programas de Gestión y Bases de Datos de Salud Natural, Dietética, "
                          "Cosmética Natural y Terapias Alternativas.");
}

QImage TForm2::picture()
{
    // Drawn in flat colours without smoothing, so that the picture keeps
    // within 256 colours exactly.
    QImage img(640, 480, QImage::Format_RGB32);
    QPainter p(&img);

    // A pale morning sky over the title, in bands.
    constexpr int bands = 16;
    for (int i = 0; i < bands; ++i) {
        const qreal t = i / qreal(bands - 1);
        p.fillRect(QRect(0, i * 10, 640, 10), QColor(int(165 + 75 * t), int(200 + 45 * t), int(238 + 12 * t)));
    }
    p.fillRect(QRect(0, bands * 10, 640, 320), QColor(240, 245, 250));
    p.setPen(Qt::NoPen);
    const QColor sunRings[] = {QColor(250, 240, 200), QColor(252, 235, 160), QColor(255, 225, 110)};
    for (int i = 0; i < 3; ++i) {
        p.setBrush(sunRings[i]);
        p.drawEllipse(QPointF(585, 45), 34 - i * 8, 34 - i * 8);
    }

    // Hills, darker towards the front, where the yellow captions stand.
    struct Hill {
        qreal y, amp, phase;
        QColor colour;
    };
    const Hill hills[] = {{120, 18, 0.4, QColor(110, 150, 95)},
                          {165, 22, 2.1, QColor(60, 105, 55)},
                          {215, 16, 4.0, QColor(35, 80, 40)},
                          {265, 12, 1.3, QColor(22, 60, 30)}};
    for (const Hill& h : hills) {
        QPainterPath path;
        path.moveTo(0, 480);
        for (int x = 0; x <= 640; x += 8)
            path.lineTo(x, h.y + h.amp * std::sin(x / 95.0 + h.phase));
        path.lineTo(640, 480);
        path.closeSubpath();
        p.setBrush(h.colour);
        p.drawPath(path);
    }

    // Herbs along the left and right edges of the meadow.
    const QColor greens[] = {QColor(90, 150, 70), QColor(120, 170, 80), QColor(70, 130, 90)};
    const QColor flowers[] = {QColor(190, 120, 210), QColor(250, 220, 80), QColor(240, 240, 255)};
    for (int i = 0; i < 7; ++i) {
        herb(p, QPointF(95 + i * 12, 480), 120 + (i % 3) * 25, (i - 3) * 6, greens[i % 3], flowers[i % 3]);
        herb(p, QPointF(560 + i * 11, 480), 110 + ((i + 1) % 3) * 30, (3 - i) * 5, greens[(i + 1) % 3],
             flowers[(i + 2) % 3]);
    }

    // A mortar with its pestle at the lower right.
    p.setPen(QPen(QColor(60, 45, 30), 2));
    p.setBrush(QColor(175, 140, 100));
    p.drawLine(QPointF(612, 392), QPointF(640, 350));
    QPainterPath bowl;
    bowl.moveTo(575, 400);
    bowl.lineTo(635, 400);
    bowl.cubicTo(632, 440, 578, 440, 575, 400);
    p.drawPath(bowl);
    p.end();

    return img.convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither | Qt::AvoidDither);
}

TForm2::TForm2(QWidget* parent) : QWidget(parent), ui(std::make_unique<Ui::TForm2>())
{
    ui->setupUi(this);
    setWindowState(Qt::WindowMaximized);
    ui->BitBtn3->setIcon(yb::pictures::back());
    ui->BitBtn4->setIcon(yb::pictures::print());
    ui->botondre3->setIcon(distributorPicture());
    ui->Image2->setPixmap(QPixmap::fromImage(picture()));
    ui->Memo6->document()->setDefaultTextOption(QTextOption(Qt::AlignHCenter));
    ui->Memo6->setFocus();

    setMouseTracking(true);
    watch(ui->Panel2, &TForm2::Panel2MouseMove);
    watch(ui->Panel1, &TForm2::Panel2MouseMove);
    watch(ui->Panel4, &TForm2::Panel2MouseMove);
    watch(ui->Memo6, &TForm2::Panel2MouseMove, true);
    watch(ui->Image2, &TForm2::Image2MouseMove);
    watch(ui->Panel3, &TForm2::Image2MouseMove);
    watch(ui->Label2, &TForm2::Label2MouseMove);
    watch(ui->Label1, &TForm2::Label2MouseMove);
    watch(ui->Label5, &TForm2::Label2MouseMove);
    watch(ui->Label99, &TForm2::Label99MouseMove);
    watch(ui->Label6, &TForm2::Label99MouseMove);
    watch(ui->botondre3, &TForm2::botondre3MouseMove);
    watch(ui->BitBtn4, &TForm2::BitBtn4MouseMove);
    watch(ui->BitBtn3, &TForm2::BitBtn3MouseMove);
}

TForm2::~TForm2()
{
    if (Form2 == this)
        Form2 = nullptr;
}

void TForm2::watch(QWidget* element, void (TForm2::*handler)(), bool withParts)
{
    QList<QWidget*> widgets{element};
    if (withParts)
        widgets << element->findChildren<QWidget*>();
    for (QWidget* w : widgets) {
        w->setMouseTracking(true);
        w->installEventFilter(this);
        moveHandlers_.insert(w, handler);
    }
}

bool TForm2::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseMove) {
        auto* w = static_cast<QWidget*>(watched);
        auto* me = static_cast<QMouseEvent*>(event);
        // A move that reached this element from one of its children belongs
        // to that child, which either has a rule of its own or has none.
        const QPoint local = w->mapFromGlobal(me->globalPosition().toPoint());
        QWidget* child = w->childAt(local);
        const bool ownPart = child && moveHandlers_.value(child) == moveHandlers_.value(w);
        if (child && !ownPart && !child->testAttribute(Qt::WA_TransparentForMouseEvents))
            return false;
        if (auto handler = moveHandlers_.value(watched))
            (this->*handler)();
    }
    return QWidget::eventFilter(watched, event);
}

// The window's background around the panel.
void TForm2::mouseMoveEvent(QMouseEvent* event)
{
    if (!childAt(event->position().toPoint()))
        FormMouseMove();
    QWidget::mouseMoveEvent(event);
}

void TForm2::setHint(const QString& sentence)
{
    if (ui->Panel1->text() != sentence)
        ui->Panel1->setText(sentence);
}

void TForm2::showBox()
{
    if (!FORMABOX)
        return;
    if (!FORMABOX->isVisible()) {
        yb::floatOver(FORMABOX, this);
        // Centred on the screen the first time; where the user left it afterwards.
        const QRect area = screen() ? screen()->availableGeometry() : QRect();
        if (area.isValid() && !FORMABOX->property("yb_placed").toBool()) {
            FORMABOX->setProperty("yb_placed", true);
            QRect frame(QPoint(), FORMABOX->size());
            frame.moveCenter(area.center());
            FORMABOX->move(frame.topLeft());
        }
        yb::showModeless(FORMABOX);
    }
    FORMABOX->raise();
    FORMABOX->activateWindow();
}

void TForm2::showEvent(QShowEvent* event)
{
    // A box left open since an earlier visit floats over this screen again.
    if (FORMABOX && FORMABOX->isVisible())
        yb::floatOver(FORMABOX, this);
    QWidget::showEvent(event);
}

void TForm2::hideEvent(QHideEvent* event)
{
    // A box left open stays in sight above the menu, which this screen
    // returns to, until it is closed or a later visit hides it.
    if (FORMABOX && FORMABOX->isVisible() && Form1 && !event->spontaneous()) {
        yb::floatOver(FORMABOX, Form1);
        FORMABOX->raise();
    }
    QWidget::hideEvent(event);
}

void TForm2::hideBox()
{
    if (!FORMABOX || !FORMABOX->isVisible())
        return;
    const bool wasActive = FORMABOX->isActiveWindow();
    yb::hideModeless(FORMABOX);
    // The activation goes back to this screen, under the box.
    if (wasActive && isVisible())
        activateWindow();
}

void TForm2::FormMouseMove() { setHint(noticeLine()); }

void TForm2::Panel2MouseMove()
{
    hideBox();
    setHint(QString());
}

void TForm2::Image2MouseMove()
{
    hideBox();
    setHint(noticeLine());
}

void TForm2::Label2MouseMove()
{
    hideBox();
    setHint(addressLine());
}

void TForm2::Label99MouseMove()
{
    hideBox();
    setHint(phoneLine());
}

void TForm2::botondre3MouseMove()
{
    showBox();
    setHint(sloganLine());
}

void TForm2::BitBtn4MouseMove()
{
    setHint(QStringLiteral("Haga clic para imprimir la Dirección, el Teléfono y el Fax del distribuidor de Quorvex."));
}

void TForm2::BitBtn3MouseMove() { setHint(QStringLiteral("Haga clic para cerrar la ficha actual.")); }

void TForm2::FormActivate() { setHint(QString()); }

void TForm2::BitBtn3Click() { close(); }

QList<yb::printing::Block> TForm2::printBlocks() const { return yb::info::blocksOf({ui->Memo6}); }

void TForm2::BitBtn4Click()
{
    yb::guard([&] { yb::info::printWholeDocument(this, {ui->Memo6}); });
}
