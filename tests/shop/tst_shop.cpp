// The shop: product table editor, sales terminal and daily sales balance, on
// real tables in a temporary directory. Message boxes are answered from a
// queued callback; the printout goes to a PDF file.

#include "controls/DBEdit.h"
#include "controls/DBGrid.h"
#include "controls/DBNavigator.h"
#include "shell/Application.h"
#include "shell/FocusStyle.h"
#include "shell/Shell.h"
#include "shop/REGISTR1.h"
#include "shop/REGISTR2.h"
#include "shop/VENTAS.h"
#include "store/Conversions.h"
#include "store/Database.h"
#include "store/TableCursor.h"

#include <QAccessible>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPdfWriter>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <csignal>
#include <memory>
#include <sqlite3.h>
#include <unistd.h>

namespace {

struct Box {
    bool seen = false;
    QString text;
    QString title;
};

// Answers the next message box with the button captioned `button`.
std::shared_ptr<Box> answerBox(const QString& button = QStringLiteral("OK"))
{
    auto box = std::make_shared<Box>();
    auto* timer = new QTimer;
    auto tries = std::make_shared<int>(0);
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, [=] {
        auto* mb = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!mb) {
            if (++*tries > 1000) {
                timer->stop();
                timer->deleteLater();
            }
            return;
        }
        timer->stop();
        timer->deleteLater();
        box->seen = true;
        box->text = mb->text();
        box->title = mb->windowTitle();
        for (QAbstractButton* b : mb->buttons())
            if (b->text().remove(QLatin1Char('&')) == button) {
                b->click();
                return;
            }
        mb->reject();
    });
    timer->start();
    return box;
}

template <typename T = QWidget> T* child(QWidget* screen, const char* name)
{
    T* w = screen->findChild<T*>(QString::fromLatin1(name));
    if (!w)
        qFatal("no control %s", name);
    return w;
}

// Reading and writing the tables beside the screens, through the store.
std::unique_ptr<yb::EngineTable> openTable(const QString& table)
{
    return yb::Database::engine()->openTable(*yb::findTable(table));
}

int columnOf(const QString& table, const QString& field)
{
    const yb::TableDef& def = *yb::findTable(table);
    return int(def.field(field) - def.fields.constData());
}

// The records whose fields hold exactly these values.
qint64 countWhere(const QString& table, const QList<QPair<QString, QVariant>>& equal = {})
{
    yb::RecordFilter filter;
    for (const auto& [field, value] : equal)
        filter.equals << yb::RecordFilter::Equal{columnOf(table, field), value};
    qint64 n = 0;
    openTable(table)->find({}, filter, yb::RecordOrder::Table, [&](const yb::StoredRecord&) {
        ++n;
        return true;
    });
    return n;
}

// A field of the first record whose `whereField` holds `whereValue`; -1 when none.
qint64 valueWhere(const QString& table, const QString& field, const QString& whereField, const QVariant& whereValue)
{
    yb::RecordFilter filter;
    filter.equals << yb::RecordFilter::Equal{columnOf(table, whereField), whereValue};
    qint64 v = -1;
    openTable(table)->find({columnOf(table, field)}, filter, yb::RecordOrder::Table, [&](const yb::StoredRecord& r) {
        v = r.values[0].toLongLong();
        return false;
    });
    return v;
}

// Sales written in one transaction, as another till would have recorded them.
void addSales(int count, const QDateTime& when, const QString& product, bool numbered)
{
    const yb::TableDef& def = *yb::findTable(QStringLiteral("Ventas.DB"));
    const std::unique_ptr<yb::EngineTable> table = openTable(def.fileName);
    const std::unique_ptr<yb::BulkInsert> bulk = table->bulkInsert(false);
    for (int x = 1; x <= count; ++x) {
        QVariantList record(def.fields.size());
        record[columnOf(def.fileName, QStringLiteral("Caja"))] = qint64(1);
        record[columnOf(def.fileName, QStringLiteral("Fecha y Hora"))] = when;
        record[columnOf(def.fileName, QStringLiteral("Codigo"))] = qint64(7);
        record[columnOf(def.fileName, QStringLiteral("Importe"))] = qint64(150);
        record[columnOf(def.fileName, QStringLiteral("Producto"))] =
            numbered ? QStringLiteral("%1 %2").arg(product).arg(x) : product;
        bulk->add(record, {}, x);
    }
    bulk->commit();
}

// Deliberate damage for one test: a trigger that makes the sales file refuse
// every new record. Only the SQLite file can be damaged this way.
void execSql(const QString& table, const char* sql)
{
    sqlite3* db = nullptr;
    const QString path = yb::Database::tablePath(yb::Database::directory(), table);
    sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
    sqlite3_busy_timeout(db, 5000);
    char* err = nullptr;
    if (sqlite3_exec(db, sql, nullptr, nullptr, &err) != SQLITE_OK)
        qFatal("sql failed: %s", err);
    sqlite3_close(db);
}

qint64 sales() { return countWhere(QStringLiteral("Ventas.DB")); }

void addProduct(int code, const QString& description, qint64 price)
{
    yb::TableCursor c(yb::cursorDecl(QStringLiteral("REGISTR1"), QStringLiteral("Table1")));
    c.open();
    c.append();
    c.fieldByName(QStringLiteral("Codigo")).setAsInteger(code);
    c.fieldByName(QStringLiteral("Descripcion")).setAsString(description);
    c.fieldByName(QStringLiteral("Precio")).setAsInteger(price);
    c.post();
}

void activate(QWidget* screen)
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w != screen && w->isVisible() && qobject_cast<QMessageBox*>(w) == nullptr)
            w->hide();
    screen->resize(640, 461);
    screen->setWindowState(Qt::WindowNoState);
    screen->show();
    screen->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(screen));
    QMetaObject::invokeMethod(screen, "FormActivate");
}

