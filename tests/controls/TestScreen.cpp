#include "TestScreen.h"

#include "controls/DataSource.h"
#include "store/Catalogue.h"
#include "store/TableCursor.h"
#include "ui_TestScreen.h"

#include <type_traits>

TestScreen::TestScreen(QWidget* parent) : QWidget(parent)
{
    Table1 = new yb::TableCursor(yb::cursorDecl(QStringLiteral("Cosmetic"), QStringLiteral("Table1")), this);
    Table1->setObjectName(QStringLiteral("Table1"));
    Table2 = new yb::TableCursor(yb::cursorDecl(QStringLiteral("REGISTR1"), QStringLiteral("Table1")), this);
    Table2->setObjectName(QStringLiteral("Table2"));
    Table1->open();
    Table2->open();
    ui = new Ui::TestScreen;
    ui->setupUi(this);
    // Created after the controls on purpose: the controls find them by name either way.
    DataSource1 = new DataSource(Table1, QStringLiteral("DataSource1"), this);
    DataSource2 = new DataSource(Table2, QStringLiteral("DataSource2"), this);
}

TestScreen::~TestScreen() { delete ui; }

TestScreen::Controls TestScreen::controls() const
{
    auto find = [this](auto* type, const char* name) {
        auto* w = findChild<std::remove_pointer_t<decltype(type)>*>(QLatin1String(name));
        Q_ASSERT(w);
        return w;
    };
    return {find((DBMemo*)nullptr, "MEMO2"),
            find((DBMemo*)nullptr, "Memo3"),
            find((DBMemo*)nullptr, "Memo4"),
            find((DBNavigator*)nullptr, "DBNavigator1"),
            find((DBNavigator*)nullptr, "DBNavigator2"),
            find((DBLookupListBox*)nullptr, "DBLookupListBox1"),
            find((QLineEdit*)nullptr, "edBuscar"),
            find((QPushButton*)nullptr, "Buscar"),
            find((DBEdit*)nullptr, "DBEdit1"),
            find((DBEdit*)nullptr, "DBEdit2"),
            find((DBEdit*)nullptr, "DBEdit3"),
            find((DBGrid*)nullptr, "DBGrid2")};
}

void TestScreen::DBNavigator1Click(DBNavigator::NavigateButton)
{
    ++navigatorClicks;
    ui->MEMO2->setFocus();
}

void TestScreen::DBLookupListBox1Click() { ++listClicks; }

void TestScreen::BuscarClick()
{
    Table1->setKey();
    Table1->locate(QStringLiteral("Producto Cosmetico"), ui->edBuscar->text(), yb::PartialKey);
    ui->MEMO2->setFocus();
}
