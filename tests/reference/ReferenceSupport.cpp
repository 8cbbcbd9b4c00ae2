#include "ReferenceSupport.h"

#include "reference/Abuela.h"
#include "reference/Alternat.h"
#include "reference/Cosmetic.h"
#include "reference/Diagnost.h"
#include "reference/Dietas.h"
#include "reference/Editor.h"
#include "reference/Glosario.h"
#include "reference/Guiapro.h"
#include "reference/Informac.h"
#include "reference/Informd.h"
#include "reference/Tnatural.h"
#include "shell/Recordar.h"
#include "shell/Shell.h"
#include "store/Catalogue.h"
#include "store/Database.h"
#include "store/TableCursor.h"

#include <QPointer>
#include <QTest>
#include <QTimer>

namespace reftest {

namespace {
QList<Browser>& list()
{
    static QList<Browser> l;
    return l;
}
} // namespace

void createScreens(const QString& dir)
{
    yb::Database::prepare(dir);
    yb::Database::setDirectory(dir);
    Form100 = new TForm100;
    yb::registerScreen(Form100);
    auto add = [](const char* unit, QWidget* w) {
        yb::registerScreen(w);
        list().append({QString::fromLatin1(unit), w});
    };
    add("Cosmetic", Form12 = new TForm12);
    add("Diagnost", Form13 = new TForm13);
    add("Dietas", Form20 = new TForm20);
    add("Editor", Form8 = new TForm8);
    add("Glosario", Form21 = new TForm21);
    add("Guiapro", Form15 = new TForm15);
    add("Informac", Form11 = new TForm11);
    add("Tnatural", Form18 = new TForm18);
    add("Informd", Form14 = new TForm14);
    add("Abuela", Form17 = new TForm17);
    add("Alternat", Form16 = new TForm16);
}

void destroyScreens()
{
    for (const Browser& b : std::as_const(list())) {
        yb::unregisterScreen(b.screen);
        delete b.screen;
    }
    list().clear();
    yb::unregisterScreen(Form100);
    delete Form100;
}

const QList<Browser>& browsers() { return list(); }

QWidget* browser(const QString& unit)
{
    for (const Browser& b : std::as_const(list()))
        if (b.unit == unit)
            return b.screen;
    return nullptr;
}

void clearTable(const QString& unit)
{
    yb::TableCursor t(yb::cursorDecl(unit, QStringLiteral("Table1")));
    t.open();
    t.first();
    while (!t.isEmpty())
        t.remove();
}

} // namespace reftest
