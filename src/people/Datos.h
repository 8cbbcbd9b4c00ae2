#pragma once
// Personal records card file: one card per person (clients, family,
// friends) over DATOS.DB, laid out like a record browser with eleven boxes.
// It has the browser's behaviour (yb::RecordBrowser) with its own boxes: an
// Enter chain through the one-line boxes, the marital status blue when
// focused, and every box printed with a separator between each two.

#include "controls/DBNavigator.h"
#include "printing/Printing.h"

#include <QList>
#include <QWidget>
#include <memory>

namespace Ui {
class TForm6;
}
namespace yb {
class RecordBrowser;
class TableCursor;
} // namespace yb
class DataSource;

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

private:
    std::unique_ptr<Ui::TForm6> ui;
    yb::RecordBrowser* browser = nullptr;
};

extern TForm6* Form6;
