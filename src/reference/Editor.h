#pragma once
// Free-text database: one text per record, with a font command; its print leaves the name out: a record browser over EDITOR.DB.

#include "controls/DBNavigator.h"

#include <QFont>
#include <QWidget>
#include <memory>

namespace Ui {
class TForm8;
}
namespace yb {
class RecordBrowser;
class TableCursor;
} // namespace yb
class DataSource;
class QFontDialog;

class TForm8 : public QWidget {
    Q_OBJECT
public:
    explicit TForm8(QWidget* parent = nullptr);
    ~TForm8() override;

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
    void SpeedButton2Click();

private:
    std::unique_ptr<Ui::TForm8> ui;
    yb::RecordBrowser* browser = nullptr;
    QFontDialog* FontDialog1 = nullptr;
    QFont fontDialogFont; // the font dialog's last confirmed font
};

extern TForm8* Form8;
