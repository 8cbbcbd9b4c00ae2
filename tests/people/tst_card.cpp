// The card file on a real temporary table: its boxes and their limits, the
// Enter chain, the tab order, the focus colours, search, list mode,
// activation and the print command's block order.

#include "PeopleSupport.h"

#include "PrintRecorder.h"
#include "controls/DBLookupListBox.h"
#include "controls/DBMemo.h"
#include "controls/DBNavigator.h"
#include "people/Datos.h"
#include "printing/Printing.h"
#include "reference/RecordBrowser.h"
#include "shell/Shell.h"
#include "store/TableCursor.h"

#include <QAbstractButton>
#include <QFileInfo>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

using namespace peopletest;
using yb::printing::PrintRecorder;

namespace {

const QStringList kFields = {
    QStringLiteral("Nombre/Apellidos"), QStringLiteral("Domicilio"),  QStringLiteral("Postal"),
    QStringLiteral("Localidad"),        QStringLiteral("Provincia"),  QStringLiteral("Nacimiento"),
    QStringLiteral("Telefono"),         QStringLiteral("Civil"),      QStringLiteral("Patologia"),
    QStringLiteral("Medicacion"),       QStringLiteral("Observacion")};

// The eleven boxes in the order of the fields above.
const char* const kBoxes[] = {"nombre",   "domicilio", "postal",    "localidad",  "provincia",  "nacimiento",
                              "telefono", "civil",     "patologia", "Medicacion", "Observacion"};

DBMemo* box(const char* name) { return child<DBMemo>(Form6, name); }

QColor textColour(QWidget* w) { return w->palette().color(QPalette::Text); }

Step answerPrompt(const QString& text, QString* caption = nullptr, QString* label = nullptr)
{
    return [=](QWidget* top) {
        auto* d = qobject_cast<QInputDialog*>(top);
        QVERIFY2(d, "the name prompt is not on top");
        if (caption)
            *caption = d->windowTitle();
        if (label)
            *label = d->labelText();
        d->setTextValue(text);
        d->accept();
    };
}

struct BoxSeen {
    bool seen = false;
    QString title, text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    int buttons = 0;
};

Step answerBox(BoxSeen* seen)
{
    return [seen](QWidget* top) {
        auto* b = qobject_cast<QMessageBox*>(top);
        QVERIFY2(b, "no message box on top");
        *seen = {true, b->windowTitle(), b->text(), b->icon(), int(b->buttons().size())};
        b->buttons().first()->click();
    };
}

} // namespace

class CardFileTest : public QObject {
    Q_OBJECT
private:
    QTemporaryDir dir;
    yb::TableCursor* table() const { return Form6->Table1; }
    QString shownName() const { return box("nombre")->toPlainText(); }
    void activate()
    {
        QVERIFY(showActive(Form6));
        QMetaObject::invokeMethod(Form6, "FormActivate");
    }

private slots:
    void initTestCase()
    {
        QVERIFY(dir.isValid());
        createScreens(dir.path() + QStringLiteral("/db"));
        addRecords(
            QStringLiteral("Datos"), kFields,
            {{QStringLiteral("Luis Gómez Prado"), QStringLiteral("Calle Falsa 1"), QStringLiteral("00001"),
              QStringLiteral("Villaejemplo"), QStringLiteral("Provincia Uno"), QStringLiteral("1 de mayo de 1950"),
              QStringLiteral("000 111 222"), QStringLiteral("Casado"), QStringLiteral("Artrosis."),
              QStringLiteral("Harpago."), QStringLiteral("Cliente desde hace años.")},
             {QStringLiteral("Ana Pérez Ruiz"), QStringLiteral("Plaza Inventada 2"), QStringLiteral("00002"),
              QStringLiteral("Aldea Supuesta"), QStringLiteral("Provincia Dos"), QStringLiteral("no lo recuerda"),
              QStringLiteral("000 333 444"), QStringLiteral("Soltera"), QString(), QString(), QString()},
             {QStringLiteral("Luisa Martín Sanz"), QStringLiteral("Camino Ficticio 3")},
             {QStringLiteral("Marta Gil Ortega"), QStringLiteral("Ronda Imaginaria 4")}});
    }
    void cleanupTestCase() { destroyScreens(); }
    void cleanup()
    {
        if (table()->isEditing())
            table()->cancel();
        Form6->hide();
    }

