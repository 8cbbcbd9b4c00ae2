// The record browsers on real temporary tables: activation, search, the key
// memo, list mode, the data-entry notice, focus, the font command, and what
// each of the eleven screens shows.

#include "ReferenceSupport.h"

#include "PrintRecorder.h"
#include "controls/DBLookupListBox.h"
#include "controls/DBMemo.h"
#include "controls/DBNavigator.h"
#include "reference/Editor.h"
#include "reference/RecordBrowser.h"
#include "shell/Recordar.h"
#include "shell/Shell.h"
#include "store/TableCursor.h"

#include <QAbstractButton>
#include <QFontDialog>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

using namespace reftest;

namespace {

const QString kAviso = QStringLiteral(
    "Registro no encontrado.  -  Para buscar el nombre de la enfermedad, dolencia, producto, síntoma, etc..., "
    "deberá de escribir tal y como esté escrito en la base de datos; ya que la opción \"BUSCAR\" distingue "
    "mayúsculas y minúsculas.        ¡Pruebe de nuevo!");

const QStringList kCosmeticFields = {QStringLiteral("Producto Cosmetico"), QStringLiteral("Indicaciones"),
                                     QStringLiteral("Modo Empleo")};

DBMemo* memo(QWidget* s, const char* name) { return child<DBMemo>(s, QString::fromLatin1(name)); }

QString shownName(QWidget* s) { return memo(s, "MEMO2")->toPlainText(); }

yb::TableCursor* table(QWidget* s) { return s->findChild<yb::TableCursor*>(QStringLiteral("Table1")); }

// Clicks later, from the event loop: for buttons that open a modal window
// while a scripted step is running.
void clickLater(QAbstractButton* b) { QTimer::singleShot(0, b, &QAbstractButton::click); }

struct PromptSeen {
    QString caption, label, initial;
    int maxLength = 0;
};

// A step that answers the search prompt with `text`.
Step answerPrompt(const QString& text, PromptSeen* seen = nullptr)
{
    return [text, seen](QWidget* top) {
        auto* d = qobject_cast<QInputDialog*>(top);
        QVERIFY2(d, "the search prompt is not on top");
        if (seen) {
            auto* box = d->findChild<QLineEdit*>();
            *seen = {d->windowTitle(), d->labelText(), d->textValue(), box ? box->maxLength() : -1};
        }
        d->setTextValue(text);
        d->accept();
    };
}

struct BoxSeen {
    QString title, text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QStringList buttons;
    bool seen = false;
};

Step answerBox(BoxSeen* seen)
{
    return [seen](QWidget* top) {
        auto* box = qobject_cast<QMessageBox*>(top);
        QVERIFY2(box, "no message box on top");
        seen->seen = true;
        seen->title = box->windowTitle();
        seen->text = box->text();
        seen->icon = box->icon();
        for (QAbstractButton* b : box->buttons())
            seen->buttons << b->text();
        box->buttons().first()->click();
    };
}

} // namespace

class BrowserTest : public QObject {
    Q_OBJECT
private:
    QTemporaryDir dir;
    QWidget* cosmetic = nullptr;
    DBNavigator* nav = nullptr;

    void clickSearch(QWidget* s, const char* button = "BitBtn2000")
    {
        QTest::mouseClick(child<QAbstractButton>(s, QString::fromLatin1(button)), Qt::LeftButton);
    }
    void activate(QWidget* s)
    {
        QVERIFY(showActive(s));
        QMetaObject::invokeMethod(s, "FormActivate");
    }

private slots:
    void initTestCase()
    {
        QVERIFY(dir.isValid());
        createScreens(dir.path() + QStringLiteral("/db"));
        addRecords(
            QStringLiteral("Cosmetic"), kCosmeticFields,
            {{QStringLiteral("Gel de aloe"), QStringLiteral("Quemaduras."), QStringLiteral("Extender.")},
             {QStringLiteral("Aceite de rosa mosqueta"), QStringLiteral("Cicatrices."), QStringLiteral("Noche.")},
             {QStringLiteral("Crema de caléndula"), QStringLiteral("Irritaciones."), QStringLiteral("Dos veces.")},
             {QStringLiteral("Aceite de almendras"), QStringLiteral("Piel seca."), QStringLiteral("Masajear.")}});
        cosmetic = browser(QStringLiteral("Cosmetic"));
        nav = child<DBNavigator>(cosmetic, QStringLiteral("DBNavigator1"));
        QVERIFY(cosmetic && nav);
    }
    void cleanupTestCase() { destroyScreens(); }

    void cleanup()
    {
        for (const Browser& b : browsers()) {
            if (auto* t = table(b.screen); t && t->isEditing())
                t->cancel();
            b.screen->hide();
        }
    }

