#pragma once
// The behaviour that the eleven record browsers share: activation, the key
// memo's Enter key, the search command, list mode, the data-entry notice,
// the focus colours and the print command. Each browser screen owns one
// RecordBrowser and hands its handlers to it; the screen's .ui holds the
// controls, named as every browser names them:
//   MEMO2 (key memo), Memo3..Memo6 (content memos), DBNavigator1,
//   DBLookupListBox1, BOTONCANCELAR, the spacer memos Memo1 and Memo123,
//   BitBtn2 (print), the close and search buttons named in Setup.
// A screen modelled on the browsers with other memo names (the card file)
// names its key memo and content memos in Setup.

#include "printing/Printing.h"

#include <QObject>
#include <QString>
#include <QStringList>

class DBLookupListBox;
class DBMemo;
class DataSource;
class QAbstractButton;
class QWidget;

namespace yb {

class TableCursor;

class RecordBrowser : public QObject {
    Q_OBJECT
public:
    struct Setup {
        QString unit;                 // the screen's unit: its cursor Table1 is declared under it
        QString closeButton = QStringLiteral("BitBtn1");
        QString searchButton = QStringLiteral("BitBtn2000");
        QString searchPrompt = QStringLiteral("Introduce el nombre:");
        QString keyMemo = QStringLiteral("MEMO2");          // the name, bound to the key field
        QStringList contentMemos = {QStringLiteral("Memo3"), QStringLiteral("Memo4"), QStringLiteral("Memo5"),
                                    QStringLiteral("Memo6")}; // those present; Enter in the name goes to the first
        QStringList printBlocks;      // objectNames of the printed controls, in order
    };

    // The setup of the browser of that unit, as the browsers' table gives it
    // (RecordBrowsers.cmake, written into the build at build time).
    static Setup setupOf(QStringView unit);

    // Opens the screen's Table1 and creates DataSource1 between it and the
    // screen's bound controls. Raises the table store's error when the table
    // cannot be opened.
    RecordBrowser(QWidget* screen, const Setup& setup);

    TableCursor* table() const { return table_; }
    DataSource* dataSource() const { return source_; }
    DBMemo* keyMemo() const { return keyMemo_; }
    const QList<DBMemo*>& contentMemos() const { return contents_; }

    // The notice shown when a search finds nothing.
    static QString notFoundText();
    static QString promptCaption() { return QStringLiteral("Entrada"); }
    static constexpr int MaxSearchLength = 255;

    // What the print command prints now: the blocks of Setup::printBlocks, in order.
    QList<printing::Block> blocks() const;

    // ---- the screen's handlers hand over to these
    void activate();        // FormActivate: out of list mode, first record, focus in the name
    void close();           // close command
    void search();          // search command
    void print();           // print command: the print dialog, then blocks() on the printer
    void showNotice();      // "?": the data-entry notice, modally
    void listOn();          // SpeedButton1
    void listChosen();      // DBLookupListBox1 click
    void listOff();         // BOTONCANCELAR ("&Ocultar")
    void navigatorClicked(); // after every click on the navigator bar

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool MEMO2KeyPress(int key, Qt::KeyboardModifiers modifiers);

    QWidget* screen_;
    Setup setup_;
    TableCursor* table_ = nullptr;
    DataSource* source_ = nullptr;
    DBMemo* keyMemo_ = nullptr;
    QList<DBMemo*> contents_;
    DBLookupListBox* list_ = nullptr;
    QWidget* hideButton_ = nullptr;
};

} // namespace yb