    // The screen's design: caption, captions, bindings, limits, fonts and commands.
    void boxesCaptionsAndLimits()
    {
        QCOMPARE(Form6->objectName(), QStringLiteral("Form6"));
        QCOMPARE(Form6->windowTitle(), QStringLiteral("Datos Personales (Base de Datos)"));
        const struct {
            const char *box, *label, *caption, *field;
            int max;
            bool bold;
        } rows[] = {
            {"nombre", "Label1", "Nombre y Apellidos:", "Nombre/Apellidos", 44, true},
            {"domicilio", "Label2", "Domicilio:", "Domicilio", 44, false},
            {"postal", "Label3", "C. Postal:", "Postal", 7, false},
            {"localidad", "Label9", "Localidad:", "Localidad", 37, false},
            {"provincia", "Label4", "Provincia:", "Provincia", 21, true},
            {"nacimiento", "Label6", "Fecha de nacimiento:", "Nacimiento", 23, false},
            {"telefono", "Label5", "Teléfono y Fax:", "Telefono", 38, false},
            {"civil", "Label7", "Estado civil:", "Civil", 11, false},
            {"patologia", "Label11", "Patología Actual:", "patologia", 0, true},
            {"Medicacion", "Label8", "Medicación Actual:", "medicacion", 0, true},
            {"Observacion", "Label12", "Observaciones/Otros datos de interés:", "observacion", 0, true},
        };
        for (const auto& r : rows) {
            DBMemo* m = box(r.box);
            QVERIFY2(m, r.box);
            QCOMPARE(m->dataField(), QString::fromUtf8(r.field));
            QVERIFY2(m->field(), r.box); // bound: field names match without regard to case
            QCOMPARE(m->maxLength(), r.max);
            QCOMPARE(m->font().bold(), r.bold);
            auto* label = child<QLabel>(Form6, r.label);
            QVERIFY2(label, r.label);
            QCOMPARE(label->text(), QString::fromUtf8(r.caption));
        }
        QCOMPARE(box("patologia")->scrollBars(), DBMemo::ScrollBoth);
        QCOMPARE(box("Medicacion")->scrollBars(), DBMemo::ScrollBoth);
        QCOMPARE(box("Observacion")->scrollBars(), DBMemo::ScrollVertical);
        QCOMPARE(box("civil")->scrollBars(), DBMemo::ScrollNone);

        const struct {
            const char *name, *tip;
        } commands[] = {{"BitBtn3", "Volver al Menú"},        {"RELOJ", "Imprimir"},
                        {"BitBtn2000", "Buscar registros"},   {"SpButton200", "Ayuda"},
                        {"SpeedButton1", "Visualizar Lista"}, {"BOTONCANCELAR", "Cancelar Lista"}};
        for (const auto& c : commands) {
            auto* b = child<QAbstractButton>(Form6, c.name);
            QVERIFY2(b, c.name);
            QCOMPARE(b->toolTip(), QString::fromUtf8(c.tip));
        }
        QCOMPARE(child<QAbstractButton>(Form6, "SpButton200")->text(), QStringLiteral("?"));
        QCOMPARE(child<QAbstractButton>(Form6, "BOTONCANCELAR")->text(), QStringLiteral("&Ocultar"));
        auto* list = child<DBLookupListBox>(Form6, "DBLookupListBox1");
        QCOMPARE(list->keyField(), QStringLiteral("Nombre/Apellidos"));
        QCOMPARE(list->listField(), QStringLiteral("Nombre/Apellidos"));
        // The field sizes of the stored table stay as they were.
        const yb::TableDef& def = table()->tableDef();
        QCOMPARE(def.field(QStringLiteral("Domicilio"))->size, 44);
        QCOMPARE(def.field(QStringLiteral("Localidad"))->size, 37);
        QCOMPARE(def.field(QStringLiteral("Provincia"))->size, 21);
        QCOMPARE(def.field(QStringLiteral("Telefono"))->size, 38);
    }

    // Each box takes no more than its field keeps, so what is typed is what is stored.
    void typedTextIsStoredWhole()
    {
        activate();
        QVERIFY(table()->locate(QStringLiteral("Nombre/Apellidos"), QStringLiteral("Marta Gil Ortega"), {}));
        const struct {
            const char *box, *field;
            int size;
        } rows[] = {{"domicilio", "Domicilio", 44},
                    {"localidad", "Localidad", 37},
                    {"provincia", "Provincia", 21},
                    {"telefono", "Telefono", 38},
                    {"nacimiento", "Nacimiento", 23}};
        for (const auto& r : rows) {
            DBMemo* m = box(r.box);
            m->setFocus();
            m->selectAll();
            QTest::keyClicks(m, QString(60, QLatin1Char('x')));
            QCOMPARE(m->toPlainText().size(), qsizetype(r.size));
            table()->post();
            QCOMPARE(table()->fieldByName(QString::fromLatin1(r.field)).asString(), m->toPlainText());
        }
        // A birth date is free text: stored as typed.
        DBMemo* birth = box("nacimiento");
        birth->setFocus();
        birth->selectAll();
        QTest::keyClicks(birth, QStringLiteral("hacia 1960?"));
        table()->post();
        QCOMPARE(table()->fieldByName(QStringLiteral("Nacimiento")).asString(), QStringLiteral("hacia 1960?"));
    }