    // Every screen: caption, captions, bound fields, commands and tooltips.
    void eachBrowserShowsItsOwnDesign_data()
    {
        QTest::addColumn<QString>("unit");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("keyField");
        QTest::addColumn<QStringList>("captions"); // label name, text, ...
        QTest::addColumn<QStringList>("memos");    // memo name, field, ...
        QTest::addColumn<QString>("close");
        QTest::addColumn<QString>("search");
        auto S = [](std::initializer_list<const char*> l) {
            QStringList out;
            for (const char* s : l)
                out << QString::fromUtf8(s);
            return out;
        };
        QTest::newRow("Cosmetic") << "Cosmetic"
                                  << "Productos Cosméticos (Base de Datos)"
                                  << "Producto Cosmetico"
                                  << S({"Label1", "Nombre del Producto Cosmético:", "Label2", "Indicaciones:", "Label3",
                                        "Dosificación y Modo de Empleo:"})
                                  << S({"Memo3", "Indicaciones", "Memo4", "Modo Empleo"}) << "BitBtn1"
                                  << "BitBtn2000";
        QTest::newRow("Diagnost") << "Diagnost"
                                  << "Síntomas y Diagnósticos (Base de Datos)"
                                  << "Sintomas"
                                  << S({"Label1", "Nombre del Síntoma, Enfermedad o Dolencia:", "Label2",
                                        "Diagnóstico y/o Posible Deficiencia:", "Label3", "Otros datos de interés:"})
                                  << S({"Memo3", "Diagnostico", "Memo4", "Obsevaciones"}) << "BitBtn1"
                                  << "BitBtn2000";
        QTest::newRow("Dietas") << "Dietas"
                                << "Dietas Naturistas (Base de Datos)"
                                << "Dieta"
                                << S({"Label1", "Nombre de la Dieta:", "Label2", "Desayuno, Comida, Merienda y Cena:",
                                      "Label3", "Observaciones y/o Complementos Dietéticos:"})
                                << S({"Memo3", "Dasayuno-Comida-Cena", "Memo4", "ComplementosDieteticos"}) << "BitBtn3"
                                << "BitBtn1";
        QTest::newRow("Editor") << "Editor"
                                << "Editor de Textos (Base de Datos)"
                                << "Nombre Ficha" << S({"Label1", "Nombre de la Ficha:"})
                                << S({"Memo3", "EditorTextos"}) << "BitBtn1"
                                << "BitBtn2000";
        QTest::newRow("Glosario") << "Glosario"
                                  << "Glosario Médico (Base de Datos)"
                                  << "Término médico" << S({"Label1", "Término Médico:", "Label2", "Definición:"})
                                  << S({"Memo3", "Definición:"}) << "BitBtn3"
                                  << "BitBtn1";
        QTest::newRow("Guiapro") << "Guiapro"
                                 << "Guía de Productos Dietéticos (Base de Datos)"
                                 << "Producto"
                                 << S({"Label1", "Nombre del Producto:", "Label2", "Indicaciones:", "Label3",
                                       "Dosificación y Modo de Empleo:"})
                                 << S({"Memo3", "Indicaciones", "Memo4", "ModoEmpleo"}) << "BitBtn1"
                                 << "BitBtn2000";
        QTest::newRow("Informac") << "Informac"
                                  << "Información General (Base de datos)"
                                  << "Producto"
                                  << S({"Label1", "Nombre del Producto:", "Label2", "Ingredientes:", "Label3",
                                        "Propiedades:", "Label4",
                                        "Dosificación, Normas de Preparación y Otros datos de interés:"})
                                  << S({"Memo3", "Ingredientes", "Memo4", "Propiedades", "Memo5", "Dosificacion"})
                                  << "BitBtn1"
                                  << "BitBtn2000";
        QTest::newRow("Abuela") << "Abuela"
                                << "Remedios de la Abuela (Base de Datos)"
                                << "Sintomas"
                                << S({"Label2", "Nombre del Síntoma, Enfermedad, Dolencia...", "Label1",
                                      "Indicaciones y Posología:"})
                                << S({"Memo3", "Indicaciones"}) << "BitBtn1"
                                << "BitBtn2000";
        QTest::newRow("Informd") << "Informd"
                                 << "Información Dietética (Base de Datos)"
                                 << "Información Dietética"
                                 << S({"Label1", "Nombre:", "Label2", "Función en el Organismo:", "Label3",
                                       "Síntomas de Deficiencia:", "Label4", "Recomendaciones Terapéuticas:", "Label5",
                                       "Fuentes Naturales:"})
                                 << S({"Memo3", "Funcion", "Memo4", "Sintomas", "Memo5", "Recomendacion", "Memo6",
                                       "Fuentes"})
                                 << "BitBtn1"
                                 << "BitBtn2000";
        QTest::newRow("Alternat") << "Alternat"
                                  << "Terapias Alternativas con Oligoelementos (Base de Datos)"
                                  << "Sintomas"
                                  << S({"Label1", "Nombre del Síntoma, Enfermedad, Dolencia...", "Label2",
                                        "Indicaciones y Posología:"})
                                  << S({"Memo3", "Indicaciones"}) << "BitBtn1"
                                  << "BitBtn1998";
        QTest::newRow("Tnatural") << "Tnatural"
                                  << "Tratamientos Naturales (Base de Datos)"
                                  << "Dolencia/Enfermedad"
                                  << S({"Label1", "Enfermedad o Dolencia:", "Label2", "Término Médico:", "Label3",
                                        "Tratamiento Recomendado (Complementos Orientativos):"})
                                  << S({"Memo3", "Explicacion", "Memo4", "Tratamiento"}) << "BitBtn1"
                                  << "BitBtn2000";
    }
    void eachBrowserShowsItsOwnDesign()
    {
        QFETCH(QString, unit);
        QFETCH(QString, caption);
        QFETCH(QString, keyField);
        QFETCH(QStringList, captions);
        QFETCH(QStringList, memos);
        QFETCH(QString, close);
        QFETCH(QString, search);
        QWidget* s = browser(unit);
        QCOMPARE(s->windowTitle(), caption);
        QCOMPARE(table(s)->indexField(), keyField);
        QCOMPARE(memo(s, "MEMO2")->dataField(), keyField);
        QCOMPARE(memo(s, "MEMO2")->maxLength(), 55);
        QCOMPARE(child<DBLookupListBox>(s, QStringLiteral("DBLookupListBox1"))->keyField(), keyField);
        for (int i = 0; i < captions.size(); i += 2) {
            auto* l = child<QLabel>(s, captions[i]);
            QVERIFY2(l, qPrintable(captions[i]));
            QCOMPARE(l->text(), captions[i + 1]);
        }
        QList<DBMemo*> bound = s->findChildren<DBMemo*>();
        QCOMPARE(bound.size(), memos.size() / 2 + 1); // the key memo and the content memos, no more
        for (int i = 0; i < memos.size(); i += 2)
            QCOMPARE(child<DBMemo>(s, memos[i])->dataField(), memos[i + 1]);
        QCOMPARE(child<QAbstractButton>(s, close)->toolTip(), QStringLiteral("Volver al Menú"));
        QCOMPARE(child<QAbstractButton>(s, search)->toolTip(), QStringLiteral("Buscar registros"));
        QCOMPARE(child<QAbstractButton>(s, QStringLiteral("BitBtn2"))->toolTip(), QStringLiteral("Imprimir"));
        QCOMPARE(child<QAbstractButton>(s, QStringLiteral("SpButton200"))->text(), QStringLiteral("?"));
        QCOMPARE(child<QAbstractButton>(s, QStringLiteral("BOTONCANCELAR"))->text(), QStringLiteral("&Ocultar"));
        QCOMPARE(child<QLabel>(s, QStringLiteral("Label53"))->text(), QStringLiteral("Último"));
        QCOMPARE(child<QLabel>(s, QStringLiteral("Label54"))->toolTip(),
                 QStringLiteral("Inserta un nuevo registro vacío"));
        QCOMPARE(bool(child<QFontDialog>(s, QStringLiteral("FontDialog1"))), unit == QLatin1String("Editor"));

        // The close command hides the window and leaves the cursor as it is.
        activate(s);
        QVERIFY(s->isVisible());
        QTest::mouseClick(child<QAbstractButton>(s, close), Qt::LeftButton);
        QVERIFY(!s->isVisible());
    }

