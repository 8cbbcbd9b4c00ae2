#pragma once
// Product table editor: the shop's price list, one product per record with
// its code, description and price.

#include "controls/DBNavigator.h"

#include <QChar>
#include <QWidget>
#include <memory>

namespace Ui {
class TEDITORTABLA;
}
namespace yb {
class TableCursor;
}
class DataSource;

class TEDITORTABLA : public QWidget {
    Q_OBJECT
public:
    explicit TEDITORTABLA(QWidget* parent = nullptr);
    ~TEDITORTABLA() override;

    yb::TableCursor* Table1 = nullptr;
    DataSource* DataSource1 = nullptr;

public slots:
    void FormActivate();
    void DBEdit1Enter();
    void DBEdit1Exit();
    void DBNavigator2Click(DBNavigator::NavigateButton button);
    void BotonverClick();
    void CANCELARClick();
    void Speed1Click();
    void OCULTARClick();
    void BitBtnFRANClick();

public:
    void DBEdit1KeyPress(QChar& Key);
    void DBEdit2KeyPress(QChar& Key);
    void DBEdit3KeyPress(QChar& Key);

private:
    void setCoveredByHelp(bool covered);
    static void setTextColour(QWidget* box, const QColor& colour);

    std::unique_ptr<Ui::TEDITORTABLA> ui;
};

extern TEDITORTABLA* EDITORTABLA;
