#pragma once
// General product information (the table's Datos-Interes and Código Barras are shown by no control): a record browser over Informac.DB.

#include "controls/DBNavigator.h"

#include <QWidget>
#include <memory>

namespace Ui {
class TForm11;
}
namespace yb {
class RecordBrowser;
class TableCursor;
} // namespace yb
class DataSource;

class TForm11 : public QWidget {
    Q_OBJECT
public:
    explicit TForm11(QWidget* parent = nullptr);
    ~TForm11() override;

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
    std::unique_ptr<Ui::TForm11> ui;
    yb::RecordBrowser* browser = nullptr;
};

extern TForm11* Form11;