    // The controls every browser's form has, whatever sets it apart: the
    // captions over the navigator with their tooltips, the commands, the list
    // and the hidden spacers.
    void everyBrowserHasTheWholeDesign_data()
    {
        QTest::addColumn<QString>("unit");
        for (const Browser& b : browsers())
            QTest::newRow(qPrintable(b.unit)) << b.unit;
    }
    void everyBrowserHasTheWholeDesign()
    {
        QFETCH(QString, unit);
        QWidget* s = browser(unit);
        const yb::RecordBrowser::Setup setup = yb::RecordBrowser::setupOf(unit);
        const char* captions[][2] = {{"Primero", "Se desplaza al primer registro"},
                                     {"Anterior", "Se desplaza al registro anterior"},
                                     {"Siguiente", "Se desplaza al siguiente registro"},
                                     {"Último", "Se desplaza al último registro"},
                                     {"Nuevo", "Inserta un nuevo registro vacío"},
                                     {"Borrar", "Borra el registro actual"},
                                     {"Grabar", "Grabar el registro"},
                                     {"Actualizar", "Actualiza los datos"}};
        for (int i = 0; i < 8; ++i) {
            auto* l = child<QLabel>(s, QStringLiteral("Label%1").arg(50 + i));
            QVERIFY2(l, qPrintable(QStringLiteral("Label%1").arg(50 + i)));
            QCOMPARE(l->text(), QString::fromUtf8(captions[i][0]));
            QCOMPARE(l->toolTip(), QString::fromUtf8(captions[i][1]));
            QVERIFY(l->styleSheet().contains(QLatin1String("#ff0000")));
        }
        auto* nav = child<DBNavigator>(s, QStringLiteral("DBNavigator1"));
        QVERIFY(nav);
        QCOMPARE(nav->dataSourceName(), QStringLiteral("DataSource1"));
        for (const QString& name :
             {setup.closeButton, QStringLiteral("BitBtn2"), setup.searchButton, QStringLiteral("BOTONCANCELAR")})
            QVERIFY2(child<QPushButton>(s, name), qPrintable(name));
        for (const char* name : {"SpButton200", "SpeedButton1"}) {
            auto* b = child<QToolButton>(s, QString::fromLatin1(name));
            QVERIFY2(b, name);
            QCOMPARE(b->focusPolicy(), Qt::NoFocus);
        }
        QCOMPARE(child<QAbstractButton>(s, QStringLiteral("SpeedButton1"))->toolTip(),
                 QStringLiteral("Visualizar Lista"));
        QCOMPARE(child<QAbstractButton>(s, QStringLiteral("SpButton200"))->toolTip(), QStringLiteral("Ayuda"));
        QCOMPARE(child<QAbstractButton>(s, QStringLiteral("BOTONCANCELAR"))->toolTip(),
                 QStringLiteral("Cancelar Lista"));
        QVERIFY(child<DBLookupListBox>(s, QStringLiteral("DBLookupListBox1")));
        for (const char* name : {"Memo1", "Memo123"}) {
            auto* spacer = child<QPlainTextEdit>(s, QString::fromLatin1(name));
            QVERIFY2(spacer && !qobject_cast<DBMemo*>(spacer), name);
            QVERIFY(spacer->isHidden());
            QCOMPARE(spacer->font().pointSize(), 1);
        }
        QCOMPARE(bool(child<QWidget>(s, QStringLiteral("SpeedButton2"))), unit == QLatin1String("Editor"));
        QCOMPARE(s->findChildren<DBMemo*>().size(), setup.contentMemos.size() + 1);
    }

