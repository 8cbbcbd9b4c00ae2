#pragma once
// Natural diets database (the table's Observaciones is shown by no control): a record browser over DIETAS.DB.

#include "controls/DBNavigator.h"

#include <QWidget>
#include <memory>

namespace Ui {
class TForm20;
}
namespace yb {
class RecordBrowser;
class TableCursor;
} // namespace yb
class DataSource;

class TForm20 : public QWidget {
    Q_OBJECT
public:
    explicit TForm20(QWidget* parent = nullptr);
    ~TForm20() override;

    yb::TableCursor* Table1 = nullptr;
    DataSource* DataSource1 = nullptr;

public slots:
    void FormActivate();
    void BitBtn3Click();
    void BitBtn2Click();
    void BitBtn1Click();
    void SpButton200Click();
    void SpeedButton1Click();
    void DBLookupListBox1Click();
    void BOTONCANCELARClick();
    void DBNavigator1Click(DBNavigator::NavigateButton Button);

private:
    std::unique_ptr<Ui::TForm20> ui;
    yb::RecordBrowser* browser = nullptr;
};

extern TForm20* Form20;
