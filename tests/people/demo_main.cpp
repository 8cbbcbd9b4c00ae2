// Shows one screen of the card file, the help screen or the information
// screens on the database of YERBALIS_DATA_DIR, to look at:
//   yerbalis-people-demo SCREEN              Form6, FORM777, Form2, Form5, Form19, Form3
//   yerbalis-people-demo SCREEN list         the card file or the help screen in list mode
//   yerbalis-people-demo SCREEN box          the about screen with the second about box shown
//   yerbalis-people-demo SCREEN print F.pdf  prints the screen (its first card) to F.pdf and ends

#include "app/Acerca.h"
#include "app/Acercad2.h"
#include "app/Ayuda.h"
#include "app/Catalogo.h"
#include "app/Leame.h"
#include "app/Pedidos.h"
#include "people/Datos.h"
#include "printing/Printing.h"
#include "shell/Application.h"
#include "shell/Recordar.h"
#include "shell/Shell.h"
#include "store/Database.h"

#include <QAbstractButton>
#include <QMouseEvent>
#include <QPrinter>
#include <QTimer>

#include <cstdio>

int main(int argc, char** argv)
{
    yb::Application app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s SCREEN [list | box | print FILE.pdf]\n", argv[0]);
        return 2;
    }
    const QString name = QString::fromLocal8Bit(argv[1]);
    const QString mode = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString();
    const QString dir = yb::Database::defaultDirectory();
    yb::Database::prepare(dir);
    yb::Database::setDirectory(dir);
    Form100 = new TForm100;
    yb::registerScreen(Form100);
    QWidget* screen = nullptr;
    QList<yb::printing::Block> (*blocks)(QWidget*) = nullptr;
    if (name == QLatin1String("Form6")) {
        screen = Form6 = new TForm6;
        blocks = [](QWidget* w) { return static_cast<TForm6*>(w)->printBlocks(); };
    } else if (name == QLatin1String("FORM777")) {
        screen = FORM777 = new TFORM777;
        blocks = [](QWidget* w) { return static_cast<TFORM777*>(w)->printBlocks(); };
    } else if (name == QLatin1String("Form2")) {
        screen = Form2 = new TForm2;
        FORMABOX = new TFORMABOX;
        yb::registerScreen(FORMABOX);
        blocks = [](QWidget* w) { return static_cast<TForm2*>(w)->printBlocks(); };
    } else if (name == QLatin1String("Form5")) {
        screen = Form5 = new TForm5;
        blocks = [](QWidget* w) { return static_cast<TForm5*>(w)->printBlocks(); };
    } else if (name == QLatin1String("Form19")) {
        screen = Form19 = new TForm19;
        blocks = [](QWidget* w) { return static_cast<TForm19*>(w)->printBlocks(); };
    } else if (name == QLatin1String("Form3")) {
        screen = Form3 = new TForm3;
        blocks = [](QWidget* w) { return static_cast<TForm3*>(w)->printBlocks(); };
    }
    if (!screen) {
        std::fprintf(stderr, "no screen %s\n", argv[1]);
        return 2;
    }
    yb::registerScreen(screen);
    if (mode == QLatin1String("print") && argc > 3) {
        QPrinter& p = yb::printing::printer();
        p.setOutputFormat(QPrinter::PdfFormat);
        p.setOutputFileName(QString::fromLocal8Bit(argv[3]));
        screen->show();
        QMetaObject::invokeMethod(screen, "FormActivate");
        yb::printing::PrinterTarget target(p);
        yb::printing::printBlocks(target, blocks(screen));
        return 0;
    }
    if (mode == QLatin1String("list"))
        QTimer::singleShot(300, [screen] {
            if (auto* b = screen->findChild<QAbstractButton*>(QStringLiteral("SpeedButton1")))
                b->click();
        });
    if (mode == QLatin1String("box"))
        QTimer::singleShot(300, [screen] {
            if (auto* b = screen->findChild<QWidget*>(QStringLiteral("botondre3"))) {
                const QPoint c = b->rect().center();
                QMouseEvent ev(QEvent::MouseMove, QPointF(c), QPointF(b->mapToGlobal(c)), Qt::NoButton, Qt::NoButton,
                               Qt::NoModifier);
                QApplication::sendEvent(b, &ev);
            }
        });
    yb::showModal(screen);
    return 0;
}
