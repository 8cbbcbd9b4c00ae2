#pragma once
// Personal records card file: one card per person (clients, family,
// friends) over DATOS.DB, laid out like a record browser with eleven boxes.

#include "controls/DBNavigator.h"
#include "printing/Printing.h"

#include <QList>
#include <QWidget>
#include <memory>

namespace Ui {
class TForm6;
}
namespace yb {
class TableCursor;
}
class DataSource;
class DBMemo;
class QKeyEvent;

class TForm6 : public QWidget {
    Q_OBJECT
public:
    explicit TForm6(QWidget* parent = nullptr);
    ~TForm6() override;

    yb::TableCursor* Table1 = nullptr;
    DataSource* DataSource1 = nullptr;

    // What the print command prints now, block after block: the top spacer,
    // then the eleven boxes with the separator between each two.
    QList<yb::printing::Block> printBlocks() const;

public slots:
    void FormActivate();
    void BitBtn3Click();
    void RELOJClick();
    void BitBtn2000Click();
    void SpButton200Click();
    void SpeedButton1Click();
    void DBLookupListBox1Click();
    void BOTONCANCELARClick();
    void DBNavigator1Click(DBNavigator::NavigateButton Button);

    // Focus colours: the text of the box that has the focus is red, but blue
    // in the marital status; it returns to the window-text colour on leaving.
    void nombreEnter(QWidget* Sender);
    void civilEnter(QWidget* Sender);
    void nombreExit(QWidget* Sender);
    void postalExit(QWidget* Sender);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Enter in a one-line box goes on to the next box; no line break enters the field.
    bool nombreKeyPress(QKeyEvent* key);
    bool domicilioKeyPress(QKeyEvent* key);
    bool postalKeyPress(QKeyEvent* key);
    bool localidadKeyPress(QKeyEvent* key);
    bool provinciaKeyPress(QKeyEvent* key);
    bool nacimientoKeyPress(QKeyEvent* key);
    bool telefonoKeyPress(QKeyEvent* key);
    bool civilKeyPress(QKeyEvent* key);
    bool enterMovesTo(QKeyEvent* key, QWidget* next);
    void setTextColour(QWidget* box, const QColor& colour);
    void listModeOff();

    std::unique_ptr<Ui::TForm6> ui;
};

extern TForm6* Form6;