// A mouse click on one of the navigator's buttons.
void press(DBNavigator* nav, DBNavigator::NavigateButton b)
{
    QWidget* button = nav->button(b);
    QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, button->rect().center());
}

QColor textColour(QWidget* w) { return w->palette().color(QPalette::Text); }

} // namespace

class ShopTest : public QObject {
    Q_OBJECT
private:
    QTemporaryDir tmp_;
    TEDITORTABLA* editor_ = nullptr;
    TTERMINAL* terminal_ = nullptr;
    TForm44315* balance_ = nullptr;

    // terminal controls
    QLineEdit* edCodigo() { return child<QLineEdit>(terminal_, "edCodigo"); }
    DBEdit* dbDescripcion() { return child<DBEdit>(terminal_, "dbDescripcion"); }
    DBEdit* dbPrecio() { return child<DBEdit>(terminal_, "dbPrecio"); }
    QListWidget* list() { return child<QListWidget>(terminal_, "lbAcumulado"); }
    QString total() { return child<QLabel>(terminal_, "lbImporte")->text(); }
    QPushButton* btnAnotar() { return child<QPushButton>(terminal_, "btnAnotar"); }

    // After a message box the window system gives the activation back.
    void reactivate(QWidget* screen)
    {
        screen->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(screen));
    }

    // Types a code and presses Enter in the code box.
    void lookup(const QString& code)
    {
        edCodigo()->clear();
        edCodigo()->setFocus();
        if (!code.isEmpty())
            QTest::keyClicks(edCodigo(), code);
        QTest::keyClick(edCodigo(), Qt::Key_Return);
    }
    // Presses Enter on the focused register button, as the assistant does.
    void registerByEnter()
    {
        reactivate(terminal_);
        QCOMPARE(QApplication::focusWidget(), btnAnotar());
        QTest::keyClick(btnAnotar(), Qt::Key_Return);
    }
    void sell(const QString& code)
    {
        lookup(code);
        registerByEnter();
    }

