#pragma once
// Grandmother's remedies database: a record browser over Abuela.DB.

#include "controls/DBNavigator.h"

#include <QWidget>
#include <memory>

namespace Ui {
class TForm17;
}
namespace yb {
class RecordBrowser;
class TableCursor;
} // namespace yb
class DataSource;

class TForm17 : public QWidget {
    Q_OBJECT
public:
    explicit TForm17(QWidget* parent = nullptr);
    ~TForm17() override;

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
    std::unique_ptr<Ui::TForm17> ui;
    yb::RecordBrowser* browser = nullptr;
};

extern TForm17* Form17;
