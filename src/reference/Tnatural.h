#pragma once
// Natural treatments database: a record browser over TNATURAL.DB.

#include "controls/DBNavigator.h"

#include <QWidget>
#include <memory>

namespace Ui {
class TForm18;
}
namespace yb {
class RecordBrowser;
class TableCursor;
} // namespace yb
class DataSource;

class TForm18 : public QWidget {
    Q_OBJECT
public:
    explicit TForm18(QWidget* parent = nullptr);
    ~TForm18() override;

    yb::TableCursor* Table1 = nullptr;
    DataSource* DataSource1 = nullptr;

public slots:
    void FormActivate();
    void BitBtn1Click();
    void BitBtn2Click();
    void BitBtn2000Click();
    void SpButton200Click();
    void SpeedButton1Click();
    void DBLookupListBox1Click();
    void BOTONCANCELARClick();
    void DBNavigator1Click(DBNavigator::NavigateButton Button);

private:
    std::unique_ptr<Ui::TForm18> ui;
    yb::RecordBrowser* browser = nullptr;
};

extern TForm18* Form18;
