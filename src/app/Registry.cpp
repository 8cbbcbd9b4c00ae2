#include "app/Registry.h"

#include <QPointer>
#include <QWidget>

#include <exception>

#include "shell/Shell.h"
#include "store/Errors.h"

#include "app/Acerca.h"
#include "app/Acercad2.h"
#include "app/Ayuda.h"
#include "app/Catalogo.h"
#include "app/Leame.h"
#include "app/Menu.h"
#include "app/Pedidos.h"
#include "app/Present.h"
#include "app/Salir.h"
#include "people/Datos.h"
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
#include "shop/REGISTR1.h"
#include "shop/REGISTR2.h"
#include "shop/VENTAS.h"

namespace yb {

namespace {

// Creates the screen and registers it with its own activation handler.
template <typename T, T** Ref> QWidget* make()
{
    *Ref = new T;
    registerScreen(*Ref);
    return *Ref;
}

QList<QPointer<QWidget>>& created()
{
    static QList<QPointer<QWidget>> list;
    return list;
}

} // namespace

const QList<ScreenEntry>& screenRegistry()
{
    static const QList<ScreenEntry> list = {
        {"Menu", "TForm1", "Form1", &make<TForm1, &Form1>},
        {"VENTAS", "TForm44315", "Form44315", &make<TForm44315, &Form44315>},
        {"Acerca", "TForm2", "Form2", &make<TForm2, &Form2>},
        {"Catalogo", "TForm5", "Form5", &make<TForm5, &Form5>},
        {"Cosmetic", "TForm12", "Form12", &make<TForm12, &Form12>},
        {"Datos", "TForm6", "Form6", &make<TForm6, &Form6>},
        {"Diagnost", "TForm13", "Form13", &make<TForm13, &Form13>},
        {"Dietas", "TForm20", "Form20", &make<TForm20, &Form20>},
        {"Editor", "TForm8", "Form8", &make<TForm8, &Form8>},
        {"Glosario", "TForm21", "Form21", &make<TForm21, &Form21>},
        {"Guiapro", "TForm15", "Form15", &make<TForm15, &Form15>},
        {"Informac", "TForm11", "Form11", &make<TForm11, &Form11>},
        {"Leame", "TForm19", "Form19", &make<TForm19, &Form19>},
        {"Pedidos", "TForm3", "Form3", &make<TForm3, &Form3>},
        {"Salir", "TForm99", "Form99", &make<TForm99, &Form99>},
        {"Tnatural", "TForm18", "Form18", &make<TForm18, &Form18>},
        {"Recordar", "TForm100", "Form100", &make<TForm100, &Form100>},
        {"Informd", "TForm14", "Form14", &make<TForm14, &Form14>},
        {"Present", "TForm400", "Form400", &make<TForm400, &Form400>},
        {"Ayuda", "TFORM777", "FORM777", &make<TFORM777, &FORM777>},
        {"Abuela", "TForm17", "Form17", &make<TForm17, &Form17>},
        {"Acercad2", "TFORMABOX", "FORMABOX", &make<TFORMABOX, &FORMABOX>},
        {"REGISTR1", "TEDITORTABLA", "EDITORTABLA", &make<TEDITORTABLA, &EDITORTABLA>},
        {"REGISTR2", "TTERMINAL", "TERMINAL", &make<TTERMINAL, &TERMINAL>},
        {"Alternat", "TForm16", "Form16", &make<TForm16, &Form16>},
    };
    return list;
}

bool createScreens(StartupFailure* failure)
{
    for (const ScreenEntry& entry : screenRegistry()) {
        QString kind;
        QString message;
        try {
            QWidget* screen = entry.create();
            created().append(screen);
            continue;
        } catch (const Error& e) {
            kind = e.kind();
            message = e.message();
        } catch (const std::exception& e) {
            kind = QStringLiteral("Exception");
            message = QString::fromLocal8Bit(e.what());
        }
        destroyScreens();
        if (failure) {
            failure->kind = kind;
            failure->message = message;
            failure->address = reinterpret_cast<const void*>(entry.create);
        }
        return false;
    }
    return true;
}

void destroyScreens()
{
    auto& list = created();
    while (!list.isEmpty()) {
        QPointer<QWidget> w = list.takeLast();
        if (w) {
            unregisterScreen(w);
            delete w.data();
        }
    }
}

QList<QWidget*> createdScreens()
{
    QList<QWidget*> out;
    for (const auto& w : created())
        if (w)
            out.append(w);
    return out;
}

} // namespace yb
