#include "PeopleSupport.h"

#include "app/Acerca.h"
#include "app/Acercad2.h"
#include "app/Ayuda.h"
#include "app/Catalogo.h"
#include "app/Leame.h"
#include "app/Pedidos.h"
#include "people/Datos.h"
#include "shell/Recordar.h"
#include "shell/Shell.h"
#include "store/Catalogue.h"
#include "store/Database.h"
#include "store/TableCursor.h"

#include <QMouseEvent>
#include <QPointer>
#include <QTest>
#include <QTimer>

namespace peopletest {

namespace {

template <typename T> void make(T*& ref)
{
    ref = new T;
    yb::registerScreen(ref);
}

template <typename T> void destroy(T*& ref)
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

} // namespace peopletest