    void activationShowsTheFirstRecordAfterMovingAwayAndClosing()
    {
        QString afterNext, reopened;
        bool focusAfterNext = false, focusAfterReopen = false, listAfterReopen = true;
        answerModals({[&](QWidget* top) {
            QCOMPARE(top, cosmetic);
            nav->click(DBNavigator::Next);
            nav->click(DBNavigator::Next);
            afterNext = shownName(cosmetic);
            focusAfterNext = memo(cosmetic, "MEMO2")->hasFocus();
            child<QAbstractButton>(cosmetic, QStringLiteral("SpeedButton1"))->click(); // list mode on
            child<QAbstractButton>(cosmetic, QStringLiteral("BitBtn1"))->click();
        }});
        yb::showModal(cosmetic);
        QVERIFY(modalsAnswered());
        QCOMPARE(afterNext, QStringLiteral("Crema de caléndula"));
        QVERIFY(focusAfterNext);
        QVERIFY(!cosmetic->isVisible());
        QCOMPARE(table(cosmetic)->fieldByName(QStringLiteral("Producto Cosmetico")).asString(), afterNext);

        answerModals({[&](QWidget*) {
            reopened = shownName(cosmetic);
            focusAfterReopen = memo(cosmetic, "MEMO2")->hasFocus();
            listAfterReopen = child<QWidget>(cosmetic, QStringLiteral("DBLookupListBox1"))->isVisible();
            cosmetic->close(); // the window's close box
        }});
        yb::showModal(cosmetic);
        QVERIFY(modalsAnswered());
        QCOMPARE(reopened, QStringLiteral("Aceite de almendras"));
        QVERIFY(focusAfterReopen);
        QVERIFY(!listAfterReopen);
    }

