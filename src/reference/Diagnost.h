#pragma once
// Symptoms and diagnoses database (the table's Suplementos is shown by no control): a record browser over DIAGNOST.DB.

#include "controls/DBNavigator.h"

#include <QWidget>
#include <memory>

namespace Ui {
class TForm13;
}
namespace yb {
class RecordBrowser;
class TableCursor;
} // namespace yb
class DataSource;

class TForm13 : public QWidget {
    Q_OBJECT
public:
    explicit TForm13(QWidget* parent = nullptr);
    ~TForm13() override;

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
    std::unique_ptr<Ui::TForm13> ui;
    yb::RecordBrowser* browser = nullptr;
};

extern TForm13* Form13;
