#pragma once
// A small screen built from TestScreen.ui that browses, edits, inserts,
// deletes and searches the cosmetics table and the product table through the
// data-bound controls.

#include "controls/DBNavigator.h"

#include <QWidget>

class DBEdit;
class DBGrid;
class DBLookupListBox;
class DBMemo;
class QLineEdit;
class QPushButton;

namespace yb {
class TableCursor;
}
namespace Ui {
class TestScreen;
}
class DataSource;

class TestScreen : public QWidget {
    Q_OBJECT
public:
    explicit TestScreen(QWidget* parent = nullptr);
    ~TestScreen() override;

    yb::TableCursor* Table1 = nullptr; // Cosmetic.DB
    yb::TableCursor* Table2 = nullptr; // Producto.db
    DataSource* DataSource1 = nullptr;
    DataSource* DataSource2 = nullptr;
    // The screen's controls, found by their objectNames as any test finds them.
    struct Controls {
        DBMemo *MEMO2, *Memo3, *Memo4;
        DBNavigator *DBNavigator1, *DBNavigator2;
        DBLookupListBox* DBLookupListBox1;
        QLineEdit* edBuscar;
        QPushButton* Buscar;
        DBEdit *DBEdit1, *DBEdit2, *DBEdit3;
        DBGrid* DBGrid2;
    };
    Controls controls() const;
    int navigatorClicks = 0;
    int listClicks = 0;

private:
    Ui::TestScreen* ui;

public slots:
    void DBNavigator1Click(DBNavigator::NavigateButton button);
    void DBLookupListBox1Click();
    void BuscarClick();
};
