// Shows one record browser on the database of YERBALIS_DATA_DIR, to look at:
//   yerbalis-reference-demo UNIT            the browser on its first record
//   yerbalis-reference-demo UNIT list       the same in list mode
//   yerbalis-reference-demo UNIT print F    prints the first record to the PDF file F and ends

#include "ReferenceSupport.h"
#include "printing/Printing.h"
#include "reference/RecordBrowser.h"
#include "shell/Application.h"
#include "shell/Shell.h"
#include "store/Database.h"

#include <QAbstractButton>
#include <QPrinter>
#include <QTimer>

#include <cstdio>

int main(int argc, char** argv)
{
    yb::Application app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s UNIT [list | print FILE.pdf]\n", argv[0]);
        return 2;
    }
    const QString unit = QString::fromLocal8Bit(argv[1]);
    const QString mode = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString();
    reftest::createScreens(yb::Database::defaultDirectory());
    QWidget* screen = reftest::browser(unit);
    if (!screen) {
        std::fprintf(stderr, "no browser %s\n", argv[1]);
        return 2;
    }
    if (mode == QLatin1String("print") && argc > 3) {
        QPrinter& p = yb::printing::printer();
        p.setOutputFormat(QPrinter::PdfFormat);
        p.setOutputFileName(QString::fromLocal8Bit(argv[3]));
        screen->show();
        QMetaObject::invokeMethod(screen, "FormActivate");
        auto* browser = screen->findChild<yb::RecordBrowser*>();
        yb::printing::PrinterTarget target(p);
        yb::printing::printBlocks(target, browser->blocks());
        return 0;
    }
    if (mode == QLatin1String("list"))
        QTimer::singleShot(300, [screen] {
            if (auto* b = screen->findChild<QAbstractButton*>(QStringLiteral("SpeedButton1")))
                b->click();
        });
    yb::showModal(screen);
    reftest::destroyScreens();
    return 0;
}
