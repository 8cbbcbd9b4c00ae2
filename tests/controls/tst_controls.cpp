// Data-bound controls on real temporary tables, driven through the test
// screen built from TestScreen.ui.

#include "TestData.h"
#include "TestScreen.h"
#include "controls/ControlAccessibility.h"
#include "controls/DBEdit.h"
#include "controls/DBGrid.h"
#include "controls/DBLookupListBox.h"
#include "controls/DBMemo.h"
#include "controls/DBNavigator.h"
#include "controls/DataSource.h"
#include "controls/ErrorSink.h"
#include "store/Catalogue.h"
#include "store/Database.h"
#include "store/Errors.h"
#include "store/SortKey.h"
#include "store/TableCursor.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolTip>
#include <QtTest>
#include <memory>
#include <tuple>

// Where the errors that handlers let through are reported: here they are
// recorded instead of shown. An error escaping an unguarded handler goes to
// the same place, as the program's application object sends it.
static QStringList reportedErrors;

class TestApp : public QApplication {
public:
    TestApp(int& argc, char** argv) : QApplication(argc, argv)
    {
        yb::setErrorSink([](const QString& message) { reportedErrors << message; });
    }
    ~TestApp() override { yb::setErrorSink({}); }
    bool notify(QObject* o, QEvent* e) override
    {
        try {
            return QApplication::notify(o, e);
        } catch (...) {
            yb::passOn(std::current_exception());
        }
        return false;
    }
};

namespace {

struct DialogSeen {
    QString title, text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QStringList buttons;
    bool seen = false;
    bool active = true; // false: stop waiting for a dialog
};

// Answers the next modal message box by clicking the button with this text.
std::shared_ptr<DialogSeen> answerDialog(const QString& buttonText)
{
    auto seen = std::make_shared<DialogSeen>();
    auto* timer = new QTimer(qApp);
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, timer, [seen, timer, buttonText, tries = 0]() mutable {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!seen->active || ++tries > 200) {
            timer->deleteLater();
            return;
        }
        if (!box)
            return;
        timer->deleteLater();
        seen->seen = true;
        seen->active = false;
        seen->title = box->windowTitle();
        seen->text = box->text();
        seen->icon = box->icon();
        for (QAbstractButton* b : box->buttons())
            seen->buttons << b->text();
        for (QAbstractButton* b : box->buttons())
            if (b->text() == buttonText) {
                b->click();
                return;
            }
        box->reject();
    });
    timer->start();
    return seen;
}

QStringList cosmeticNames()
{
    return {QStringLiteral("ABETO loción"),
            QStringLiteral("Aceite de rosa"),
            QStringLiteral("Bálsamo labial"),
            QStringLiteral("Crema de manos"),
            QStringLiteral("Crema hidratante de día con aloe y karité extra"),
            QStringLiteral("Gel de aloe"),
            QStringLiteral("Jabón de avena"),
            QStringLiteral("Loción solar"),
            QStringLiteral("Mascarilla de arcilla"),
            QStringLiteral("Tónico facial")};
}

// Every stored value of a field, in the cursor's order, read through a cursor of its own.
QStringList storedValues(const QString& unit, const QString& field)
{
    yb::TableCursor c(yb::cursorDecl(unit, QStringLiteral("Table1")));
    c.open();
    QStringList out;
    for (c.first(); !c.eof(); c.next())
        out << c.fieldByName(field).asString();
    return out;
}

// One tick of a running timer, delivered as the event loop delivers it
// (a stopped timer gets none).
void tick(QTimer* timer)
{
    if (!timer->isActive())
        return;
    QTimerEvent e(timer->timerId());
    QCoreApplication::sendEvent(timer, &e);
}

void typeText(QWidget* w, const QString& text)
{
    for (QChar ch : text)
        QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, QString(ch), Qt::NoModifier);
}

} // namespace

class TestControls : public QObject {
    Q_OBJECT

private:
    QTemporaryDir emptyTables_;
    std::unique_ptr<QTemporaryDir> tmp_;
    QString dir_;
    std::unique_ptr<TestScreen> screen_;
    TestScreen::Controls controls_{};

    void fillSamples()
    {
        QList<QStringList> records;
        for (const QString& n : cosmeticNames())
            records << QStringList{n, QStringLiteral("Indicaciones: ") + n, QStringLiteral("Modo: ") + n};
        testdata::bulkCosmetics(dir_, records);
        testdata::bulkProducts(dir_,
                               {{1, QStringLiteral("Té verde"), 350},
                                {2, QStringLiteral("Miel"), 500},
                                {3, QStringLiteral("Polen"), 420}});
    }
    TestScreen* openScreen()
    {
        screen_ = std::make_unique<TestScreen>();
        screen_->resize(760, 560);
        screen_->show();
        screen_->activateWindow();
        if (!QTest::qWaitForWindowActive(screen_.get()))
            qWarning("screen not active");
        reportedErrors.clear();
        controls_ = screen_->controls();
        return screen_.get();
    }
    TestScreen::Controls* ui() { return &controls_; }
    void clickButton(DBNavigator* nav, DBNavigator::NavigateButton b)
    {
        QTest::mouseClick(nav->button(b), Qt::LeftButton);
    }

private slots:
    void initTestCase()
    {
        // The fourteen empty tables are created once and copied for every test.
        QVERIFY(emptyTables_.isValid());
        yb::Database::prepare(emptyTables_.path() + QStringLiteral("/db"));
    }
    void init()
    {
        tmp_ = std::make_unique<QTemporaryDir>();
        dir_ = tmp_->path() + QStringLiteral("/db");
        QDir().mkpath(dir_);
        const QDir from(emptyTables_.path() + QStringLiteral("/db"));
        for (const QString& f : from.entryList(QDir::Files))
            QVERIFY(QFile::copy(from.filePath(f), dir_ + u'/' + f));
        yb::Database::setDirectory(dir_);
        reportedErrors.clear();
    }
    void cleanup()
    {
        screen_.reset();
        tmp_.reset();
    }

    // ---------------------------------------------------------- edit, memo

    void boundControlsShowTheRecordAndTakeLengthsFromTheField()
    {
        fillSamples();
        TestScreen* s = openScreen();
        QCOMPARE(ui()->MEMO2->toPlainText(), QStringLiteral("ABETO loción"));
        QCOMPARE(ui()->Memo3->toPlainText(), QStringLiteral("Indicaciones: ABETO loción"));
        QCOMPARE(ui()->DBEdit2->text(), QStringLiteral("Té verde"));
        QCOMPARE(ui()->DBEdit3->text(), QStringLiteral("350"));
        // the field's size replaces the length given by the screen; other types are unlimited
        QCOMPARE(ui()->DBEdit2->QLineEdit::maxLength(), 30);
        QCOMPARE(ui()->DBEdit3->QLineEdit::maxLength(), 32767);
        // read-only while browsing; the control follows every move
        QVERIFY(ui()->DBEdit2->QLineEdit::isReadOnly());
        s->Table1->next();
        QCOMPARE(ui()->MEMO2->toPlainText(), QStringLiteral("Aceite de rosa"));
        // the memo's own maximum: 55 characters over a 75-character field
        ui()->MEMO2->setFocus();
        QTest::keyClick(ui()->MEMO2, Qt::Key_End, Qt::ControlModifier);
        QTest::keyClicks(ui()->MEMO2, QString(60, u'x'));
        QCOMPARE(ui()->MEMO2->toPlainText().size(), 55);
        QCOMPARE(s->Table1->state(), yb::CursorState::Edit);
        // a read-only control neither edits nor writes
        ui()->DBEdit2->setReadOnly(true);
        ui()->DBEdit2->setFocus();
        QTest::keyClicks(ui()->DBEdit2, QStringLiteral("abc"));
        QCOMPARE(ui()->DBEdit2->text(), QStringLiteral("Té verde"));
        QCOMPARE(s->Table2->state(), yb::CursorState::Browse);
    }

