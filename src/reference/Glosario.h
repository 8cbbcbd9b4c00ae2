#pragma once
// Medical glossary: a record browser over GLOSARIO.DB.

#include "controls/DBNavigator.h"

#include <QWidget>
#include <memory>

namespace Ui {
class TForm21;
}
namespace yb {
class RecordBrowser;
class TableCursor;
} // namespace yb
class DataSource;

class TForm21 : public QWidget {
    Q_OBJECT
public:
    explicit TForm21(QWidget* parent = nullptr);
    ~TForm21() override;

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
    std::unique_ptr<Ui::TForm21> ui;
    yb::RecordBrowser* browser = nullptr;
};

extern TForm21* Form21;
