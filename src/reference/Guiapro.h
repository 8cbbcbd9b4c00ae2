#pragma once
// Guide to dietetic products: a record browser over GUIAPRO.DB.

#include "controls/DBNavigator.h"

#include <QWidget>
#include <memory>

namespace Ui {
class TForm15;
}
namespace yb {
class RecordBrowser;
class TableCursor;
} // namespace yb
class DataSource;

class TForm15 : public QWidget {
    Q_OBJECT
public:
    explicit TForm15(QWidget* parent = nullptr);
    ~TForm15() override;

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
    std::unique_ptr<Ui::TForm15> ui;
    yb::RecordBrowser* browser = nullptr;
};

extern TForm15* Form15;
