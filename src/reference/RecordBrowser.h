#pragma once
// The behaviour that the record browsers share: activation, the Enter key in
// the name, the search command, list mode, the data-entry notice, the focus
// colours and the print command. Each browser screen owns one RecordBrowser
// and hands its handlers to it; the screen's form holds the controls, named
// as every browser names them:
//   MEMO2 (key memo), Memo3..Memo6 (content memos), DBNavigator1,
//   DBLookupListBox1, BOTONCANCELAR, SpeedButton1 (list), the spacer memos
//   Memo1 and Memo123, and the close, print and search buttons named in Setup.
// The screens modelled on the browsers use it too, with the settings of Setup
// that tell them apart: the card file (other memo names, an Enter chain
// through its boxes, one box blue when focused) and the help screen (a page
// that shows no record: its search is a demonstration only).

#include "printing/Printing.h"

#include <QObject>
#include <QString>
#include <QStringList>

class DBLookupListBox;
class DataSource;
class QPlainTextEdit;
class QWidget;

namespace yb {

class TableCursor;

class RecordBrowser : public QObject {
    Q_OBJECT
public:
    struct Setup {
        QString unit; // the screen's unit: its cursor Table1 is declared under it
        QString closeButton = QStringLiteral("BitBtn1");
        QString printButton = QStringLiteral("BitBtn2");
        QString searchButton = QStringLiteral("BitBtn2000");
        QString searchPrompt = QStringLiteral("Introduce el nombre:");
        QString keyMemo = QStringLiteral("MEMO2"); // the name, bound to the key field
        QStringList contentMemos = {QStringLiteral("Memo3"), QStringLiteral("Memo4"), QStringLiteral("Memo5"),
                                    QStringLiteral("Memo6")}; // those present
        // Enter in each of these boxes consumes the key and moves the focus
        // to the next one; the last one keeps its Enter.
        QStringList enterChain = {QStringLiteral("MEMO2"), QStringLiteral("Memo3")};
        // The bound memos whose text turns blue rather than red while focused.
        QStringList blueWhenFocused;
        QStringList printBlocks; // objectNames of the printed controls, in order
        // The field the search locates on; empty: the cursor's key field.
        QString searchField;
        // False: the search only shows the prompt and then the not-found
        // notice, whatever is typed; the cursor and the focus stay as they are.
        bool searchLocates = true;
        QString notFound = notFoundText();
        // Whether list mode re-reads the table on the way in, and whether a
        // choice in the list puts the focus in the key memo.
        bool listRefreshes = true;
        bool listChoiceFocusesKey = true;
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

    // The notice shown when a search finds nothing.
    static QString notFoundText();
    static QString promptCaption() { return QStringLiteral("Entrada"); }
    static constexpr int MaxSearchLength = 255;

    // What the print command prints now: the blocks of Setup::printBlocks, in order.
    QList<printing::Block> blocks() const;

    // ---- the screen's handlers hand over to these
    void activate();         // FormActivate: out of list mode, first record, focus in the name, hint line cleared
    void close();            // close command
    void search();           // search command
    void print();            // print command: the print dialog, then blocks() on the printer
    void showNotice();       // "?": the data-entry notice, modally
    void listOn();           // SpeedButton1
    void listChosen();       // DBLookupListBox1 click
    void listOff();          // BOTONCANCELAR ("&Ocultar")
    void navigatorClicked(); // after every click on the navigator bar

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool enterKeyPress(QWidget* box, int key, Qt::KeyboardModifiers modifiers);

    QWidget* screen_;
    Setup setup_;
    TableCursor* table_ = nullptr;
    DataSource* source_ = nullptr;
    QPlainTextEdit* keyMemo_ = nullptr;
    QList<QWidget*> enterChain_;
    DBLookupListBox* list_ = nullptr;
    QWidget* hideButton_ = nullptr;
};

} // namespace yb
