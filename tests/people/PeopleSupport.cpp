#include "PeopleSupport.h"

#include "Acerca.h"
#include "Acercad2.h"
#include "Ayuda.h"
#include "Catalogo.h"
#include "Catalogue.h"
#include "Database.h"
#include "Datos.h"
#include "Leame.h"
#include "Pedidos.h"
#include "Recordar.h"
#include "Shell.h"
#include "TableCursor.h"

#include <QMouseEvent>
#include <QPointer>
#include <QTest>
#include <QTimer>

namespace peopletest {

namespace {

template <typename T>
void make(T*& ref)
{
    ref = new T;
    yb::registerScreen(ref);
}

template <typename T>
void destroy(T*& ref)
{
    if (!ref)
        return;
    yb::unregisterScreen(ref);
    delete ref;
    ref = nullptr;
}

} // namespace

void createScreens(const QString& dir)
{
    yb::Database::prepare(dir);
    yb::Database::setDirectory(dir);
    make(Form100);
    make(Form6);
    make(FORM777);
    make(Form2);
    make(Form5);
    make(Form19);
    make(Form3);
    make(FORMABOX);
}

void destroyScreens()
{
    destroy(FORMABOX);
    destroy(Form3);
    destroy(Form19);
    destroy(Form5);
    destroy(Form2);
    destroy(FORM777);
    destroy(Form6);
    destroy(Form100);
}

void addRecords(const QString& unit, const QStringList& fields, const QList<QStringList>& records)
{
    yb::TableCursor t(yb::cursorDecl(unit, QStringLiteral("Table1")));
    t.open();
    for (const QStringList& r : records) {
        t.append();
        for (int i = 0; i < r.size() && i < fields.size(); ++i)
            t.fieldByName(fields[i]).setAsString(r[i]);
        t.post();
    }
}

} // namespace peopletest
