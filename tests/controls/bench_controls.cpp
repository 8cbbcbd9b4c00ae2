// Lookup list and grid over a table of a million records (or argv[1]):
// time to fill the table, open the screen, move and search, and memory.

#include "TestData.h"
#include "TestScreen.h"
#include "controls/DBGrid.h"
#include "controls/DBLookupListBox.h"
#include "store/TableCursor.h"
#include <QScrollBar>

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QtTest>

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int n = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 1000000;
    QTemporaryDir tmp;
    const QString dir = tmp.path() + QStringLiteral("/db");
    testdata::prepare(dir);
    QElapsedTimer t;
    t.start();
    testdata::bulkManyCosmetics(dir, n);
    std::printf("filled %d records in %lld ms (file %lld MB)\n", n, t.elapsed(),
                QFileInfo(dir + QStringLiteral("/Cosmetic.DB")).size() / (1024 * 1024));
    const qint64 base = testdata::residentKb();
    t.restart();
    TestScreen screen;
    DBGrid grid(&screen);
    grid.setColumns({QStringLiteral("Producto Cosmetico"), QStringLiteral("Indicaciones")});
    grid.setDataSource(QStringLiteral("DataSource1"));
    grid.setGeometry(0, 0, 500, 300);
    screen.resize(760, 560);
    screen.show();
    QApplication::processEvents();
    std::printf("screen with list (%d rows) and grid (%d rows) shown in %lld ms\n",
                screen.controls().DBLookupListBox1->rowCount(), grid.visibleRowCount(), t.elapsed());
    auto measure = [&](const char* what, int times, const std::function<void()>& f) {
        QElapsedTimer m;
        m.start();
        for (int i = 0; i < times; ++i)
            f();
        const double ms = double(m.nsecsElapsed()) / 1e6;
        std::printf("%-44s %6d x  %9.3f ms each\n", what, times, ms / times);
    };
    DBLookupListBox* list = screen.controls().DBLookupListBox1;
    list->setFocus();
    measure("list: End and Home", 20, [&] {
        QTest::keyClick(list, Qt::Key_End);
        QTest::keyClick(list, Qt::Key_Home);
    });
    measure("list: Page Down", 500, [&] { QTest::keyClick(list, Qt::Key_PageDown); });
    measure("list: Down", 500, [&] { QTest::keyClick(list, Qt::Key_Down); });
    measure("list: scroll bar line down (no choice)", 500,
            [&] { list->verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd); });
    int found = 0;
    measure("list: incremental search, 4 keys", 50, [&] {
        QTest::qWait(0);
        for (QChar c : QStringLiteral("salv"))
            QTest::keyClick(list, c.toLatin1());
        found += list->keyValue().toString().startsWith(QStringLiteral("Salvia"));
        QTest::keyClick(list, Qt::Key_Backspace);
    });
    measure("list: repaint", 200, [&] { list->viewport()->repaint(); });
    grid.setFocus();
    measure("grid: Ctrl+End and Ctrl+Home", 20, [&] {
        QTest::keyClick(&grid, Qt::Key_End, Qt::ControlModifier);
        QTest::keyClick(&grid, Qt::Key_Home, Qt::ControlModifier);
    });
    measure("grid: Page Down", 500, [&] { QTest::keyClick(&grid, Qt::Key_PageDown); });
    measure("grid: Down", 500, [&] { QTest::keyClick(&grid, Qt::Key_Down); });
    measure("grid: repaint", 200, [&] { grid.viewport()->repaint(); });
    std::printf("searches found: %d of 50\n", found);
    std::printf("resident memory: %lld kB before the screen, %lld kB now, peak %lld kB\n", base, testdata::residentKb(),
                testdata::peakKb());
    return 0;
}