    void typingIntoAnEmptyTableStartsAnInsert()
    {
        TestScreen* s = openScreen();
        QVERIFY(s->Table1->isEmpty());
        ui()->MEMO2->setFocus();
        QTest::keyClicks(ui()->MEMO2, QStringLiteral("Nuevo"));
        QCOMPARE(s->Table1->state(), yb::CursorState::Insert);
        // Enter in a memo starts an edit and breaks the line; Tab only moves on
        clickButton(ui()->DBNavigator1, DBNavigator::Post);
        QVERIFY2(reportedErrors.isEmpty(), qPrintable(reportedErrors.join(u'\n')));
        QCOMPARE(storedValues(QStringLiteral("Cosmetic"), QStringLiteral("Producto Cosmetico")),
                 QStringList{QStringLiteral("Nuevo")});
        QCOMPARE(s->Table1->state(), yb::CursorState::Browse);
    }

    void postWithoutTheKeyFocusesTheKeyControl()
    {
        TestScreen* s = openScreen();
        ui()->Memo3->setFocus();
        QTest::keyClicks(ui()->Memo3, QStringLiteral("solo memo"));
        QCOMPARE(s->Table1->state(), yb::CursorState::Insert);
        clickButton(ui()->DBNavigator1, DBNavigator::Post);
        QCOMPARE(reportedErrors, QStringList{QStringLiteral("Field 'Producto Cosmetico' must have a value")});
        QCOMPARE(QApplication::focusWidget(), ui()->MEMO2);
        QCOMPARE(s->Table1->state(), yb::CursorState::Insert);
        QCOMPARE(ui()->Memo3->toPlainText(), QStringLiteral("solo memo"));
    }

    void integerFieldFiltersKeysAndRejectsABadTextOnLeaving()
    {
        fillSamples();
        TestScreen* s = openScreen();
        DBEdit* precio = ui()->DBEdit3;
        precio->setFocus();
        QTest::keyClick(precio, Qt::Key_A);
        QCOMPARE(precio->text(), QStringLiteral("350"));
        QCOMPARE(s->Table2->state(), yb::CursorState::Browse); // a refused key starts nothing
        QTest::keyClick(precio, Qt::Key_End);
        QTest::keyClicks(precio, QStringLiteral("1-2"));
        QCOMPARE(precio->text(), QStringLiteral("3501-2"));
        QCOMPARE(s->Table2->state(), yb::CursorState::Edit);
        QSignalSpy left(precio, &DBEdit::exited);
        QTest::keyClick(precio, Qt::Key_Tab);
        QCOMPARE(left.count(), 0); // the focus did not leave
        QCOMPARE(reportedErrors,
                 QStringList{QStringLiteral("'3501-2' is not a valid integer value for field 'Precio'")});
        QCOMPARE(QApplication::focusWidget(), precio);
        QCOMPARE(precio->selectedText(), QStringLiteral("3501-2"));
        // corrected, it is written on leaving and posted by the navigator
        reportedErrors.clear();
        QTest::keyClicks(precio, QStringLiteral("999"));
        QTest::keyClick(precio, Qt::Key_Tab);
        QVERIFY(reportedErrors.isEmpty());
        QCOMPARE(s->Table2->fieldByName(QStringLiteral("Precio")).asInteger(), 999);
        clickButton(ui()->DBNavigator2, DBNavigator::Post);
        QCOMPARE(storedValues(QStringLiteral("REGISTR1"), QStringLiteral("Precio")).value(0), QStringLiteral("999"));
    }