    void enterWalksTheOneLineBoxesThenBreaksLines()
    {
        activate();
        QCOMPARE(focusName(), QStringLiteral("nombre"));
        QStringList walked;
        QStringList before;
        for (const char* b : kBoxes)
            before << box(b)->toPlainText();
        for (int i = 0; i < 8; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            walked << focusName();
        }
        QCOMPARE(walked,
                 QStringList({"domicilio", "postal", "localidad", "provincia", "nacimiento", "telefono", "civil",
                              "patologia"}));
        for (int i = 0; i < 8; ++i)
            QCOMPARE(box(kBoxes[i])->toPlainText(), before[i]); // no line break entered a one-line field
        QVERIFY(!table()->isEditing());

        // In the three free texts Enter is an ordinary line break.
        for (const char* name : {"patologia", "Medicacion", "Observacion"}) {
            DBMemo* m = box(name);
            m->setFocus();
            m->moveCursor(QTextCursor::End);
            const QString was = m->toPlainText();
            QTest::keyClick(m, Qt::Key_Return);
            QCOMPARE(focusName(), QString::fromLatin1(name));
            QCOMPARE(m->toPlainText(), was + QLatin1Char('\n'));
        }
        table()->cancel();
    }

    void tabOrder()
    {
        activate();
        QWidget* start = child(Form6, "BitBtn3");
        start->setFocus(Qt::TabFocusReason);
        QStringList order{focusName()};
        for (int i = 0; i < 14; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            order << focusName();
        }
        QCOMPARE(
            order,
            QStringList({"BitBtn3", "DBNavigator1", "RELOJ", "nombre", "patologia", "domicilio", "BitBtn2000", "postal",
                         "localidad", "provincia", "nacimiento", "Medicacion", "telefono", "civil", "Observacion"}));
        // Then the list and its button, while they are shown; else round to the start.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(focusName(), QStringLiteral("BitBtn3"));
        child<QAbstractButton>(Form6, "SpeedButton1")->click();
        box("Observacion")->setFocus(Qt::TabFocusReason);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(focusName(), QStringLiteral("DBLookupListBox1"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(focusName(), QStringLiteral("BOTONCANCELAR"));
        child<QAbstractButton>(Form6, "BOTONCANCELAR")->click();
    }

    void focusColours()
    {
        activate();
        const QColor windowText = QApplication::palette(box("nombre")).color(QPalette::Text);
        QVERIFY(windowText != yb::focusRed && windowText != yb::focusBlue);
        for (const char* name : kBoxes) {
            DBMemo* m = box(name);
            m->setFocus(Qt::TabFocusReason);
            const bool isCivil = qstrcmp(name, "civil") == 0;
            QCOMPARE(textColour(m), isCivil ? QColor(0, 0, 255) : QColor(255, 0, 0));
            child(Form6, "RELOJ")->setFocus(Qt::TabFocusReason);
            QCOMPARE(textColour(m), windowText);
        }
        // Coming back from another visit: only the name is red.
        box("telefono")->setFocus(Qt::TabFocusReason);
        Form6->hide();
        activate();
        QCOMPARE(textColour(box("nombre")), QColor(255, 0, 0));
        QCOMPARE(textColour(box("telefono")), windowText);
    }

    void searchFindsTheBeginningOfTheNameWithCase()
    {
        activate();
        QString caption, label;
        // "Luis" begins two names: the first in name order is found.
        answerModals({answerPrompt(QStringLiteral("Luis"), &caption, &label)});
        QTest::mouseClick(child<QAbstractButton>(Form6, "BitBtn2000"), Qt::LeftButton);
        QTRY_VERIFY(modalsAnswered());
        QCOMPARE(caption, QStringLiteral("Entrada"));
        QCOMPARE(label, QStringLiteral("Introduce el nombre:"));
        QCOMPARE(shownName(), QStringLiteral("Luis Gómez Prado"));
        QTRY_COMPARE(focusName(), QStringLiteral("nombre"));

        // A surname, or the name in lower case, finds nothing: the notice, and the card stays.
        for (const QString& text : {QStringLiteral("Gómez"), QStringLiteral("marta")}) {
            BoxSeen seen;
            answerModals({answerPrompt(text), answerBox(&seen)});
            QTest::mouseClick(child<QAbstractButton>(Form6, "BitBtn2000"), Qt::LeftButton);
            QTRY_VERIFY(modalsAnswered());
            QVERIFY(seen.seen);
            QCOMPARE(seen.title, QStringLiteral("Aviso"));
            QCOMPARE(seen.text, yb::RecordBrowser::notFoundText());
            QCOMPARE(seen.icon, QMessageBox::NoIcon);
            QCOMPARE(seen.buttons, 1);
            QCOMPARE(shownName(), QStringLiteral("Luis Gómez Prado"));
            QTRY_COMPARE(focusName(), QStringLiteral("nombre"));
        }
    }

    void listModeAndActivation()
    {
        activate();
        auto* list = child<DBLookupListBox>(Form6, "DBLookupListBox1");
        QWidget* hide = child(Form6, "BOTONCANCELAR");
        QVERIFY(!list->isVisible() && !hide->isVisible());
        child<QAbstractButton>(Form6, "SpeedButton1")->click();
        QVERIFY(list->isVisible() && hide->isVisible());
        // The list covers the observations.
        const QRect obs(child(Form6, "Observacion")->mapTo(Form6, QPoint()), child(Form6, "Observacion")->size());
        QVERIFY(QRect(list->mapTo(Form6, QPoint()), list->size()).intersects(obs));
        QCOMPARE(list->rowText(0), QStringLiteral("Ana Pérez Ruiz"));
        QCOMPARE(list->rowText(3), QStringLiteral("Marta Gil Ortega"));

        // A click on a name shows that card and leaves list mode.
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          QPoint(10, list->rowHeight() * 2 + list->rowHeight() / 2));
        QTRY_VERIFY(!list->isVisible());
        QVERIFY(!hide->isVisible());
        QCOMPARE(shownName(), QStringLiteral("Luisa Martín Sanz"));
        QCOMPARE(focusName(), QStringLiteral("nombre"));

        // "&Ocultar" leaves list mode where the list was moved to.
        child<QAbstractButton>(Form6, "SpeedButton1")->click();
        list->setFocus();
        QTest::keyClick(list, Qt::Key_End);
        child<QAbstractButton>(Form6, "BOTONCANCELAR")->click();
        QVERIFY(!list->isVisible() && !hide->isVisible());
        QCOMPARE(shownName(), QStringLiteral("Marta Gil Ortega"));

        // The next showing starts at the first card, out of list mode, in the name.
        child<QAbstractButton>(Form6, "SpeedButton1")->click();
        Form6->hide();
        activate();
        QVERIFY(!list->isVisible() && !hide->isVisible());
        QCOMPARE(shownName(), QStringLiteral("Ana Pérez Ruiz"));
        QCOMPARE(focusName(), QStringLiteral("nombre"));

        // After any navigator click the focus goes back to the name.
        auto* nav = child<DBNavigator>(Form6, "DBNavigator1");
        box("civil")->setFocus();
        nav->click(DBNavigator::Next);
        QCOMPARE(shownName(), QStringLiteral("Luis Gómez Prado"));
        QCOMPARE(focusName(), QStringLiteral("nombre"));
    }

    // Shown, the list hides the observations' caption and memo whole, with
    // "&Ocultar" on the list, however large the window.
    void listCoversTheObservationsAtEverySize()
    {
        activate();
        auto* list = child<DBLookupListBox>(Form6, "DBLookupListBox1");
        QWidget* hide = child(Form6, "BOTONCANCELAR");
        const auto rectOf = [](QWidget* w) { return QRect(w->mapTo(Form6, QPoint()), w->size()); };
        child<QAbstractButton>(Form6, "SpeedButton1")->click();
        for (int step = 0; step < 3; ++step) {
            if (step == 0) {
                Form6->setWindowState(Qt::WindowNoState);
                Form6->resize(640, 461);
            } else if (step == 1) {
                Form6->resize(900, 700);
            } else {
                Form6->setWindowState(Qt::WindowMaximized);
            }
            QTRY_VERIFY(rectOf(list).contains(rectOf(child(Form6, "Observacion"))));
            QVERIFY(rectOf(list).contains(rectOf(child(Form6, "Label12"))));
            QVERIFY(rectOf(list).contains(rectOf(hide)));
            QVERIFY(hide->isVisible());
            // the button is drawn over the list, not under it
            QCOMPARE(Form6->childAt(rectOf(hide).center()), hide);
        }
        child<QAbstractButton>(Form6, "BOTONCANCELAR")->click();
    }

    // Eleven field blocks with the screen's own separator between each two,
    // each in its box's font; empty texts print nothing but their separators stay.
    void printBlockOrder()
    {
        activate(); // "Ana Pérez Ruiz": the three free texts are empty
        const QList<yb::printing::Block> blocks = Form6->printBlocks();
        QCOMPARE(blocks.size(), 22); // T, then eleven fields with ten separators between them
        QCOMPARE(blocks[0].lines.size(), 150);
        const QStringList separator = {QStringLiteral("."),
                                       {},
                                       {},
                                       {},
                                       {},
                                       {},
                                       {},
                                       {},
                                       {},
                                       {},
                                       {},
                                       QStringLiteral(" "),
                                       QStringLiteral(". "),
                                       QStringLiteral(" "),
                                       QStringLiteral("    ")};
        for (int i = 2; i < 22; i += 2) {
            QCOMPARE(blocks[i].lines, separator);
            QCOMPARE(blocks[i].font.pointSize(), 1);
        }
        for (int f = 0; f < 11; ++f) {
            const auto& b = blocks[1 + 2 * f];
            QCOMPARE(b.lines.join(QLatin1Char('\n')), box(kBoxes[f])->toPlainText());
            QCOMPARE(b.font.bold(), box(kBoxes[f])->font().bold());
        }

        PrintRecorder rec;
        yb::printing::printBlocks(rec, blocks);
        QStringList values;
        int specks = 0;
        for (const auto& piece : rec.pieces()) {
            if (piece.font.pointSize() == 1)
                specks += piece.text.trimmed() == QLatin1String(".") ? 1 : 0;
            else
                values << piece.text;
        }
        QCOMPARE(values,
                 QStringList({"Ana Pérez Ruiz", "Plaza Inventada 2", "00002", "Aldea Supuesta", "Provincia Dos",
                              "no lo recuerda", "000 333 444", "Soltera"}));
        QCOMPARE(specks, 2 + 10 * 2); // the top spacer's two, two in each of the ten separators
        // The name prints bold, the address in the plain window font.
        for (const auto& piece : rec.pieces()) {
            if (piece.text == QLatin1String("Ana Pérez Ruiz"))
                QVERIFY(piece.font.bold());
            if (piece.text == QLatin1String("Plaza Inventada 2"))
                QVERIFY(!piece.font.bold());
        }
    }

    // The print command asks first: Cancel prints nothing, OK prints the card.
    void printCommandToPdf()
    {
        activate();
        QPrinter& printer = yb::printing::printer();
        const QString pdf = dir.path() + QStringLiteral("/card.pdf");
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);

        answerModals({[](QWidget* top) {
            auto* d = qobject_cast<QPrintDialog*>(top);
            QVERIFY(d);
            d->reject();
        }});
        child<QAbstractButton>(Form6, "RELOJ")->click();
        QTRY_VERIFY(modalsAnswered());
        QVERIFY(!QFileInfo::exists(pdf));

        bool selection = false;
        answerModals({[&](QWidget* top) {
            auto* d = qobject_cast<QPrintDialog*>(top);
            QVERIFY(d);
            QCOMPARE(d->objectName(), QStringLiteral("PrintDialog1"));
            selection = d->testOption(QAbstractPrintDialog::PrintSelection);
            d->accept();
        }});
        child<QAbstractButton>(Form6, "RELOJ")->click();
        QTRY_VERIFY(modalsAnswered());
        QVERIFY(selection);
        QVERIFY(QFileInfo(pdf).size() > 0);
        QProcess p;
        p.start(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
        if (!p.waitForFinished(10000) || p.exitCode() != 0)
            QSKIP("pdftotext is not available");
        const QString text = QString::fromUtf8(p.readAllStandardOutput());
        QVERIFY(text.contains(QStringLiteral("Ana Pérez Ruiz")));
        QVERIFY(text.indexOf(QStringLiteral("Ana Pérez Ruiz")) < text.indexOf(QStringLiteral("Soltera")));
        QVERIFY(!table()->isEditing());
    }
};

QObject* makeCardFileTest() { return new CardFileTest; }

#include "tst_card.moc"