private slots:
    void initTestCase()
    {
        QVERIFY(tmp_.isValid());
        const QString dir = tmp_.path() + QStringLiteral("/yerba");
        QVERIFY(yb::Database::prepare(dir));
        yb::Database::setDirectory(dir);
        addProduct(3, QStringLiteral("Tila"), 200); // the first product of the table
        addProduct(7, QStringLiteral("Manzanilla"), 150);
        addProduct(12, QStringLiteral("Poleos"), 1234);
        addProduct(99, QStringLiteral("Cesta grande"), 2147483600);
        editor_ = EDITORTABLA = new TEDITORTABLA;
        terminal_ = TERMINAL = new TTERMINAL;
        balance_ = Form44315 = new TForm44315;
        // Not registered with the shell: the tests run each activation themselves.
    }

    void cleanupTestCase()
    {
        delete balance_;
        delete terminal_;
        delete editor_;
    }

    // ---------------------------------------------------------------- editor

    void editorActivationTabAndEnter()
    {
        auto* grid = child<DBGrid>(editor_, "DBGrid2");
        auto* e1 = child<DBEdit>(editor_, "DBEdit1");
        auto* e2 = child<DBEdit>(editor_, "DBEdit2");
        auto* e3 = child<DBEdit>(editor_, "DBEdit3");
        editor_->Table1->last();
        activate(editor_);
        QVERIFY(grid->isVisible());
        QVERIFY(child<QPushButton>(editor_, "CANCELAR")->isVisible());
        QVERIFY(!child<QPushButton>(editor_, "Botonver")->isVisible());
        QVERIFY(!child<QPlainTextEdit>(editor_, "Memo10")->isVisible());
        QVERIFY(!child<QPushButton>(editor_, "OCULTAR")->isVisible());
        QVERIFY(child<QToolButton>(editor_, "Speed1")->isVisible());
        QCOMPARE(e1->text(), QStringLiteral("3")); // first product again
        QCOMPARE(QApplication::focusWidget(), e1);
        QCOMPARE(textColour(e1), QColor(255, 0, 0));

        // Tab: code, price, description.
        QTest::keyClick(e1, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), e3);
        QCOMPARE(textColour(e3), QColor(255, 0, 0));
        QCOMPARE(textColour(e1), QApplication::palette(e1).color(QPalette::Text));
        QTest::keyClick(e3, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), e2);

        // Enter: code, description, price, code; it never posts.
        e1->setFocus();
        QTest::keyClick(e1, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), e2);
        QTest::keyClick(e2, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), e3);
        QTest::keyClicks(e3, "5");
        QCOMPARE(editor_->Table1->state(), yb::CursorState::Edit);
        QTest::keyClick(e3, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), e1);
        QCOMPARE(editor_->Table1->state(), yb::CursorState::Edit);
        QCOMPARE(valueWhere(QStringLiteral("Producto.db"), QStringLiteral("Precio"), QStringLiteral("Codigo"), 3), 200);
        editor_->Table1->cancel();

        // After a navigator button the focus is in the code box, in red.
        e2->setFocus();
        press(child<DBNavigator>(editor_, "DBNavigator2"), DBNavigator::Next);
        QCOMPARE(e1->text(), QStringLiteral("7"));
        QCOMPARE(QApplication::focusWidget(), e1);
        QCOMPARE(textColour(e1), QColor(255, 0, 0));
    }

    void editorHelpAndList()
    {
        activate(editor_);
        auto* grid = child<DBGrid>(editor_, "DBGrid2");
        auto* ver = child<QPushButton>(editor_, "Botonver");
        auto* cancelar = child<QPushButton>(editor_, "CANCELAR");
        auto* memo = child<QPlainTextEdit>(editor_, "Memo10");
        auto* ocultar = child<QPushButton>(editor_, "OCULTAR");
        auto* speed = child<QToolButton>(editor_, "Speed1");
        QCOMPARE(memo->toPlainText().split(QLatin1Char('\n')).size(), 6);

        cancelar->click();
        QVERIFY(!grid->isVisible() && !cancelar->isVisible() && ver->isVisible());
        QCOMPARE(QApplication::focusWidget(), child<QWidget>(editor_, "DBEdit1"));

        speed->click();
        QVERIFY(memo->isVisible() && ocultar->isVisible() && !speed->isVisible());
        // Alt+O closes the help, not the list under it.
        QTest::keyClick(editor_, Qt::Key_O, Qt::AltModifier);
        QTRY_VERIFY(!memo->isVisible());
        QVERIFY(!ocultar->isVisible() && speed->isVisible());
        QVERIFY(ver->isVisible() && !cancelar->isVisible() && !grid->isVisible());

        ver->click();
        QVERIFY(grid->isVisible() && cancelar->isVisible() && !ver->isVisible());
        speed->click();
        ocultar->click();
        QVERIFY(grid->isVisible() && cancelar->isVisible() && !ver->isVisible());
        QCOMPARE(QApplication::focusWidget(), child<QWidget>(editor_, "DBEdit1"));
    }

    void editorNewProductAndRefusals()
    {
        activate(editor_);
        auto* nav = child<DBNavigator>(editor_, "DBNavigator2");
        auto* e1 = child<DBEdit>(editor_, "DBEdit1");
        auto* e2 = child<DBEdit>(editor_, "DBEdit2");
        auto* e3 = child<DBEdit>(editor_, "DBEdit3");
        const qint64 before = countWhere(QStringLiteral("Producto.db"));

        // A code that another product has: refused, the record stays in editing.
        press(nav, DBNavigator::Insert);
        QTest::keyClicks(e1, "7");
        QTest::keyClick(e1, Qt::Key_Return);
        QTest::keyClicks(e2, "Otra");
        QTest::keyClick(e2, Qt::Key_Return);
        QTest::keyClicks(e3, "10");
        auto box = answerBox();
        press(nav, DBNavigator::Post);
        QVERIFY(box->seen);
        QVERIFY2(box->text.contains(QStringLiteral("Key violation")), qPrintable(box->text));
        QCOMPARE(editor_->Table1->state(), yb::CursorState::Insert);

        // The code corrected: written.
        e1->setFocus();
        e1->selectAll();
        QTest::keyClicks(e1, "21");
        press(nav, DBNavigator::Post);
        QCOMPARE(editor_->Table1->state(), yb::CursorState::Browse);
        QCOMPARE(valueWhere(QStringLiteral("Producto.db"), QStringLiteral("Precio"), QStringLiteral("Codigo"), 21), 10);

        // A code left empty: "Field 'Codigo' must have a value".
        press(nav, DBNavigator::Insert);
        e2->setFocus();
        QTest::keyClicks(e2, "Sin codigo");
        box = answerBox();
        press(nav, DBNavigator::Post);
        QVERIFY(box->seen);
        QCOMPARE(box->text, QStringLiteral("Field 'Codigo' must have a value."));
        press(nav, DBNavigator::Cancel);
        QCOMPARE(countWhere(QStringLiteral("Producto.db")), before + 1);

        // Deleting the new product again, after the confirmation.
        editor_->Table1->locate(QStringLiteral("Codigo"), 21, yb::LocateNone);
        box = answerBox(QStringLiteral("OK"));
        press(nav, DBNavigator::Delete);
        QVERIFY(box->seen);
        QCOMPARE(countWhere(QStringLiteral("Producto.db")), before);
    }

    // -------------------------------------------------------------- terminal

    void terminalLookupForms()
    {
        activate(terminal_);
        QCOMPARE(QApplication::focusWidget(), edCodigo());
        const qint64 before = sales();
        const QStringList forms = {QStringLiteral("7"), QStringLiteral(" 7"), QStringLiteral("+7"),
                                   QStringLiteral("007")};
        for (const QString& code : forms) {
            lookup(code);
            QCOMPARE(dbDescripcion()->text(), QStringLiteral("Manzanilla"));
            QCOMPARE(dbPrecio()->text(), QStringLiteral("150"));
            registerByEnter();
            QCOMPARE(list()->item(list()->count() - 1)->text(),
                     code.rightJustified(10) + QStringLiteral(" Manzanilla") + QString(20, QLatin1Char(' ')) +
                         QStringLiteral("        150"));
            QCOMPARE(QApplication::focusWidget(), edCodigo());
            QVERIFY(edCodigo()->text().isEmpty() && dbDescripcion()->text().isEmpty() && dbPrecio()->text().isEmpty());
        }
        QCOMPARE(total(), QStringLiteral("600"));
        QCOMPARE(list()->currentRow(), 3);
        QCOMPARE(sales(), before + 4);
        QCOMPARE(countWhere(QStringLiteral("Ventas.DB"),
                            {{QStringLiteral("Codigo"), 7},
                             {QStringLiteral("Importe"), 150},
                             {QStringLiteral("Caja"), 1},
                             {QStringLiteral("Producto"), QStringLiteral("Manzanilla")}}),
                 before + 4);
    }

    // After a lookup the focus is on the register button, and the button
    // shows it: the assistant sees where the next key goes.
    void terminalFocusedButtonIsPlainlyShown()
    {
        QVERIFY(qobject_cast<yb::FocusStyle*>(QApplication::style()));
        activate(terminal_);
        QCOMPARE(QApplication::focusWidget(), edCodigo());
        const QColor highlight = btnAnotar()->palette().color(QPalette::Active, QPalette::Highlight);
        auto framed = [highlight](const QImage& img) {
            int n = 0;
            const QImage rgb = img.convertToFormat(QImage::Format_RGB32);
            for (int y = 0; y < rgb.height(); ++y)
                for (int x = 0; x < rgb.width(); ++x)
                    n += rgb.pixelColor(x, y) == highlight;
            return n;
        };
        const QImage unfocused = btnAnotar()->grab().toImage();
        lookup(QStringLiteral("7"));
        QCOMPARE(QApplication::focusWidget(), btnAnotar());
        const QImage focused = btnAnotar()->grab().toImage();
        QVERIFY(focused != unfocused);
        QCOMPARE(framed(unfocused), 0);
        // a frame along the edges: at least the button's perimeter
        QVERIFY2(framed(focused) >= btnAnotar()->width() + btnAnotar()->height(),
                 qPrintable(QString::number(framed(focused))));
        // keys still go only to the focused control
        QTest::keyClicks(btnAnotar(), QStringLiteral("12"));
        QCOMPARE(edCodigo()->text(), QStringLiteral("7"));
        // the code list reads the product found as its selected row
        QAccessibleInterface* codes = QAccessible::queryAccessibleInterface(child<DBGrid>(terminal_, "DBGrid2"));
        QVERIFY(codes && codes->tableInterface());
        const int row = codes->tableInterface()->selectedRows().value(0, -1);
        QVERIFY(row >= 0);
        QCOMPARE(codes->tableInterface()->cellAt(row, 1)->text(QAccessible::Name), QStringLiteral("Manzanilla"));
        registerByEnter();
        QCOMPARE(QApplication::focusWidget(), edCodigo());
        QCOMPARE(framed(btnAnotar()->grab().toImage()), 0);
    }

    void terminalMissAndEmptyCode()
    {
        activate(terminal_);
        const qint64 before = sales();
        // A code that does not exist: the message, the first product shown,
        // focus and code kept, and nothing can be sold with it.
        auto box = answerBox();
        lookup(QStringLiteral("999"));
        QVERIFY(box->seen);
        QCOMPARE(box->text, QStringLiteral("Ese producto no existe"));
        QCOMPARE(box->title, yb::applicationTitle());
        QCOMPARE(dbDescripcion()->text(), QStringLiteral("Tila"));
        QCOMPARE(edCodigo()->text(), QStringLiteral("999"));
        QCOMPARE(terminal_->focusWidget(), edCodigo());
        box = answerBox();
        btnAnotar()->click();
        QVERIFY(box->seen);
        QCOMPARE(box->text, QStringLiteral("Ese producto no existe."));
        QCOMPARE(list()->count(), 0);
        QCOMPARE(total(), QStringLiteral("0"));
        QCOMPARE(sales(), before);
        QCOMPARE(terminal_->tblVentas->state(), yb::CursorState::Browse);

        // An empty code: the conversion error; the first product shown.
        terminal_->tblProductos->last();
        box = answerBox();
        lookup(QString());
        QVERIFY(box->seen);
        QCOMPARE(box->text, QStringLiteral("'' is not a valid integer value."));
        QCOMPARE(dbDescripcion()->text(), QStringLiteral("Tila"));

        // The register button with empty boxes (after a sale) records nothing.
        sell(QStringLiteral("7"));
        box = answerBox();
        btnAnotar()->click();
        QVERIFY(box->seen);
        QCOMPARE(box->text, QStringLiteral("'' is not a valid integer value."));
        QCOMPARE(list()->count(), 1);
        QCOMPARE(total(), QStringLiteral("150"));
        QCOMPARE(sales(), before + 1);
    }

    void terminalLineOf52AndTwoSales()
    {
        activate(terminal_);
        const qint64 before = sales();
        sell(QStringLiteral("12"));
        sell(QStringLiteral("12"));
        const QString line = list()->item(0)->text();
        QCOMPARE(line.size(), 52);
        QCOMPARE(line,
                 QString(8, QLatin1Char(' ')) + QStringLiteral("12 Poleos") + QString(24, QLatin1Char(' ')) +
                     QLatin1Char(' ') + QString(6, QLatin1Char(' ')) + QStringLiteral("1234"));
        QCOMPARE(list()->count(), 2);
        QCOMPARE(list()->item(1)->text(), line);
        QCOMPARE(total(), QStringLiteral("2468"));
        QCOMPARE(sales(), before + 2);
        // Two records with their own times, in the order sold.
        yb::TableCursor v(yb::cursorDecl(QStringLiteral("REGISTR2"), QStringLiteral("tblVentas")));
        v.open();
        v.last();
        const QDateTime second = v.fieldByName(QStringLiteral("Fecha y Hora")).asDateTime();
        QCOMPARE(v.fieldByName(QStringLiteral("Codigo")).asInteger(), 12);
        v.prior();
        const QDateTime first = v.fieldByName(QStringLiteral("Fecha y Hora")).asDateTime();
        QCOMPARE(v.fieldByName(QStringLiteral("Importe")).asInteger(), 1234);
        QVERIFY(first.isValid() && second.isValid() && first <= second);
        QVERIFY(qAbs(second.secsTo(QDateTime::currentDateTime())) < 60);
    }

    // Each till of a shop records its own number; a number out of 1 to 99 stops
    // the terminal from being made rather than record under a wrong till.
    void terminalRecordsTheTillOfItsEnvironment()
    {
        struct Restore {
            QByteArray old = qgetenv("YERBALIS_TILL");
            bool had = qEnvironmentVariableIsSet("YERBALIS_TILL");
            ~Restore() { had ? qputenv("YERBALIS_TILL", old) : qunsetenv("YERBALIS_TILL"); }
        } restore;

        qputenv("YERBALIS_TILL", "7");
        {
            TTERMINAL till7;
            QCOMPARE(till7.findChild<QLineEdit*>(QStringLiteral("edNumeroCaja"))->text(), QStringLiteral("7"));
            QVERIFY(!till7.findChild<QLineEdit*>(QStringLiteral("edNumeroCaja"))->isVisibleTo(&till7));
            till7.FormActivate();
            till7.findChild<QLineEdit*>(QStringLiteral("edCodigo"))->setText(QStringLiteral("12"));
            QChar enter(13);
            till7.edCodigoKeyPress(enter);
            till7.btnAnotarClick();
            yb::TableCursor v(yb::cursorDecl(QStringLiteral("REGISTR2"), QStringLiteral("tblVentas")));
            v.open();
            v.last();
            QCOMPARE(v.fieldByName(QStringLiteral("Caja")).asInteger(), 7);
            QCOMPARE(v.fieldByName(QStringLiteral("Codigo")).asInteger(), 12);
        }
        qputenv("YERBALIS_TILL", "99");
        QCOMPARE(yb::tillNumber(), 99);
        qunsetenv("YERBALIS_TILL");
        QCOMPARE(yb::tillNumber(), 1);
        for (const char* bad : {"0", "100", "-1", "+5", "dos", "", "1x"}) {
            qputenv("YERBALIS_TILL", bad);
            try {
                TTERMINAL refused;
                QFAIL(qPrintable(QStringLiteral("YERBALIS_TILL='%1' was taken").arg(QLatin1String(bad))));
            } catch (const yb::Error& e) {
                QCOMPARE(e.message(),
                         QStringLiteral("YERBALIS_TILL must be a till number from 1 to 99, not '%1'")
                             .arg(QLatin1String(bad)));
            }
        }
    }

    void terminalEscAndReactivation()
    {
        activate(terminal_);
        const qint64 before = sales();
        // Esc with an empty list changes nothing and never writes.
        QTest::keyClick(edCodigo(), Qt::Key_Escape);
        QCOMPARE(list()->count(), 0);
        QCOMPARE(total(), QStringLiteral("0"));
        QCOMPARE(sales(), before);

        sell(QStringLiteral("7"));
        sell(QStringLiteral("3"));
        QCOMPARE(total(), QStringLiteral("350"));
        edCodigo()->setText(QStringLiteral("12"));
        QTest::keyClick(edCodigo(), Qt::Key_Escape);
        QCOMPARE(list()->count(), 0);
        QCOMPARE(total(), QStringLiteral("0"));
        QCOMPARE(edCodigo()->text(), QStringLiteral("12")); // the boxes are left as they are

        // Esc in the description box does the same.
        sell(QStringLiteral("7"));
        dbDescripcion()->setFocus();
        QTest::keyClick(dbDescripcion(), Qt::Key_Escape);
        QCOMPARE(list()->count(), 0);
        QCOMPARE(total(), QStringLiteral("0"));

        // Closing and showing again: a new customer; the sales stay.
        sell(QStringLiteral("7"));
        lookup(QStringLiteral("12"));
        child<QPushButton>(terminal_, "BitBtn1")->click();
        QVERIFY(!terminal_->isVisible());
        activate(terminal_);
        QCOMPARE(list()->count(), 0);
        QCOMPARE(total(), QStringLiteral("0"));
        QVERIFY(edCodigo()->text().isEmpty() && dbDescripcion()->text().isEmpty());
        QCOMPARE(sales(), before + 4);
        // The lookup made before closing does not sell after reopening.
        auto box = answerBox();
        edCodigo()->setText(QStringLiteral("12"));
        btnAnotar()->click();
        QVERIFY(box->seen);
        QCOMPARE(sales(), before + 4);
    }

    void clockAndBalanceShowTheRegionalForms()
    {
        // The terminal's clock and the balance's grid write date and time in the
        // system's forms, which read back to the moment, with nothing left of
        // the long format's time-zone part.
        const QRegularExpression leftover(QStringLiteral("[()\\[\\],]|\\s$|UTC"));
        activate(terminal_);
        auto* clock = child<QLabel>(terminal_, "lbFechaHora");
        QTRY_VERIFY_WITH_TIMEOUT(clock->text() != QStringLiteral("22/22/98 22:22:22"), 1500);
        const QString shown = clock->text();
        const QDateTime read = yb::textToDateTime(shown);
        QVERIFY2(read.isValid(), qPrintable(shown));
        QVERIFY2(qAbs(read.secsTo(QDateTime::currentDateTime())) <= 5, qPrintable(shown));
        QCOMPARE(shown, yb::dateText(read.date()) + QLatin1Char(' ') + yb::timeText(read.time()));
        QVERIFY2(!shown.contains(leftover), qPrintable(shown));

        sell(QStringLiteral("12"));
        activate(balance_);
        balance_->Table1->last();
        const QDateTime stored = balance_->Table1->fieldByName(QStringLiteral("Fecha y Hora")).asDateTime();
        const QString cell =
            child<DBGrid>(balance_, "TEXTO1")->cellText(child<DBGrid>(balance_, "TEXTO1")->window().activeRow(), 0);
        QCOMPARE(cell, yb::dateTimeText(stored));
        QVERIFY2(!cell.contains(leftover), qPrintable(cell));
        QCOMPARE(yb::textToDateTime(cell), stored.addMSecs(-stored.time().msec()));
    }

    void terminalHelpAndCodeList()
    {
        activate(terminal_);
        auto* panel3 = child<QWidget>(terminal_, "Panel3");
        auto* ayuda = child<QPushButton>(terminal_, "Ayuda");
        auto* grid = child<DBGrid>(terminal_, "DBGrid2");
        QVERIFY(grid->isVisible() && !panel3->isVisible());
        QCOMPARE(child<QPlainTextEdit>(terminal_, "Mem889")->toPlainText().split(QLatin1Char('\n')).size(), 20);
        ayuda->click();
        QVERIFY(panel3->isVisible() && child<QWidget>(terminal_, "Mem889")->isVisible() && !ayuda->isVisible());
        // Closed with the help open: the next showing has the help closed and its button back.
        terminal_->close();
        activate(terminal_);
        QVERIFY(!panel3->isVisible() && ayuda->isVisible());
        ayuda->click();
        QTest::keyClick(terminal_, Qt::Key_O, Qt::AltModifier);
        QTRY_VERIFY(!panel3->isVisible());
        QVERIFY(ayuda->isVisible() && grid->isVisible()); // Alt+O closed the help, not the list
        QCOMPARE(QApplication::focusWidget(), edCodigo());
        child<QPushButton>(terminal_, "CANCELAR")->click();
        QVERIFY(!grid->isVisible() && child<QPushButton>(terminal_, "Botonver")->isVisible());
        child<QPushButton>(terminal_, "Botonver")->click();
        QVERIFY(grid->isVisible() && child<QPushButton>(terminal_, "CANCELAR")->isVisible());
    }

    // Enter in the description box looks up the code box's code.
    void terminalEnterInDescription()
    {
        activate(terminal_);
        const qint64 before = sales();
        edCodigo()->setText(QStringLiteral("12"));
        dbDescripcion()->setFocus();
        QTest::keyClick(dbDescripcion(), Qt::Key_Return);
        QCOMPARE(dbDescripcion()->text(), QStringLiteral("Poleos"));
        registerByEnter();
        QCOMPARE(total(), QStringLiteral("1234"));
        QCOMPARE(sales(), before + 1);
    }

    // Only what the last lookup of the typed code found can be sold.
    void terminalSellsOnlyTheFoundProduct()
    {
        activate(terminal_);
        const qint64 before = sales();
        // A product chosen in the code list without typing its code.
        terminal_->tblProductos->last();
        auto box = answerBox();
        btnAnotar()->click();
        QVERIFY(box->seen);
        QCOMPARE(box->text, QStringLiteral("'' is not a valid integer value."));
        // The code retyped after the lookup.
        lookup(QStringLiteral("7"));
        edCodigo()->setText(QStringLiteral("12"));
        box = answerBox();
        btnAnotar()->click();
        QVERIFY(box->seen);
        // The code list moved to another product after the lookup.
        lookup(QStringLiteral("7"));
        terminal_->tblProductos->first();
        box = answerBox();
        btnAnotar()->click();
        QVERIFY(box->seen);
        QCOMPARE(list()->count(), 0);
        QCOMPARE(total(), QStringLiteral("0"));
        QCOMPARE(sales(), before);
        QCOMPARE(terminal_->tblVentas->state(), yb::CursorState::Browse);
    }

    void terminalTotalOverflow()
    {
        activate(terminal_);
        const qint64 before = sales();
        sell(QStringLiteral("99"));
        QCOMPARE(total(), QStringLiteral("2147483600"));
        lookup(QStringLiteral("7"));
        auto box = answerBox();
        btnAnotar()->click();
        QVERIFY(box->seen);
        QVERIFY2(box->text.contains(QStringLiteral("2147483647")), qPrintable(box->text));
        QCOMPARE(total(), QStringLiteral("2147483600"));
        QCOMPARE(list()->count(), 1);
        QCOMPARE(sales(), before + 1);
        QCOMPARE(terminal_->tblVentas->state(), yb::CursorState::Browse);
        // A new customer can buy it.
        QTest::keyClick(edCodigo(), Qt::Key_Escape);
        sell(QStringLiteral("7"));
        QCOMPARE(total(), QStringLiteral("150"));
        QCOMPARE(sales(), before + 2);
    }

    // A sale the table refuses is not on the list nor in the total, and no
    // record is left pending to be written by a later sale.
    void terminalRefusedWriteChangesNothing()
    {
        activate(terminal_);
        sell(QStringLiteral("3"));
        const qint64 before = sales();
        execSql(QStringLiteral("Ventas.DB"),
                "CREATE TRIGGER refuse BEFORE INSERT ON records BEGIN SELECT RAISE(ABORT, 'disk refused'); END");
        lookup(QStringLiteral("7"));
        auto box = answerBox();
        btnAnotar()->click();
        QVERIFY(box->seen);
        QVERIFY2(box->text.contains(QStringLiteral("disk refused")), qPrintable(box->text));
        QCOMPARE(list()->count(), 1);
        QCOMPARE(total(), QStringLiteral("200"));
        QCOMPARE(terminal_->tblVentas->state(), yb::CursorState::Browse);
        QCOMPARE(sales(), before);
        execSql(QStringLiteral("Ventas.DB"), "DROP TRIGGER refuse");
        // The lookup still stands: the same sale goes through once.
        btnAnotar()->click();
        QCOMPARE(list()->count(), 2);
        QCOMPARE(total(), QStringLiteral("350"));
        QCOMPARE(sales(), before + 1);
    }

    // A sale recorded and the process killed at once is there afterwards.
    void terminalSaleSurvivesKill()
    {
        const qint64 before = sales();
        QProcess p;
        p.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--sell-and-die"), yb::Database::directory(), QStringLiteral("7")});
        QVERIFY(p.waitForFinished(30000));
        QCOMPARE(p.exitStatus(), QProcess::CrashExit);
        QCOMPARE(sales(), before + 1);
        terminal_->tblVentas->last();
        QCOMPARE(terminal_->tblVentas->fieldByName(QStringLiteral("Codigo")).asInteger(), 7);
    }

    // --------------------------------------------------------------- balance

    void balanceListsNewSalesAndDeletes()
    {
        activate(terminal_);
        sell(QStringLiteral("12"));
        activate(balance_);
        auto* grid = child<DBGrid>(balance_, "TEXTO1");
        QCOMPARE(grid->titles(),
                 (QStringList{QStringLiteral("Fecha y Hora"), QStringLiteral("Producto"), QStringLiteral("Importe")}));
        balance_->Table1->last();
        const int row = grid->window().activeRow();
        QCOMPARE(grid->cellText(row, 1), QStringLiteral("Poleos"));
        QCOMPARE(grid->cellText(row, 2), QStringLiteral("1234"));
        QVERIFY(yb::textToDateTime(grid->cellText(row, 0)).isValid());

        // A sale made while the balance is hidden shows at its next activation.
        activate(terminal_);
        sell(QStringLiteral("3"));
        activate(balance_);
        balance_->Table1->last();
        QCOMPARE(grid->cellText(grid->window().activeRow(), 1), QStringLiteral("Tila"));

        auto* nav = child<DBNavigator>(balance_, "DBNavigator1");
        const qint64 before = sales();
        auto box = answerBox(QStringLiteral("Cancel"));
        press(nav, DBNavigator::Delete);
        QVERIFY(box->seen);
        QCOMPARE(box->text, QStringLiteral("Delete record?"));
        QCOMPARE(sales(), before);
        box = answerBox(QStringLiteral("OK"));
        press(nav, DBNavigator::Delete);
        QVERIFY(box->seen);
        QCOMPARE(sales(), before - 1);
        {
            // The last sale recorded is not the one deleted.
            const int producto = columnOf(QStringLiteral("Ventas.DB"), QStringLiteral("Producto"));
            const QList<yb::StoredRecord> last =
                openTable(QStringLiteral("Ventas.DB"))->read({producto}, yb::RecordOrder::Table, {}, false, 1);
            QVERIFY(last.isEmpty() || last.first().values[0].toString() != QStringLiteral("Tila"));
        }

        // The help covers everything and closes again.
        child<QToolButton>(balance_, "SpeedButton2")->click();
        QVERIFY(child<QWidget>(balance_, "Panel2")->isVisible() && child<QWidget>(balance_, "Memo100")->isVisible());
        QCOMPARE(child<QPlainTextEdit>(balance_, "Memo100")->toPlainText().split(QLatin1Char('\n')).size(), 15);
        child<QPushButton>(balance_, "BotonOCULTAR")->click();
        QVERIFY(!child<QWidget>(balance_, "Panel2")->isVisible());
    }

    // More sales than fit: the grid's scroll bar is in view beside the
    // button column, and every column is whole at the design size.
    void balanceScrollsAndShowsWholeColumns()
    {
        const QDateTime at(QDate(2026, 12, 9), QTime(10, 0));
        addSales(90, at, QStringLiteral("Manzanilla"), false);
        activate(balance_);
        auto* grid = child<DBGrid>(balance_, "TEXTO1");
        auto* panel1 = child<QWidget>(balance_, "Panel1");
        QScrollBar* bar = grid->verticalScrollBar();
        const auto globalRect = [](QWidget* w) { return QRect(w->mapToGlobal(QPoint(0, 0)), w->size()); };
        for (bool maximized : {false, true}) {
            if (maximized)
                balance_->setWindowState(Qt::WindowMaximized);
            QTRY_VERIFY(bar->isVisible());
            QVERIFY(!globalRect(bar).intersects(globalRect(panel1)));
            QVERIFY(panel1->isVisible());
            if (!maximized) {
                QCOMPARE(balance_->size(), QSize(640, 461));
                QVERIFY(grid->cellRect(0, 0).left() >= grid->indicatorWidth());
                const QRect last = grid->cellRect(0, grid->columnCount() - 1);
                QVERIFY2(last.right() < grid->viewport()->width(),
                         qPrintable(QStringLiteral("%1 %2").arg(last.right()).arg(grid->viewport()->width())));
            }
            bar->triggerAction(QAbstractSlider::SliderToMaximum);
            QVERIFY(balance_->Table1->eof());
            QCOMPARE(grid->window().activeRow(), grid->window().rows().size() - 1);
            QVERIFY(grid->cellRect(grid->window().activeRow(), 0).bottom() < grid->viewport()->height());
            bar->triggerAction(QAbstractSlider::SliderToMinimum);
            QVERIFY(balance_->Table1->bof());
        }
        // a screen reader reads the sales row by row, each cell with its column title
        QAccessibleInterface* reader = QAccessible::queryAccessibleInterface(grid);
        QVERIFY(reader && reader->tableInterface());
        QCOMPARE(reader->tableInterface()->rowCount(), grid->window().rows().size());
        QAccessibleInterface* cell = reader->tableInterface()->cellAt(grid->window().activeRow(), 1);
        QCOMPARE(cell->text(QAccessible::Name), grid->cellText(grid->window().activeRow(), 1));
        QCOMPARE(cell->tableCellInterface()->columnHeaderCells().value(0)->text(QAccessible::Name),
                 QStringLiteral("Producto"));
        QVERIFY(cell->state().selected);
        {
            const std::unique_ptr<yb::EngineTable> ventas = openTable(QStringLiteral("Ventas.DB"));
            yb::RecordFilter added;
            added.equals << yb::RecordFilter::Equal{
                columnOf(QStringLiteral("Ventas.DB"), QStringLiteral("Fecha y Hora")), at};
            QList<qint64> ids;
            ventas->find({}, added, yb::RecordOrder::Table, [&](const yb::StoredRecord& r) {
                ids << r.id;
                return true;
            });
            for (qint64 id : ids)
                ventas->remove(id);
        }
        activate(balance_);
    }

    void balancePrintsTheWindowImage()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("pdfimages")).isEmpty() ||
            QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty())
            QSKIP("pdfimages and pdfinfo (poppler-utils) are needed to read the printout");
        activate(balance_);
        const QString pdf = tmp_.path() + QStringLiteral("/balance.pdf");
        TForm44315::setPrinterFactory([pdf] {
            auto w = std::make_unique<QPdfWriter>(pdf);
            w->setResolution(600);
            return std::unique_ptr<QPagedPaintDevice>(std::move(w));
        });
        auto* panel1 = child<QWidget>(balance_, "Panel1");
        // What the screen shows with the button column: red "Borrar" in it.
        auto reds = [](const QImage& img) {
            int n = 0;
            const QImage rgb = img.convertToFormat(QImage::Format_RGB32);
            for (int y = 0; y < rgb.height(); ++y)
                for (int x = 0; x < rgb.width(); ++x) {
                    const QColor c = rgb.pixelColor(x, y);
                    n += c.red() > 180 && c.green() < 90 && c.blue() < 90;
                }
            return n;
        };
        QVERIFY(reds(balance_->grab().toImage()) > 20);

        child<QToolButton>(balance_, "SpeedButton2")->click(); // the help is open when printing
        QMetaObject::invokeMethod(balance_, "IMPRIMIRClick");
        TForm44315::setPrinterFactory({});
        QVERIFY(panel1->isVisible());
        QVERIFY(!child<QWidget>(balance_, "Panel2")->isVisible());

        QProcess info;
        info.start(QStringLiteral("pdfinfo"), {pdf});
        QVERIFY(info.waitForFinished());
        QVERIFY(QString::fromUtf8(info.readAllStandardOutput())
                    .contains(QRegularExpression(QStringLiteral("Pages:\\s+1\\n"))));
        QProcess images;
        images.start(QStringLiteral("pdfimages"), {QStringLiteral("-png"), pdf, tmp_.path() + QStringLiteral("/img")});
        QVERIFY(images.waitForFinished());
        const QImage printed(tmp_.path() + QStringLiteral("/img-000.png"));
        QVERIFY(!printed.isNull());
        QCOMPARE(printed.size(), balance_->size());
        QCOMPARE(reds(printed), 0); // no button column
        QVERIFY(printed.pixelColor(printed.width() - 20, printed.height() / 2) != QColor(Qt::black));
        // Its size on paper is its size on the screen.
        QProcess list;
        list.start(QStringLiteral("pdfimages"), {QStringLiteral("-list"), pdf});
        QVERIFY(list.waitForFinished());
        const QStringList rows = QString::fromUtf8(list.readAllStandardOutput()).split(QLatin1Char('\n'));
        QVERIFY(rows.size() > 2);
        const QStringList cols = rows[2].simplified().split(QLatin1Char(' '));
        QVERIFY(cols.size() > 13);
        QVERIFY2(qAbs(cols[12].toDouble() - balance_->logicalDpiX()) < 1.5, qPrintable(rows[2]));
    }

    // After a printer error the button column is back.
    void balancePrinterErrorKeepsButtons()
    {
        activate(balance_);
        TForm44315::setPrinterFactory([]() -> std::unique_ptr<QPagedPaintDevice> {
            throw yb::Error(QStringLiteral("There is no default printer currently selected"));
        });
        auto box = answerBox();
        child<QPushButton>(balance_, "IMPRIMIR")->click();
        TForm44315::setPrinterFactory({});
        QVERIFY(box->seen);
        QCOMPARE(box->text, QStringLiteral("There is no default printer currently selected."));
        QVERIFY(child<QWidget>(balance_, "Panel1")->isVisible());
    }

    // A million sales: the balance opens and scrolls without reading them all.
    void balanceWithAMillionSales()
    {
        addSales(1000000, QDateTime(QDate(2026, 12, 1), QTime(10, 0)), QStringLiteral("Venta"), true);
        QVERIFY(sales() > 1000000);
        activate(balance_);
        auto* grid = child<DBGrid>(balance_, "TEXTO1");
        grid->setFocus();
        QTest::keyClick(grid, Qt::Key_End, Qt::ControlModifier);
        QCOMPARE(grid->cellText(grid->window().activeRow(), 1), QStringLiteral("Venta 1000000"));
        QTest::keyClick(grid, Qt::Key_PageUp);
        QTest::keyClick(grid, Qt::Key_Home, Qt::ControlModifier);
        QTest::keyClick(grid, Qt::Key_PageDown);
        QVERIFY(!grid->cellText(grid->window().activeRow(), 1).isEmpty());
        // How fast: yerbalis-bench-screens measures it against its limit.
    }
};

// The child of terminalSaleSurvivesKill: records one sale through the
// terminal and is killed right after.
static int sellAndDie(int argc, char** argv)
{
    yb::Application app(argc, argv);
    yb::Database::setDirectory(QString::fromLocal8Bit(argv[2]));
    TTERMINAL t;
    t.show();
    QMetaObject::invokeMethod(&t, "FormActivate");
    auto* code = t.findChild<QLineEdit*>(QStringLiteral("edCodigo"));
    code->setText(QString::fromLocal8Bit(argv[3]));
    QTest::keyClick(code, Qt::Key_Return);
    t.findChild<QPushButton*>(QStringLiteral("btnAnotar"))->click();
    if (t.findChild<QListWidget*>(QStringLiteral("lbAcumulado"))->count() == 1)
        ::kill(::getpid(), SIGKILL);
    return 3;
}

int main(int argc, char** argv)
{
    if (argc > 3 && qstrcmp(argv[1], "--sell-and-die") == 0)
        return sellAndDie(argc, argv);
    yb::Application app(argc, argv);
    ShopTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_shop.moc"