    void searchFindsTheFirstNameInKeyOrderAndMatchesCase()
    {
        activate(cosmetic);
        PromptSeen prompt;
        answerModals({answerPrompt(QStringLiteral("Aceite"), &prompt)});
        clickSearch(cosmetic);
        QVERIFY(modalsAnswered());
        QCOMPARE(prompt.caption, QStringLiteral("Entrada"));
        QCOMPARE(prompt.label, QStringLiteral("Introduce el nombre:"));
        QCOMPARE(prompt.initial, QString());
        QCOMPARE(prompt.maxLength, 255);
        QCOMPARE(shownName(cosmetic), QStringLiteral("Aceite de almendras"));
        QCOMPARE(cosmetic->focusWidget(), memo(cosmetic, "MEMO2"));

        nav->click(DBNavigator::Last);
        BoxSeen box;
        answerModals({answerPrompt(QStringLiteral("crema")), answerBox(&box)});
        clickSearch(cosmetic);
        QVERIFY(modalsAnswered());
        QCOMPARE(box.title, QStringLiteral("Aviso"));
        QCOMPARE(box.text, kAviso);
        QCOMPARE(box.icon, QMessageBox::NoIcon);
        QCOMPARE(box.buttons, QStringList{QStringLiteral("OK")});
        QCOMPARE(shownName(cosmetic), QStringLiteral("Gel de aloe"));
        QCOMPARE(cosmetic->focusWidget(), memo(cosmetic, "MEMO2"));

        answerModals({answerPrompt(QStringLiteral("Crema"))});
        clickSearch(cosmetic);
        QCOMPARE(shownName(cosmetic), QStringLiteral("Crema de caléndula"));

        // Dietas: its own search button and prompt.
        QWidget* dietas = browser(QStringLiteral("Dietas"));
        activate(dietas);
        BoxSeen none;
        answerModals({answerPrompt(QStringLiteral("X"), &prompt), answerBox(&none)});
        clickSearch(dietas, "BitBtn1");
        QVERIFY(modalsAnswered());
        QCOMPARE(prompt.label, QStringLiteral("Introduce Nombre"));
        QCOMPARE(none.text, kAviso); // empty table
        QVERIFY(dietas->isVisible());
    }

    void searchWritesTheNewRecordBeingTypedFirst()
    {
        activate(cosmetic);
        nav->click(DBNavigator::Insert);
        QCOMPARE(table(cosmetic)->state(), yb::CursorState::Insert);
        QVERIFY(memo(cosmetic, "MEMO2")->hasFocus());
        QTest::keyClicks(memo(cosmetic, "MEMO2"), QStringLiteral("Zumo de pepino"));
        QTest::keyClick(memo(cosmetic, "MEMO2"), Qt::Key_Return);
        QTest::keyClicks(memo(cosmetic, "Memo3"), QStringLiteral("Refresca."));
        answerModals({answerPrompt(QStringLiteral("Aceite de r"))});
        clickSearch(cosmetic);
        QVERIFY(modalsAnswered());
        QCOMPARE(table(cosmetic)->state(), yb::CursorState::Browse);
        QCOMPARE(shownName(cosmetic), QStringLiteral("Aceite de rosa mosqueta"));

        yb::TableCursor other(yb::cursorDecl(QStringLiteral("Cosmetic"), QStringLiteral("Table1")));
        other.open();
        QVERIFY(other.locate(QStringLiteral("Producto Cosmetico"), QStringLiteral("Zumo de pepino"), yb::LocateNone));
        QCOMPARE(other.fieldByName(QStringLiteral("Indicaciones")).asString(), QStringLiteral("Refresca."));
        other.remove();
    }

    void searchThatCannotWriteThePendingRecordStops()
    {
        activate(cosmetic);
        nav->click(DBNavigator::Next);
        nav->click(DBNavigator::Insert);
        memo(cosmetic, "Memo3")->setFocus();
        QTest::keyClicks(memo(cosmetic, "Memo3"), QStringLiteral("Sin nombre"));
        BoxSeen error;
        answerModals({answerPrompt(QStringLiteral("Gel")), answerBox(&error)});
        clickSearch(cosmetic);
        QTRY_VERIFY(modalsAnswered());
        QCOMPARE(error.title, QStringLiteral("Yerbalis (Base de Datos)"));
        QCOMPARE(error.text, QStringLiteral("Field 'Producto Cosmetico' must have a value."));
        QCOMPARE(error.icon, QMessageBox::Critical);
        // No locate: the new record is still being typed.
        QCOMPARE(table(cosmetic)->state(), yb::CursorState::Insert);
        QCOMPARE(shownName(cosmetic), QString());
        QCOMPARE(memo(cosmetic, "Memo3")->toPlainText(), QStringLiteral("Sin nombre"));
    }

    void enterInTheNameGoesToTheFirstTextWithoutALineBreak()
    {
        activate(cosmetic);
        DBMemo* name = memo(cosmetic, "MEMO2");
        DBMemo* first = memo(cosmetic, "Memo3");
        const QColor windowText = QApplication::palette(name).color(QPalette::Text);
        QVERIFY(name->hasFocus());
        QCOMPARE(name->palette().color(QPalette::Text), QColor(255, 0, 0));
        QTest::keyClick(name, Qt::Key_Return);
        QVERIFY(first->hasFocus());
        QCOMPARE(table(cosmetic)->state(), yb::CursorState::Browse); // Enter alone starts no edit
        QCOMPARE(name->palette().color(QPalette::Text), windowText);
        QCOMPARE(first->palette().color(QPalette::Text), QColor(255, 0, 0));

        name->setFocus();
        name->moveCursor(QTextCursor::End);
        QTest::keyClicks(name, QStringLiteral(" x"));
        QTest::keyClick(name, Qt::Key_Enter);
        QVERIFY(first->hasFocus());
        QCOMPARE(name->toPlainText(), QStringLiteral("Aceite de almendras x"));
        table(cosmetic)->cancel();
    }