    void keysThatStartAnEditAndKeysThatDoNot()
    {
        fillSamples();
        TestScreen* s = openScreen();
        DBEdit* edit = ui()->DBEdit2;
        edit->setFocus();
        struct Key {
            Qt::Key key;
            Qt::KeyboardModifiers mods;
            bool starts;
        };
        const Key keys[] = {{Qt::Key_Left, {}, false},
                            {Qt::Key_Home, {}, false},
                            {Qt::Key_C, Qt::ControlModifier, false},
                            {Qt::Key_Return, {}, false},
                            {Qt::Key_Delete, {}, true},
                            {Qt::Key_Insert, Qt::ShiftModifier, true},
                            {Qt::Key_V, Qt::ControlModifier, true},
                            {Qt::Key_X, Qt::ControlModifier, true},
                            {Qt::Key_Backspace, {}, true}};
        for (const Key& k : keys) {
            QTest::keyClick(edit, k.key, k.mods);
            QCOMPARE(s->Table2->state() == yb::CursorState::Edit, k.starts);
            s->Table2->cancel();
        }
        // the paste command starts one too
        QApplication::clipboard()->setText(QStringLiteral("pegado"));
        edit->paste();
        QCOMPARE(s->Table2->state(), yb::CursorState::Edit);
        QVERIFY(edit->text().contains(QStringLiteral("pegado")));
        s->Table2->cancel();
        QCOMPARE(edit->text(), QStringLiteral("Té verde"));
        // in a memo Enter starts an edit; Tab moves on and starts nothing
        DBMemo* memo = ui()->Memo3;
        memo->setFocus();
        QSignalSpy left(memo, &DBMemo::exited);
        QSignalSpy entered(ui()->Memo4, &DBMemo::entered);
        QTest::keyClick(memo, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), ui()->Memo4);
        QCOMPARE(left.count(), 1);
        QCOMPARE(entered.count(), 1);
        QCOMPARE(s->Table1->state(), yb::CursorState::Browse);
        QTest::keyClick(ui()->Memo4, Qt::Key_Return, Qt::ControlModifier);
        QCOMPARE(s->Table1->state(), yb::CursorState::Edit);
        QCOMPARE(ui()->Memo4->toPlainText().count(u'\n'), 1);
        s->Table1->cancel();
        // with auto-edit off typing changes nothing
        s->DataSource1->setAutoEdit(false);
        QTest::keyClicks(ui()->Memo4, QStringLiteral("abc"));
        QCOMPARE(s->Table1->state(), yb::CursorState::Browse);
        QCOMPARE(ui()->Memo4->toPlainText(), QStringLiteral("Modo: ABETO loción"));
    }

    void memoKeepsTheStoredLineBreaks()
    {
        testdata::bulkCosmetics(dir_, {{QStringLiteral("Uno"), QStringLiteral("línea 1\r\nlínea 2"), QString()}});
        openScreen();
        DBMemo* memo = ui()->Memo3;
        QCOMPARE(memo->toPlainText(), QStringLiteral("línea 1\nlínea 2"));
        memo->setFocus();
        QTest::keyClick(memo, Qt::Key_End, Qt::ControlModifier);
        QTest::keyClicks(memo, QStringLiteral("!"));
        clickButton(ui()->DBNavigator1, DBNavigator::Post);
        QCOMPARE(storedValues(QStringLiteral("Cosmetic"), QStringLiteral("Indicaciones")),
                 QStringList{QStringLiteral("línea 1\r\nlínea 2!")});
    }

    void enterInAnEditStartsNothingEscRestores()
    {
        fillSamples();
        TestScreen* s = openScreen();
        ui()->DBEdit2->setFocus();
        QTest::keyClick(ui()->DBEdit2, Qt::Key_Return);
        QCOMPARE(s->Table2->state(), yb::CursorState::Browse);
        QTest::keyClick(ui()->DBEdit2, Qt::Key_Backspace); // Backspace does start one
        QCOMPARE(s->Table2->state(), yb::CursorState::Edit);
        QCOMPARE(ui()->DBEdit2->text(), QStringLiteral("Té verd"));
        QTest::keyClick(ui()->DBEdit2, Qt::Key_Escape);
        QCOMPARE(ui()->DBEdit2->text(), QStringLiteral("Té verde"));
        QCOMPARE(ui()->DBEdit2->selectedText(), QStringLiteral("Té verde"));
        QCOMPARE(s->Table2->state(), yb::CursorState::Edit);
    }

    void escInAMemoRestoresButKeepsTheEditAndAMoveThenCancels()
    {
        fillSamples();
        TestScreen* s = openScreen();
        DBMemo* memo = ui()->Memo3;
        memo->setFocus();
        QTest::keyClicks(memo, QStringLiteral("ZZZ"));
        QCOMPARE(s->Table1->state(), yb::CursorState::Edit);
        QTest::keyClick(memo, Qt::Key_Escape);
        QCOMPARE(memo->toPlainText(), QStringLiteral("Indicaciones: ABETO loción"));
        QCOMPARE(s->Table1->state(), yb::CursorState::Edit);
        QVERIFY(ui()->DBNavigator1->isButtonEnabled(DBNavigator::Post));
        QVERIFY(!memo->isTextModified());
        QVERIFY(!s->Table1->modified()); // so the move below cancels rather than posts
        clickButton(ui()->DBNavigator1, DBNavigator::Next);
        QCOMPARE(s->Table1->state(), yb::CursorState::Browse);
        QCOMPARE(ui()->MEMO2->toPlainText(), QStringLiteral("Aceite de rosa"));
        QCOMPARE(storedValues(QStringLiteral("Cosmetic"), QStringLiteral("Indicaciones")).value(0),
                 QStringLiteral("Indicaciones: ABETO loción"));
    }

    void pendingTextIsWrittenBeforeEveryPostAndMove()
    {
        fillSamples();
        TestScreen* s = openScreen();
        // a memo field: typed, the focus still in the memo, then Next on the bar
        ui()->Memo3->setFocus();
        QTest::keyClick(ui()->Memo3, Qt::Key_End, Qt::ControlModifier);
        QTest::keyClicks(ui()->Memo3, QStringLiteral(" extra"));
        clickButton(ui()->DBNavigator1, DBNavigator::Next);
        QVERIFY(reportedErrors.isEmpty());
        QCOMPARE(storedValues(QStringLiteral("Cosmetic"), QStringLiteral("Indicaciones")).value(0),
                 QStringLiteral("Indicaciones: ABETO loción extra"));
        // a memo over a text field writes at the update, not on leaving
        ui()->MEMO2->setFocus();
        QTest::keyClick(ui()->MEMO2, Qt::Key_End, Qt::ControlModifier);
        QTest::keyClicks(ui()->MEMO2, QStringLiteral(" fina"));
        QTest::keyClick(ui()->MEMO2, Qt::Key_Tab);
        QCOMPARE(s->Table1->fieldByName(QStringLiteral("Producto Cosmetico")).asString(),
                 QStringLiteral("Aceite de rosa"));
        // a move by the lookup list writes and posts it
        ui()->DBLookupListBox1->setFocus();
        QTest::keyClick(ui()->DBLookupListBox1, Qt::Key_Down);
        QVERIFY(reportedErrors.isEmpty());
        QVERIFY(storedValues(QStringLiteral("Cosmetic"), QStringLiteral("Producto Cosmetico"))
                    .contains(QStringLiteral("Aceite de rosa fina")));
        // and so does a move by the grid of the product editor
        ui()->DBEdit2->setFocus();
        QTest::keyClick(ui()->DBEdit2, Qt::Key_End);
        QTest::keyClicks(ui()->DBEdit2, QStringLiteral(" bio"));
        s->Table2->next();
        QCOMPARE(storedValues(QStringLiteral("REGISTR1"), QStringLiteral("Descripcion")).value(0),
                 QStringLiteral("Té verde bio"));
    }

    void memoTooLargeIsShownAndNeverWrittenBack()
    {
        fillSamples();
        const qsizetype saved = DBMemo::loadCapacity();
        DBMemo::setLoadCapacity(20);
        TestScreen* s = openScreen();
        QCOMPARE(ui()->Memo3->toPlainText(), QStringLiteral("(Memo too large)"));
        QVERIFY(!ui()->Memo3->isMemoLoaded());
        ui()->Memo3->setFocus();
        QTest::keyClicks(ui()->Memo3, QStringLiteral("x"));
        QCOMPARE(s->Table1->state(), yb::CursorState::Browse);
        DBMemo::setLoadCapacity(saved);
        QCOMPARE(storedValues(QStringLiteral("Cosmetic"), QStringLiteral("Indicaciones")).value(0),
                 QStringLiteral("Indicaciones: ABETO loción"));
    }

    // ------------------------------------------------------------ navigator

    void navigatorEnablingFollowsTheCursor()
    {
        fillSamples();
        TestScreen* s = openScreen();
        DBNavigator* nav = ui()->DBNavigator1;
        QVERIFY(!nav->isButtonEnabled(DBNavigator::First));
        QVERIFY(!nav->isButtonEnabled(DBNavigator::Prior));
        QVERIFY(nav->isButtonEnabled(DBNavigator::Next));
        QVERIFY(!nav->isButtonEnabled(DBNavigator::Post));
        clickButton(nav, DBNavigator::Last);
        const QString last = ui()->MEMO2->toPlainText();
        QCOMPARE(last, QStringLiteral("Tónico facial"));
        clickButton(nav, DBNavigator::Prior);
        clickButton(nav, DBNavigator::Next);
        QVERIFY(nav->isButtonEnabled(DBNavigator::Next)); // on the last record, not yet past it
        clickButton(nav, DBNavigator::Next);
        QCOMPARE(ui()->MEMO2->toPlainText(), last);
        QVERIFY(!nav->isButtonEnabled(DBNavigator::Next));
        QVERIFY(!nav->isButtonEnabled(DBNavigator::Last));
        QVERIFY(nav->isButtonEnabled(DBNavigator::First));
        QVERIFY(nav->isButtonEnabled(DBNavigator::Prior));
        s->Table1->edit();
        QVERIFY(nav->isButtonEnabled(DBNavigator::Post));
        QVERIFY(!nav->isButtonEnabled(DBNavigator::Edit));
        // without a data source every button is disabled
        DBNavigator lone;
        for (int i = 0; i < DBNavigator::ButtonCount; ++i)
            QVERIFY(!lone.isButtonEnabled(DBNavigator::buttonAt(i)));
        // an empty table cannot be deleted from
        s->Table1->cancel();
        while (!s->Table1->isEmpty())
            s->Table1->remove();
        QVERIFY(!nav->isButtonEnabled(DBNavigator::Delete));
        QVERIFY(nav->isButtonEnabled(DBNavigator::Insert));
    }

    void navigatorLayoutAndHints()
    {
        fillSamples();
        TestScreen* s = openScreen();
        DBNavigator* nav = ui()->DBNavigator1;
        QVERIFY(!nav->button(DBNavigator::Edit)->isVisible());
        QVERIFY(!nav->button(DBNavigator::Cancel)->isVisible());
        int x = 0;
        int minW = 1 << 30, maxW = 0;
        for (int i = 0; i < DBNavigator::ButtonCount; ++i) {
            QWidget* b = nav->button(DBNavigator::buttonAt(i));
            if (!b->isVisible())
                continue;
            QCOMPARE(b->x(), x);
            x += b->width();
            minW = std::min(minW, b->width());
            maxW = std::max(maxW, b->width());
        }
        QCOMPARE(x, nav->width());
        QVERIFY(maxW - minW <= 1);
        QVERIFY(nav->button(DBNavigator::Next)->toolTip().isEmpty());
        QCOMPARE(ui()->DBNavigator2->button(DBNavigator::Next)->toolTip(), QStringLiteral("Next record"));
        QCOMPARE(ui()->DBNavigator2->button(DBNavigator::Post)->toolTip(), QStringLiteral("Post edit"));
        // hints show over disabled buttons too (a bar without data source)
        DBNavigator help(s);
        help.setShowHint(true);
        help.setGeometry(0, 0, 250, 25);
        help.show();
        QWidget* last = help.button(DBNavigator::Last);
        QVERIFY(!last->isEnabled());
        QHelpEvent tip(QEvent::ToolTip, QPoint(3, 3), last->mapToGlobal(QPoint(3, 3)));
        QApplication::sendEvent(last, &tip);
        QTRY_COMPARE(QToolTip::text(), QStringLiteral("Last record"));
        // the disabled pictogram is drawn grey
        const QImage off = nav->button(DBNavigator::Prior)->grab().toImage();
        clickButton(nav, DBNavigator::Next);
        QVERIFY(nav->isButtonEnabled(DBNavigator::Prior));
        const QImage on = nav->button(DBNavigator::Prior)->grab().toImage();
        QVERIFY(on != off);
    }

    void deleteAnsweredCancelStillCallsTheCallback()
    {
        fillSamples();
        TestScreen* s = openScreen();
        auto seen = answerDialog(QStringLiteral("Cancel"));
        clickButton(ui()->DBNavigator1, DBNavigator::Delete);
        QVERIFY(seen->seen);
        QCOMPARE(seen->title, QStringLiteral("Confirm"));
        QCOMPARE(seen->text, QStringLiteral("Delete record?"));
        QCOMPARE(seen->icon, QMessageBox::Question);
        QCOMPARE(seen->buttons, (QStringList{QStringLiteral("OK"), QStringLiteral("Cancel")}));
        QCOMPARE(s->navigatorClicks, 1);
        QCOMPARE(storedValues(QStringLiteral("Cosmetic"), QStringLiteral("Producto Cosmetico")).size(), 10);
        answerDialog(QStringLiteral("OK"));
        clickButton(ui()->DBNavigator1, DBNavigator::Delete);
        QCOMPARE(s->navigatorClicks, 2);
        QCOMPARE(storedValues(QStringLiteral("Cosmetic"), QStringLiteral("Producto Cosmetico")).size(), 9);
        QCOMPARE(ui()->MEMO2->toPlainText(), QStringLiteral("Aceite de rosa"));
        QCOMPARE(s->focusWidget(), ui()->MEMO2); // the screen's callback
    }

    void deleteDuringInsertDropsTheNewRecordOnly()
    {
        fillSamples();
        TestScreen* s = openScreen();
        s->Table1->next();
        clickButton(ui()->DBNavigator1, DBNavigator::Insert);
        QCOMPARE(s->Table1->state(), yb::CursorState::Insert);
        QTest::keyClicks(ui()->MEMO2, QStringLiteral("Nuevo"));
        auto seen = answerDialog(QStringLiteral("OK"));
        clickButton(ui()->DBNavigator1, DBNavigator::Delete);
        QVERIFY(seen->seen);
        QCOMPARE(s->Table1->state(), yb::CursorState::Browse);
        QCOMPARE(storedValues(QStringLiteral("Cosmetic"), QStringLiteral("Producto Cosmetico")), cosmeticNames());
        QCOMPARE(ui()->MEMO2->toPlainText(), QStringLiteral("Aceite de rosa"));
    }

    // Held down, Next repeats 400 ms after the press, then every 100 ms, until
    // it is released or disabled. The ticks are delivered here, one by one,
    // so that the count does not depend on the machine's speed.
    void holdingNextRepeats()
    {
        fillSamples();
        TestScreen* s = openScreen();
        DBNavigator* nav = ui()->DBNavigator1;
        QWidget* next = nav->button(DBNavigator::Next);
        auto* repeat = next->findChild<QTimer*>(QStringLiteral("repeatTimer"));
        QVERIFY(repeat);
        int clicks = 0;
        connect(nav, &DBNavigator::clicked, this, [&](DBNavigator::NavigateButton) { ++clicks; });
        QTest::mousePress(next, Qt::LeftButton);
        QVERIFY(repeat->isActive());
        QCOMPARE(repeat->interval(), 400);
        QCOMPARE(clicks, 0);
        for (int i = 0; i < 5; ++i)
            tick(repeat);
        QCOMPARE(clicks, 5);
        QCOMPARE(repeat->interval(), 100);
        QTest::mouseRelease(next, Qt::LeftButton);
        QVERIFY(!repeat->isActive());
        QCOMPARE(clicks, 6); // the release's own click
        QCOMPARE(ui()->MEMO2->toPlainText(), cosmeticNames().at(6));
        // near the end: Next becomes disabled and the repeats stop
        clicks = 0;
        s->Table1->last();
        s->Table1->moveBy(-2);
        QTest::mousePress(next, Qt::LeftButton);
        for (int i = 0; i < 10 && repeat->isActive(); ++i)
            tick(repeat);
        QVERIFY(!repeat->isActive());
        QTest::mouseRelease(next, Qt::LeftButton);
        QCOMPARE(clicks, 3); // two moves, then the move past the end
        QVERIFY(!nav->isButtonEnabled(DBNavigator::Next));
        QCOMPARE(ui()->MEMO2->toPlainText(), cosmeticNames().last());
    }

    void focusedBarPressesItsButtonWithEnterAndSpace()
    {
        fillSamples();
        openScreen();
        DBNavigator* nav = ui()->DBNavigator1;
        nav->setFocusPolicy(Qt::StrongFocus);
        nav->setFocus();
        QTest::keyClick(nav, Qt::Key_Right);
        QTest::keyClick(nav, Qt::Key_Right); // First -> Prior -> Next
        QTest::keyClick(nav, Qt::Key_Return);
        QCOMPARE(ui()->MEMO2->toPlainText(), cosmeticNames().at(1));
        nav->setFocus();
        QTest::keyClick(nav, Qt::Key_Space);
        QCOMPARE(ui()->MEMO2->toPlainText(), cosmeticNames().at(2));
    }

    // ---------------------------------------------------------- lookup list

    void lookupListKeysMouseAndSelection()
    {
        fillSamples();
        TestScreen* s = openScreen();
        DBLookupListBox* list = ui()->DBLookupListBox1;
        list->setFixedHeight(list->rowHeight() * 4 + 2 * list->frameWidth());
        QTRY_COMPARE(list->rowCount(), 4);
        QCOMPARE(list->window().rows().size(), 4);
        QCOMPARE(list->rowText(0), cosmeticNames().at(0));
        list->setFocus();
        QCOMPARE(list->focusRow(), 0); // nothing chosen yet, at the beginning
        QCOMPARE(list->selectedRow(), -1);
        QTest::keyClick(list, Qt::Key_Down);
        QCOMPARE(s->listClicks, 1);
        QCOMPARE(list->keyValue().toString(), cosmeticNames().at(1));
        QCOMPARE(ui()->MEMO2->toPlainText(), cosmeticNames().at(1));
        QCOMPARE(list->selectedRow(), 1);
        // pressing on the fourth row moves the cursor there and chooses it
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, QPoint(10, list->rowHeight() * 3 + 2));
        QCOMPARE(ui()->MEMO2->toPlainText(), cosmeticNames().at(3));
        QCOMPARE(list->keyValue().toString(), cosmeticNames().at(3));
        QCOMPARE(s->listClicks, 3); // press and release each choose
        // moved by another control, the list keeps its choice and follows with its window
        clickButton(ui()->DBNavigator1, DBNavigator::Next);
        clickButton(ui()->DBNavigator1, DBNavigator::Next);
        QCOMPARE(list->keyValue().toString(), cosmeticNames().at(3));
        QCOMPARE(list->window().rows().at(list->window().activeRow()).values.value(0).toString(),
                 cosmeticNames().at(5));
        QCOMPARE(list->rowText(3), cosmeticNames().at(5)); // the current record became the last row
        QTest::keyClick(list, Qt::Key_End);
        QCOMPARE(list->rowText(3), cosmeticNames().last());
        QTest::keyClick(list, Qt::Key_PageUp);
        QCOMPARE(ui()->MEMO2->toPlainText(), cosmeticNames().at(6));
        QTest::keyClick(list, Qt::Key_Home);
        QCOMPARE(list->rowText(0), cosmeticNames().first());
        QCOMPARE(s->listClicks, 6);
    }

    void lookupListScrollBarHasThreePositions()
    {
        fillSamples();
        TestScreen* s = openScreen();
        DBLookupListBox* list = ui()->DBLookupListBox1;
        list->setFixedHeight(list->rowHeight() * 4 + 2 * list->frameWidth());
        QTRY_COMPARE(list->rowCount(), 4);
        QScrollBar* sb = list->verticalScrollBar();
        QCOMPARE(sb->maximum(), 4);
        QCOMPARE(sb->value(), 0);
        sb->triggerAction(QAbstractSlider::SliderSingleStepAdd); // to the record after the window
        QCOMPARE(ui()->MEMO2->toPlainText(), cosmeticNames().at(4));
        QCOMPARE(sb->value(), 2);
        QCOMPARE(s->listClicks, 0); // scrolling does not choose
        QVERIFY(list->keyValue().isNull());
        sb->triggerAction(QAbstractSlider::SliderToMaximum);
        QCOMPARE(ui()->MEMO2->toPlainText(), cosmeticNames().last());
        QCOMPARE(sb->value(), 4);
        sb->triggerAction(QAbstractSlider::SliderSingleStepSub); // to the record before the window
        QCOMPARE(ui()->MEMO2->toPlainText(), cosmeticNames().at(5));
        sb->triggerAction(QAbstractSlider::SliderPageStepSub); // a window's worth up
        QCOMPARE(ui()->MEMO2->toPlainText(), cosmeticNames().at(2));
        sb->triggerAction(QAbstractSlider::SliderPageStepAdd);
        QCOMPARE(ui()->MEMO2->toPlainText(), cosmeticNames().at(8));
        // the thumb let go at the top or bottom goes to the ends, a quarter to a page
        const auto letGo = [sb](int position) {
            sb->setSliderDown(true);
            sb->setSliderPosition(position);
            sb->setSliderDown(false);
        };
        letGo(0);
        QCOMPARE(ui()->MEMO2->toPlainText(), cosmeticNames().first());
        QCOMPARE(sb->value(), 0);
        letGo(4);
        QCOMPARE(ui()->MEMO2->toPlainText(), cosmeticNames().last());
        QCOMPARE(sb->value(), 4);
        letGo(1);
        QCOMPARE(ui()->MEMO2->toPlainText(), cosmeticNames().at(cosmeticNames().size() - 7));
        QCOMPARE(sb->value(), 2);
        QCOMPARE(s->listClicks, 0);
        list->setFixedHeight(list->rowHeight() * 12 + 2 * list->frameWidth());
        QTRY_COMPARE(sb->maximum(), 0); // all records fit
    }

    void lookupListDragScrollsOnATimer()
    {
        fillSamples();
        TestScreen* s = openScreen();
        DBLookupListBox* list = ui()->DBLookupListBox1;
        list->setFixedHeight(list->rowHeight() * 3 + 2 * list->frameWidth());
        QTRY_COMPARE(list->rowCount(), 3);
        auto* scroll = list->findChild<QTimer*>(QStringLiteral("scrollTimer"));
        QVERIFY(scroll);
        QWidget* vp = list->viewport();
        QTest::mousePress(vp, Qt::LeftButton, {}, QPoint(5, 2));
        // 10 pixels below the list: one record at once, then one at every tick of 200 - 15 * 10 = 50 ms
        QMouseEvent move(QEvent::MouseMove, QPointF(5, vp->height() + 9), vp->mapToGlobal(QPointF(5, vp->height() + 9)),
                         Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(vp, &move);
        QCOMPARE(ui()->MEMO2->toPlainText(), cosmeticNames().at(3));
        QVERIFY(scroll->isActive());
        QCOMPARE(scroll->interval(), 50);
        tick(scroll);
        tick(scroll);
        QCOMPARE(ui()->MEMO2->toPlainText(), cosmeticNames().at(5));
        QMouseEvent back(QEvent::MouseMove, QPointF(5, 2), vp->mapToGlobal(QPointF(5, 2)), Qt::NoButton, Qt::LeftButton,
                         Qt::NoModifier);
        QApplication::sendEvent(vp, &back);
        QCOMPARE(list->rowText(2), cosmeticNames().at(5));
        QCOMPARE(ui()->MEMO2->toPlainText(), list->rowText(0)); // back over the first row
        QVERIFY(!scroll->isActive());                           // inside the list the ticks stop
        QTest::mouseRelease(vp, Qt::LeftButton, {}, QPoint(5, 2));
        QCOMPARE(list->keyValue().toString(), list->rowText(0));
        QVERIFY(s->listClicks >= 4);
    }

    void incrementalSearchWithAPause()
    {
        fillSamples();
        TestScreen* s = openScreen();
        DBLookupListBox* list = ui()->DBLookupListBox1;
        qint64 now = 0; // the pause between keys is this test's own
        DBLookupListBox::setSearchClock([&] { return now; });
        auto steadyClock = qScopeGuard([] { DBLookupListBox::setSearchClock({}); });
        list->setFocus();
        QTest::keyClicks(list, QStringLiteral("ac"));
        QCOMPARE(list->searchText(), QStringLiteral("ac"));
        QCOMPARE(ui()->MEMO2->toPlainText(), QStringLiteral("Aceite de rosa"));
        QTest::keyClick(list, Qt::Key_Backspace);
        QCOMPARE(list->searchText(), QString());
        QTest::keyClicks(list, QStringLiteral("ab")); // any letter case
        QCOMPARE(ui()->MEMO2->toPlainText(), QStringLiteral("ABETO loción"));
        QCOMPARE(list->keyValue().toString(), QStringLiteral("ABETO loción"));
        QTest::keyClick(list, Qt::Key_Z); // "abz" matches nothing: nothing changes
        QCOMPARE(list->searchText(), QStringLiteral("ab"));
        QCOMPARE(ui()->MEMO2->toPlainText(), QStringLiteral("ABETO loción"));
        now += DBLookupListBox::SearchResetMs;
        QTest::keyClick(list, Qt::Key_E); // "abe": the pause is not longer than the reset
        QCOMPARE(list->searchText(), QStringLiteral("abe"));
        now += DBLookupListBox::SearchResetMs + 1;
        typeText(list, QStringLiteral("b"));
        QCOMPARE(list->searchText(), QStringLiteral("b"));
        QCOMPARE(ui()->MEMO2->toPlainText(), QStringLiteral("Bálsamo labial"));
        // at most 32 characters
        QTest::keyClick(list, Qt::Key_Escape);
        QCOMPARE(list->searchText(), QString());
        typeText(list, cosmeticNames().at(4).left(40));
        QCOMPARE(list->searchText(), cosmeticNames().at(4).left(32));
        QCOMPARE(ui()->MEMO2->toPlainText(), cosmeticNames().at(4));
        QVERIFY(s->listClicks >= 5);
    }

    // ----------------------------------------------------------------- grid

    void gridShowsMovesAndDeletes()
    {
        fillSamples();
        TestScreen* s = openScreen();
        DBGrid* grid = ui()->DBGrid2;
        QCOMPARE(grid->titles(),
                 (QStringList{QStringLiteral("Codigo"), QStringLiteral("Descripcion"), QStringLiteral("Precio")}));
        QCOMPARE(grid->cellText(0, 1), QStringLiteral("Té verde"));
        QCOMPARE(grid->cellText(2, 2), QStringLiteral("420"));
        QCOMPARE(grid->window().activeRow(), 0);
        // a column is resized by dragging its title's right edge
        const int w0 = grid->columnWidth(0);
        const QPoint edge(grid->indicatorWidth() + w0 - 1, grid->rowHeight() / 2);
        QTest::mousePress(grid->viewport(), Qt::LeftButton, {}, edge);
        QMouseEvent drag(QEvent::MouseMove, QPointF(edge + QPoint(30, 0)),
                         grid->viewport()->mapToGlobal(QPointF(edge + QPoint(30, 0))), Qt::NoButton, Qt::LeftButton,
                         Qt::NoModifier);
        QApplication::sendEvent(grid->viewport(), &drag);
        QTest::mouseRelease(grid->viewport(), Qt::LeftButton, {}, edge + QPoint(30, 0));
        QCOMPARE(grid->columnWidth(0), w0 + 30);
        const int y = grid->rowHeight() * 3 + grid->rowHeight() / 2; // title row, then the third record
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, QPoint(40, y));
        QCOMPARE(ui()->DBEdit2->text(), QStringLiteral("Polen"));
        QCOMPARE(grid->window().activeRow(), 2);
        QTest::keyClick(grid, Qt::Key_Up);
        QCOMPARE(ui()->DBEdit2->text(), QStringLiteral("Miel"));
        QTest::keyClick(grid, Qt::Key_Home, Qt::ControlModifier);
        QCOMPARE(ui()->DBEdit2->text(), QStringLiteral("Té verde"));
        // a line of the grid's scroll bar is one record, not the edge of the window
        grid->verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        QCOMPARE(ui()->DBEdit2->text(), QStringLiteral("Miel"));
        grid->verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepSub);
        QCOMPARE(ui()->DBEdit2->text(), QStringLiteral("Té verde"));
        QTest::keyClick(grid, Qt::Key_End);
        QCOMPARE(grid->currentColumn(), 2);
        QTest::keyClick(grid, Qt::Key_Tab); // past the last column: next record, first column
        QCOMPARE(grid->currentColumn(), 0);
        QCOMPARE(ui()->DBEdit2->text(), QStringLiteral("Miel"));
        QCOMPARE(QApplication::focusWidget(), grid);
        auto seen = answerDialog(QStringLiteral("Cancel"));
        QTest::keyClick(grid, Qt::Key_Delete, Qt::ControlModifier);
        QVERIFY(seen->seen);
        QCOMPARE(seen->text, QStringLiteral("Delete record?"));
        QCOMPARE(storedValues(QStringLiteral("REGISTR1"), QStringLiteral("Descripcion")).size(), 3);
        answerDialog(QStringLiteral("OK"));
        QTest::keyClick(grid, Qt::Key_Delete, Qt::ControlModifier);
        QCOMPARE(storedValues(QStringLiteral("REGISTR1"), QStringLiteral("Descripcion")),
                 (QStringList{QStringLiteral("Té verde"), QStringLiteral("Polen")}));
        QCOMPARE(grid->cellText(1, 1), QStringLiteral("Polen"));
        // read-only: Ctrl+Delete asks nothing and deletes nothing
        grid->setReadOnly(true);
        auto none = answerDialog(QStringLiteral("OK"));
        QTest::keyClick(grid, Qt::Key_Delete, Qt::ControlModifier); // a dialog would be answered within this call
        QVERIFY(!none->seen);
        none->active = false;
        QCOMPARE(storedValues(QStringLiteral("REGISTR1"), QStringLiteral("Descripcion")).size(), 2);
        QVERIFY(s->Table2->hasRecord());
    }

    // The vertical bar is there whenever records are out of view, whatever
    // the size, also for a control shown after it was resized while hidden.
    void scrollBarsShowWheneverRecordsAreOutOfView()
    {
        fillSamples();
        openScreen();
        DBLookupListBox* list = ui()->DBLookupListBox1;
        QScrollBar* lsb = list->verticalScrollBar();
        list->setFixedHeight(list->rowHeight() * 4 + 2 * list->frameWidth());
        QTRY_VERIFY(lsb->isVisible());
        list->setFixedHeight(list->rowHeight() * 12 + 2 * list->frameWidth());
        QTRY_VERIFY(!lsb->isVisible()); // all ten fit
        list->hide();
        list->setFixedHeight(list->rowHeight() * 5 + 2 * list->frameWidth());
        list->show();
        QTRY_VERIFY(lsb->isVisible());
        QVERIFY(lsb->isEnabled());
        lsb->triggerAction(QAbstractSlider::SliderToMaximum);
        QCOMPARE(ui()->MEMO2->toPlainText(), cosmeticNames().last());

        DBGrid* grid = ui()->DBGrid2; // three products
        QScrollBar* gsb = grid->verticalScrollBar();
        grid->setFixedHeight(grid->titleHeight() + grid->rowHeight() * 6 + 2 * grid->frameWidth() +
                             grid->horizontalScrollBar()->sizeHint().height());
        QTRY_VERIFY(!gsb->isVisible());
        grid->setFixedHeight(grid->titleHeight() + grid->rowHeight() * 2 + 2 * grid->frameWidth());
        QTRY_VERIFY(gsb->isVisible());
        gsb->triggerAction(QAbstractSlider::SliderToMaximum);
        QCOMPARE(ui()->DBEdit2->text(), QStringLiteral("Polen"));
    }

    // A screen reader finds every shown row of a lookup list and every cell
    // of a grid with its column title, the current one selected, and hears
    // when the current row changes.
    void readersSeeTheRowsAndTheCurrentOne()
    {
        fillSamples();
        openScreen();
        static QList<std::tuple<QObject*, QAccessible::Event, int>> heard;
        heard.clear();
        yb::setAccessibleRowsListener([](QAccessibleEvent* e) { heard.append({e->object(), e->type(), e->child()}); });
        struct Uninstall {
            ~Uninstall() { yb::setAccessibleRowsListener({}); }
        } uninstall;

        DBLookupListBox* list = ui()->DBLookupListBox1;
        list->setFixedHeight(list->rowHeight() * 4 + 2 * list->frameWidth());
        QTRY_COMPARE(list->rowCount(), 4);
        QAccessibleInterface* li = QAccessible::queryAccessibleInterface(list);
        QVERIFY(li);
        QCOMPARE(li->role(), QAccessible::List);
        QVERIFY(li->childCount() >= 4);
        for (int i = 0; i < 4; ++i) {
            QAccessibleInterface* row = li->child(i);
            QVERIFY(row && row->isValid());
            QCOMPARE(row->role(), QAccessible::ListItem);
            QCOMPARE(row->text(QAccessible::Name), cosmeticNames().at(i));
            QCOMPARE(row->parent(), li);
            QCOMPARE(li->indexOfChild(row), i);
            QVERIFY(!row->state().selected);
            QVERIFY(
                list->viewport()->rect().translated(list->viewport()->mapToGlobal(QPoint(0, 0))).contains(row->rect()));
        }
        list->setFocus();
        heard.clear();
        QTest::keyClick(list, Qt::Key_Down);
        QVERIFY(li->child(1)->state().selected);
        QVERIFY(li->child(1)->state().focused);
        QVERIFY(!li->child(0)->state().selected);
        QCOMPARE(li->focusChild(), li->child(1));
        QVERIFY(heard.contains({list, QAccessible::Selection, 1}));
        QVERIFY(heard.contains({list, QAccessible::Focus, 1}));
        // scrolled on, the same places read the new rows
        QTest::keyClick(list, Qt::Key_End);
        QCOMPARE(li->child(3)->text(QAccessible::Name), cosmeticNames().last());
        QVERIFY(li->child(3)->state().selected);
        QVERIFY(heard.contains({list, QAccessible::VisibleDataChanged, -1}));

        DBGrid* grid = ui()->DBGrid2;
        QAccessibleInterface* gi = QAccessible::queryAccessibleInterface(grid);
        QVERIFY(gi);
        QCOMPARE(gi->role(), QAccessible::Table);
        QAccessibleTableInterface* table = gi->tableInterface();
        QVERIFY(table);
        QCOMPARE(table->rowCount(), 3);
        QCOMPARE(table->columnCount(), 3);
        QCOMPARE(gi->child(1)->role(), QAccessible::ColumnHeader);
        QCOMPARE(gi->child(1)->text(QAccessible::Name), QStringLiteral("Descripcion"));
        for (int r = 0; r < 3; ++r)
            for (int c = 0; c < 3; ++c) {
                QAccessibleInterface* cell = table->cellAt(r, c);
                QVERIFY(cell);
                QCOMPARE(cell->role(), QAccessible::Cell);
                QCOMPARE(cell->text(QAccessible::Name), grid->cellText(r, c));
                QAccessibleTableCellInterface* ci = cell->tableCellInterface();
                QVERIFY(ci);
                QCOMPARE(ci->rowIndex(), r);
                QCOMPARE(ci->columnHeaderCells().value(0)->text(QAccessible::Name), grid->titles().at(c));
                QCOMPARE(ci->isSelected(), r == 0);
            }
        QCOMPARE(table->cellAt(1, 1)->text(QAccessible::Name), QStringLiteral("Miel"));
        QCOMPARE(table->selectedRows(), QList<int>{0});
        grid->setFocus();
        heard.clear();
        QTest::keyClick(grid, Qt::Key_Down);
        QCOMPARE(table->selectedRows(), QList<int>{1});
        QVERIFY(table->cellAt(1, 0)->state().selected);
        QVERIFY(table->cellAt(1, 0)->state().focused);
        QVERIFY(!table->cellAt(0, 0)->state().selected);
        const int cellChild = gi->indexOfChild(table->cellAt(1, 0));
        QCOMPARE(cellChild, 3 + 3 * 1 + 0);
        QVERIFY(heard.contains({grid, QAccessible::Selection, cellChild}));
        QVERIFY(heard.contains({grid, QAccessible::Focus, cellChild}));
        QTest::keyClick(grid, Qt::Key_Right);
        QCOMPARE(gi->focusChild(), table->cellAt(1, 1));
        // a reader that selects a row moves the record there
        QVERIFY(table->selectRow(2));
        QCOMPARE(ui()->DBEdit2->text(), QStringLiteral("Polen"));
        QVERIFY(table->isRowSelected(2));
    }

    void gridCtrlDeleteOnAnEmptyTableReportsTheStoreError()
    {
        TestScreen* s = openScreen();
        DBGrid* grid = ui()->DBGrid2;
        grid->setFocus();
        auto seen = answerDialog(QStringLiteral("OK"));
        QTest::keyClick(grid, Qt::Key_Delete, Qt::ControlModifier);
        QVERIFY(seen->seen);
        QCOMPARE(reportedErrors, QStringList{QStringLiteral("Cannot perform this operation on an empty dataset")});
        QVERIFY(s->Table2->isEmpty());
    }

    void gridCancelsAnUntouchedInsertOnExit()
    {
        fillSamples();
        TestScreen* s = openScreen();
        DBGrid* grid = ui()->DBGrid2;
        grid->setFocus();
        clickButton(ui()->DBNavigator2, DBNavigator::Insert);
        QCOMPARE(s->Table2->state(), yb::CursorState::Insert);
        QVERIFY(grid->window().isNewRow(grid->window().activeRow()));
        ui()->DBEdit1->setFocus();
        QCOMPARE(s->Table2->state(), yb::CursorState::Browse);
        // a typed-into insert stays
        grid->setFocus();
        clickButton(ui()->DBNavigator2, DBNavigator::Insert);
        s->Table2->fieldByName(QStringLiteral("Codigo")).setAsInteger(9);
        ui()->DBEdit1->setFocus();
        QCOMPARE(s->Table2->state(), yb::CursorState::Insert);
    }

    void controlsFollowACursorOpenedAfterThem()
    {
        fillSamples();
        QWidget form;
        auto* grid = new DBGrid(&form);
        grid->setDataSource(QStringLiteral("dsProductos")); // named before the data source exists
        auto* edit = new DBEdit(&form);
        edit->setDataSource(QStringLiteral("dsProductos"));
        edit->setDataField(QStringLiteral("descripcion")); // field names match in any case
        edit->move(0, 200);
        grid->setGeometry(0, 0, 400, 150);
        yb::TableCursor cursor(yb::cursorDecl(QStringLiteral("REGISTR2"), QStringLiteral("tblProductos")));
        DataSource ds(&form);
        ds.setObjectName(QStringLiteral("dsProductos"));
        ds.setCursor(&cursor);
        form.show();
        QCOMPARE(grid->dataSourceObject(), &ds);
        QCOMPARE(grid->columnCount(), 0);
        cursor.open();
        QCOMPARE(grid->titles(),
                 (QStringList{QStringLiteral("Codigo"), QStringLiteral("Descripcion"), QStringLiteral("Precio")}));
        QCOMPARE(grid->cellText(1, 1), QStringLiteral("Miel"));
        QCOMPARE(edit->text(), QStringLiteral("Té verde"));
        // a disabled data source shows nothing and starts nothing
        ds.setEnabled(false);
        QCOMPARE(edit->text(), QString());
        QVERIFY(!edit->startEdit());
        ds.setEnabled(true);
        QCOMPARE(edit->text(), QStringLiteral("Té verde"));
    }

    // ------------------------------------------------------ the test screen

    void screenBrowsesEditsInsertsDeletesAndSearches()
    {
        fillSamples();
        TestScreen* s = openScreen();
        // browse
        clickButton(ui()->DBNavigator1, DBNavigator::Next);
        QCOMPARE(ui()->MEMO2->toPlainText(), QStringLiteral("Aceite de rosa"));
        QCOMPARE(QApplication::focusWidget(), ui()->MEMO2);
        // edit
        ui()->Memo4->setFocus();
        QTest::keyClick(ui()->Memo4, Qt::Key_End, Qt::ControlModifier);
        QTest::keyClick(ui()->Memo4, Qt::Key_Return);
        QTest::keyClicks(ui()->Memo4, QStringLiteral("Por la noche."));
        clickButton(ui()->DBNavigator1, DBNavigator::Post);
        QCOMPARE(storedValues(QStringLiteral("Cosmetic"), QStringLiteral("Modo Empleo")).value(1),
                 QStringLiteral("Modo: Aceite de rosa\nPor la noche."));
        // insert: typed into, then posted by moving away
        clickButton(ui()->DBNavigator1, DBNavigator::Insert);
        typeText(ui()->MEMO2, QStringLiteral("Champú de ortiga"));
        clickButton(ui()->DBNavigator1, DBNavigator::First);
        QVERIFY(storedValues(QStringLiteral("Cosmetic"), QStringLiteral("Producto Cosmetico"))
                    .contains(QStringLiteral("Champú de ortiga")));
        // search by the beginning of the name, in the same letter case
        ui()->edBuscar->setText(QStringLiteral("Champ"));
        QTest::mouseClick(ui()->Buscar, Qt::LeftButton);
        QCOMPARE(ui()->MEMO2->toPlainText(), QStringLiteral("Champú de ortiga"));
        ui()->edBuscar->setText(QStringLiteral("tónico"));
        QTest::mouseClick(ui()->Buscar, Qt::LeftButton);
        QCOMPARE(ui()->MEMO2->toPlainText(), QStringLiteral("Champú de ortiga"));
        // delete it
        answerDialog(QStringLiteral("OK"));
        clickButton(ui()->DBNavigator1, DBNavigator::Delete);
        QCOMPARE(storedValues(QStringLiteral("Cosmetic"), QStringLiteral("Producto Cosmetico")), cosmeticNames());
        QVERIFY(reportedErrors.isEmpty());
        QCOMPARE(s->navigatorClicks, 5);
    }

    // ------------------------------------------------------------ big table

    void listAndGridOverALargeTable()
    {
        const int n = qEnvironmentVariableIntValue("YERBALIS_BIG_ROWS") > 0
            ? qEnvironmentVariableIntValue("YERBALIS_BIG_ROWS")
            : 20000;
        testdata::bulkManyCosmetics(dir_, n);
        const qint64 before = testdata::residentKb();
        TestScreen* s = openScreen();
        DBGrid grid(s);
        grid.setColumns({QStringLiteral("Producto Cosmetico"), QStringLiteral("Indicaciones")});
        grid.setDataSource(QStringLiteral("DataSource1"));
        grid.setGeometry(0, 0, 500, 300);
        grid.show();
        DBLookupListBox* list = ui()->DBLookupListBox1;
        QVERIFY(list->rowCount() > 3);
        list->setFocus();
        QTest::keyClick(list, Qt::Key_End);
        for (int i = 0; i < 50; ++i)
            QTest::keyClick(list, Qt::Key_PageUp);
        QTest::keyClick(list, Qt::Key_Home);
        for (int i = 0; i < 50; ++i)
            QTest::keyClick(list, Qt::Key_PageDown);
        typeText(list, QStringLiteral("tomi"));
        QVERIFY(list->keyValue().toString().startsWith(QStringLiteral("Tomillo")));
        // the rows are consecutive records in key order
        QStringList shown;
        for (int i = 0; i < list->window().rows().size(); ++i)
            shown << list->rowText(i);
        QStringList sorted = shown;
        std::sort(sorted.begin(), sorted.end(),
                  [](const QString& a, const QString& b) { return yb::sortKey(a) < yb::sortKey(b); });
        QCOMPARE(shown, sorted);
        grid.setFocus();
        QTest::keyClick(&grid, Qt::Key_End, Qt::ControlModifier);
        QCOMPARE(grid.window().activeRow(), int(grid.window().rows().size()) - 1);
        for (int i = 0; i < 50; ++i)
            QTest::keyClick(&grid, Qt::Key_PageUp);
        QTest::keyClick(&grid, Qt::Key_Home, Qt::ControlModifier);
        QCOMPARE(grid.window().activeRow(), 0);
        // Page Down moves by the visible rows, in the list by the rows less one
        QStringList all;
        for (int i = 0; i < n; ++i)
            all << testdata::manyName(i);
        std::sort(all.begin(), all.end(),
                  [](const QString& a, const QString& b) { return yb::sortKey(a) < yb::sortKey(b); });
        QTest::keyClick(&grid, Qt::Key_PageDown);
        QCOMPARE(grid.cellText(grid.window().activeRow(), 0), all.at(grid.visibleRowCount()));
        list->setFocus();
        QTest::keyClick(list, Qt::Key_PageDown);
        QCOMPARE(list->keyValue().toString(), all.at(grid.visibleRowCount() + list->rowCount() - 1));
        const qint64 after = testdata::residentKb();
        // The speed of these moves is measured by yerbalis-bench-screens.
        qInfo("%d records: resident memory %lld kB -> %lld kB", n, before, after);
    }
};

int main(int argc, char** argv)
{
    TestApp app(argc, argv);
    TestControls tc;
    return QTest::qExec(&tc, argc, argv);
}

#include "tst_controls.moc"
