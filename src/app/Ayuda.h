#pragma once
// Help screen: a page laid out like a record browser on which every control
// is named and explained. Only the back, print, search, "?" and list buttons
// act, with the browser's behaviour (yb::RecordBrowser) set for a page that
// shows no record: the search is a demonstration and the list only a list.

#include "printing/Printing.h"

#include <QList>
#include <QWidget>
#include <memory>

namespace Ui {
class TFORM777;
}
namespace yb {
class RecordBrowser;
class TableCursor;
} // namespace yb
class DataSource;

class TFORM777 : public QWidget {
    Q_OBJECT
public:
    explicit TFORM777(QWidget* parent = nullptr);
    ~TFORM777() override;

    yb::TableCursor* Table1 = nullptr;
    DataSource* DataSource1 = nullptr;

    // The notice the search demonstration always ends with.
    static QString notFoundText();
    // What the print command prints: the spacers, the key-field text and the help text.
    QList<yb::printing::Block> printBlocks() const;

public slots:
    void FormActivate();
    void BitBtn1Click();
    void BitBtn2Click();
    void BitBtn2000Click();
    void SpButton200Click();
    void SpeedButton1Click();
    void DBLookupListBox1Click();
    void BOTONCANCELARClick();

private:
    std::unique_ptr<Ui::TFORM777> ui;
    yb::RecordBrowser* browser = nullptr;
};

extern TFORM777* FORM777;