    void listModeShowsTheStoredNamesAndChoosesOne()
    {
        activate(cosmetic);
        auto* list = child<DBLookupListBox>(cosmetic, QStringLiteral("DBLookupListBox1"));
        auto* hide = child<QAbstractButton>(cosmetic, QStringLiteral("BOTONCANCELAR"));
        addRecords(QStringLiteral("Cosmetic"), kCosmeticFields, {{QStringLiteral("Bálsamo labial")}});
        QTest::mouseClick(child<QAbstractButton>(cosmetic, QStringLiteral("SpeedButton1")), Qt::LeftButton);
        QVERIFY(list->isVisible() && hide->isVisible());
        // Re-read on the way in: the record written by another cursor is listed.
        int row = -1;
        for (int i = 0; i < list->rowCount(); ++i)
            if (list->rowText(i) == QStringLiteral("Bálsamo labial"))
                row = i;
        QVERIFY(row >= 0);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          QPoint(10, row * list->rowHeight() + list->rowHeight() / 2));
        QCOMPARE(shownName(cosmetic), QStringLiteral("Bálsamo labial"));
        QVERIFY(!list->isVisible() && !hide->isVisible());
        QVERIFY(memo(cosmetic, "MEMO2")->hasFocus());

        // "&Ocultar" leaves list mode on the record the list was moved to.
        QTest::mouseClick(child<QAbstractButton>(cosmetic, QStringLiteral("SpeedButton1")), Qt::LeftButton);
        list->verticalScrollBar()->triggerAction(QAbstractSlider::SliderToMaximum);
        QVERIFY(list->isVisible());
        QTest::mouseClick(hide, Qt::LeftButton);
        QVERIFY(!list->isVisible() && !hide->isVisible());
        QCOMPARE(shownName(cosmetic), QStringLiteral("Gel de aloe"));
    }

    // With more names than fit, the list's scroll bar is there in a
    // maximized, a restored and a resized browser, and it moves the list.
    void listScrollBarShowsAtEverySize()
    {
        QList<QStringList> many;
        for (int i = 0; i < 200; ++i)
            many << QStringList{QStringLiteral("Zz producto %1").arg(i, 3, 10, QLatin1Char('0'))};
        addRecords(QStringLiteral("Cosmetic"), kCosmeticFields, many);
        auto* list = child<DBLookupListBox>(cosmetic, QStringLiteral("DBLookupListBox1"));
        QScrollBar* bar = list->verticalScrollBar();
        for (int step = 0; step < 3; ++step) {
            cosmetic->setWindowState(step == 0 ? Qt::WindowMaximized : Qt::WindowNoState);
            if (step == 1)
                cosmetic->resize(640, 461);
            if (step == 2)
                cosmetic->resize(800, 900);
            activate(cosmetic);
            child<QAbstractButton>(cosmetic, QStringLiteral("SpeedButton1"))->click();
            QTRY_VERIFY2(bar->isVisible(), qPrintable(QStringLiteral("step %1").arg(step)));
            QVERIFY(list->rowCount() < 204);
            // "&Ocultar" leaves the bar uncovered
            QWidget* hide = child<QWidget>(cosmetic, QStringLiteral("BOTONCANCELAR"));
            QVERIFY(!QRect(hide->mapToGlobal(QPoint()), hide->size())
                         .intersects(QRect(bar->mapToGlobal(QPoint()), bar->size())));
            bar->triggerAction(QAbstractSlider::SliderToMaximum);
            QCOMPARE(shownName(cosmetic), QStringLiteral("Zz producto 199"));
            QCOMPARE(list->rowText(list->rowCount() - 1), QStringLiteral("Zz producto 199"));
            child<QAbstractButton>(cosmetic, QStringLiteral("BOTONCANCELAR"))->click();
        }
        yb::TableCursor* t = table(cosmetic);
        for (int i = 0; i < 400 && t->locate(kCosmeticFields.first(), QStringLiteral("Zz producto"), yb::PartialKey);
             ++i)
            t->remove();
        QVERIFY(!t->locate(kCosmeticFields.first(), QStringLiteral("Zz producto"), yb::PartialKey));
        cosmetic->setWindowState(Qt::WindowMaximized);
    }

    void theNoticeReturnsToTheBrowserUnchanged()
    {
        QString before, after;
        bool noticeShown = false, listAfter = false;
        answerModals({
            [&](QWidget*) {
                nav->click(DBNavigator::Next);
                child<QAbstractButton>(cosmetic, QStringLiteral("SpeedButton1"))->click();
                before = shownName(cosmetic);
                clickLater(child<QAbstractButton>(cosmetic, QStringLiteral("SpButton200")));
            },
            [&](QWidget* top) {
                noticeShown = top == Form100;
                QTimer::singleShot(0, Form100, [] { Form100->close(); }); // its window's close box
            },
            [&](QWidget* top) {
                QCOMPARE(top, cosmetic);
                after = shownName(cosmetic);
                listAfter = child<QWidget>(cosmetic, QStringLiteral("DBLookupListBox1"))->isVisible();
                cosmetic->close();
            },
        });
        yb::showModal(cosmetic);
        QVERIFY(modalsAnswered());
        QVERIFY(noticeShown);
        QCOMPARE(before, QStringLiteral("Aceite de rosa mosqueta"));
        QCOMPARE(after, before);
        QVERIFY(listAfter);
    }

    void navigatorClicksPutTheFocusInTheName()
    {
        activate(cosmetic);
        memo(cosmetic, "Memo4")->setFocus();
        BoxSeen confirm;
        answerModals({[&](QWidget* top) {
            auto* box = qobject_cast<QMessageBox*>(top);
            QVERIFY(box);
            confirm.text = box->text();
            for (QAbstractButton* b : box->buttons())
                if (b->text() == QStringLiteral("Cancel"))
                    b->click();
        }});
        const QString name = shownName(cosmetic);
        QTest::mouseClick(nav->button(DBNavigator::Delete), Qt::LeftButton);
        QVERIFY(modalsAnswered());
        QCOMPARE(confirm.text, QStringLiteral("Delete record?"));
        QCOMPARE(shownName(cosmetic), name);
        QCOMPARE(cosmetic->focusWidget(), memo(cosmetic, "MEMO2"));
    }

    void tabOrder_data()
    {
        QTest::addColumn<QString>("unit");
        QTest::addColumn<QStringList>("order");
        QTest::newRow("Cosmetic") << "Cosmetic" << QStringList{"BitBtn1", "BitBtn2", "MEMO2",  "BitBtn2000",
                                                               "Memo3",   "Memo4",   "BitBtn1"};
        QTest::newRow("Tnatural") << "Tnatural" << QStringList{"BitBtn1", "BitBtn2",    "MEMO2",  "Memo3",
                                                               "Memo4",   "BitBtn2000", "BitBtn1"};
        QTest::newRow("Dietas") << "Dietas"
                                << QStringList{"BitBtn3", "BitBtn2", "MEMO2", "BitBtn1", "Memo3", "Memo4", "BitBtn3"};
        QTest::newRow("Informd") << "Informd" << QStringList{"BitBtn1", "BitBtn2", "MEMO2", "BitBtn2000", "Memo3",
                                                             "Memo4",   "Memo5",   "Memo6", "BitBtn1"};
    }
    void tabOrder()
    {
        QFETCH(QString, unit);
        QFETCH(QStringList, order);
        QWidget* s = browser(unit);
        activate(s);
        child<QWidget>(s, order.first())->setFocus();
        QStringList seen{QApplication::focusWidget()->objectName()};
        for (int i = 1; i < order.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            seen << QApplication::focusWidget()->objectName();
        }
        QCOMPARE(seen, order);
        QCOMPARE(table(s)->state(), yb::CursorState::Browse); // no tab character was typed
    }

    // Every form connects each command to its screen's handler: the list,
    // "&Ocultar", a choice in the list, the navigator, search, print, "?" and,
    // in Editor, the font command.
    void everyBrowserAnswersEachCommand_data()
    {
        QTest::addColumn<QString>("unit");
        for (const Browser& b : browsers())
            QTest::newRow(qPrintable(b.unit)) << b.unit;
    }
    void everyBrowserAnswersEachCommand()
    {
        QFETCH(QString, unit);
        QWidget* s = browser(unit);
        activate(s);
        auto* list = child<DBLookupListBox>(s, QStringLiteral("DBLookupListBox1"));
        auto* hide = child<QAbstractButton>(s, QStringLiteral("BOTONCANCELAR"));
        DBMemo* name = memo(s, "MEMO2");
        DBMemo* text = memo(s, "Memo3");
        QTest::mouseClick(child<QAbstractButton>(s, QStringLiteral("SpeedButton1")), Qt::LeftButton);
        QVERIFY(list->isVisible() && hide->isVisible());
        QTest::mouseClick(hide, Qt::LeftButton);
        QVERIFY(!list->isVisible() && !hide->isVisible());
        QTest::mouseClick(child<QAbstractButton>(s, QStringLiteral("SpeedButton1")), Qt::LeftButton);
        text->setFocus();
        QVERIFY(QMetaObject::invokeMethod(list, "clicked"));
        QVERIFY(!list->isVisible() && name->hasFocus());

        text->setFocus();
        QTest::mouseClick(child<DBNavigator>(s, QStringLiteral("DBNavigator1"))->button(DBNavigator::Refresh),
                          Qt::LeftButton);
        QVERIFY(name->hasFocus());

        const QString search = yb::RecordBrowser::setupOf(unit).searchButton;
        PromptSeen prompt;
        BoxSeen notFound;
        answerModals({answerPrompt(QStringLiteral("zzz nada"), &prompt), answerBox(&notFound)});
        clickSearch(s, qPrintable(search));
        QVERIFY(modalsAnswered());
        QCOMPARE(prompt.caption, QStringLiteral("Entrada"));
        QCOMPARE(notFound.text, kAviso);

        // Each modal window the commands open, closed again at once.
        QStringList opened;
        auto reject = [&](QWidget* top) {
            opened << QString::fromLatin1(top->metaObject()->className()) + u' ' + top->objectName();
            QTimer::singleShot(0, top, [top] { top->close(); });
        };
        QStringList expected{QStringLiteral("QPrintDialog PrintDialog1"), QStringLiteral("TForm100 Form100")};
        answerModals({reject});
        QTest::mouseClick(child<QAbstractButton>(s, QStringLiteral("BitBtn2")), Qt::LeftButton);
        QVERIFY(modalsAnswered());
        answerModals({reject});
        QTest::mouseClick(child<QAbstractButton>(s, QStringLiteral("SpButton200")), Qt::LeftButton);
        QVERIFY(modalsAnswered());
        if (unit == QLatin1String("Editor")) {
            answerModals({reject});
            QTest::mouseClick(child<QAbstractButton>(s, QStringLiteral("SpeedButton2")), Qt::LeftButton);
            QVERIFY(modalsAnswered());
            expected << QStringLiteral("QFontDialog FontDialog1");
        }
        QCOMPARE(opened, expected);
    }

    void editorFontCommand()
    {
        QWidget* editor = browser(QStringLiteral("Editor"));
        addRecords(QStringLiteral("Editor"), {QStringLiteral("Nombre Ficha"), QStringLiteral("EditorTextos")},
                   {{QStringLiteral("Ficha"), QStringLiteral("Texto libre")}});
        activate(editor);
        DBMemo* text = memo(editor, "Memo3");
        QFont offered;
        answerModals({[&](QWidget* top) {
            auto* d = qobject_cast<QFontDialog*>(top);
            QVERIFY(d);
            offered = d->currentFont();
            QFont f(QStringLiteral("Liberation Serif"));
            f.setPointSize(20);
            f.setBold(true);
            d->setCurrentFont(f);
            d->accept();
        }});
        QTest::mouseClick(child<QAbstractButton>(editor, QStringLiteral("SpeedButton2")), Qt::LeftButton);
        QVERIFY(modalsAnswered());
        QCOMPARE(offered.pointSize(), 10);
        QCOMPARE(text->font().pointSize(), 20);
        QVERIFY(text->font().bold());
        QCOMPARE(text->font().family(), QStringLiteral("Liberation Serif"));
        // The print command prints the text in the chosen font, without the name.
        child<QWidget>(editor, QStringLiteral("BitBtn2"))->setFocus();
        yb::printing::PrintRecorder rec;
        yb::printing::printBlocks(rec, editor->findChild<yb::RecordBrowser*>()->blocks());
        QStringList printed;
        for (const auto& p : rec.pieces())
            if (p.text != QLatin1String(".")) {
                printed << p.text;
                QCOMPARE(p.font.pointSize(), 20);
                QVERIFY(p.font.bold());
            }
        QCOMPARE(printed, QStringList{QStringLiteral("Texto libre")});

        // The dialog starts from its own last confirmed font, not the memo's;
        // cancelling it changes nothing.
        text->setFont(QFont(QStringLiteral("Liberation Mono"), 8));
        answerModals({[&](QWidget* top) {
            auto* d = qobject_cast<QFontDialog*>(top);
            QVERIFY(d);
            offered = d->currentFont();
            d->reject();
        }});
        QTest::mouseClick(child<QAbstractButton>(editor, QStringLiteral("SpeedButton2")), Qt::LeftButton);
        QVERIFY(modalsAnswered());
        QCOMPARE(offered.pointSize(), 20);
        QCOMPARE(text->font().pointSize(), 8);
    }
};

QObject* makeBrowserTest() { return new BrowserTest; }

#include "tst_browsers.moc"
