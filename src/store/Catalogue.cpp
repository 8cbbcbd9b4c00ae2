#include "store/Catalogue.h"

#include "store/Errors.h"
#include <QCoreApplication>

namespace yb {

namespace {
// The messages of this unit, in the catalogue's context yb::Store.
struct Text {
    Q_DECLARE_TR_FUNCTIONS(yb::Store)
};
} // namespace

namespace {

FieldDef text(const char* name, int size, bool required = false)
{
    return FieldDef{QString::fromUtf8(name), FieldType::Text, size, required};
}
FieldDef memo(const char* name) { return FieldDef{QString::fromUtf8(name), FieldType::Memo, 0, false}; }
FieldDef integer(const char* name, bool required)
{
    return FieldDef{QString::fromUtf8(name), FieldType::Integer, 0, required};
}

// A reference table: a required text(75) key and memos.
TableDef reference(const char* file, const char* key, std::initializer_list<const char*> before,
                   std::initializer_list<const char*> after)
{
    TableDef t;
    t.fileName = QString::fromUtf8(file);
    t.keyField = QString::fromUtf8(key);
    for (const char* m : before)
        t.fields << memo(m);
    t.fields << text(key, 75, true);
    for (const char* m : after)
        t.fields << memo(m);
    return t;
}

QList<TableDef> buildTables()
{
    QList<TableDef> list;

    TableDef ventas;
    ventas.fileName = QStringLiteral("Ventas.DB");
    ventas.fields = {
        FieldDef{QStringLiteral("Caja"), FieldType::SmallInt, 0, true},
        FieldDef{QStringLiteral("Fecha y Hora"), FieldType::DateTime, 0, true},
        integer("Codigo", true),
        integer("Importe", true),
        text("Producto", 45),
    };
    list << ventas;

    list << reference("Cosmetic.DB", "Producto Cosmetico", {}, {"Indicaciones", "Modo Empleo"});

    TableDef datos;
    datos.fileName = QStringLiteral("DATOS.DB");
    datos.keyField = QStringLiteral("Nombre/Apellidos");
    datos.fields = {
        text("Nombre/Apellidos", 44, true),
        text("Domicilio", 44),
        text("Postal", 7),
        text("Localidad", 37),
        text("Provincia", 21),
        text("Telefono", 38),
        text("Civil", 11),
        text("Nacimiento", 23),
        memo("Patologia"),
        memo("Medicacion"),
        memo("Observacion"),
    };
    list << datos;

    list << reference("DIAGNOST.DB", "Sintomas", {}, {"Diagnostico", "Obsevaciones", "Suplementos"});
    list << reference("DIETAS.DB", "Dieta", {}, {"Dasayuno-Comida-Cena", "Observaciones", "ComplementosDieteticos"});
    list << reference("EDITOR.DB", "Nombre Ficha", {}, {"EditorTextos"});
    list << reference("GLOSARIO.DB", "Término médico", {"Definición:"}, {});
    list << reference("GUIAPRO.DB", "Producto", {}, {"Indicaciones", "ModoEmpleo"});
    list << reference("Informac.DB", "Producto", {},
                      {"Propiedades", "Dosificacion", "Datos-Interes", "Ingredientes", "Código Barras"});
    list << reference("TNATURAL.DB", "Dolencia/Enfermedad", {}, {"Explicacion", "Tratamiento"});
    list << reference("INFORMD.DB", "Información Dietética", {"Funcion", "Sintomas", "Recomendacion", "Fuentes"}, {});
    list << reference("Abuela.DB", "Sintomas", {}, {"Indicaciones"});

    TableDef producto;
    producto.fileName = QStringLiteral("Producto.db");
    producto.fields = {integer("Codigo", true), text("Descripcion", 30, true), integer("Precio", true)};
    // The sales terminal finds a product by its code: keep that a lookup, not a scan.
    producto.lookupIndexes = {QStringLiteral("Codigo")};
    list << producto;

    list << reference("ALTERNAT.DB", "Sintomas", {}, {"Indicaciones"});
    return list;
}

CursorDecl decl(const char* unit, const char* cursor, const char* dir, const char* file, const char* index,
                QStringList fields, const char* ds)
{
    return CursorDecl{QString::fromUtf8(unit), QString::fromUtf8(cursor), QString::fromUtf8(dir),
                      QString::fromUtf8(file), QString::fromUtf8(index),  std::move(fields),
                      QString::fromUtf8(ds)};
}

QList<CursorDecl> buildCursors()
{
    const char* UP = "C:\\YERBA1";
    const char* LO = "c:\\yerba1";
    const QStringList all;
    return {
        decl("VENTAS", "Table1", UP, "Ventas.DB", "",
             {QStringLiteral("Fecha y Hora"), QStringLiteral("Producto"), QStringLiteral("Importe")}, "DataSource1"),
        decl("Cosmetic", "Table1", UP, "Cosmetic.DB", "Producto Cosmetico", all, "DataSource1"),
        decl("Datos", "Table1", UP, "DATOS.DB", "Nombre/Apellidos", all, "DataSource1"),
        decl("Diagnost", "Table1", LO, "DIAGNOST.DB", "Sintomas", all, "DataSource1"),
        decl("Dietas", "Table1", UP, "DIETAS.DB", "Dieta", all, "DataSource1"),
        decl("Editor", "Table1", UP, "EDITOR.DB", "Nombre Ficha", all, "DataSource1"),
        decl("Glosario", "Table1", LO, "GLOSARIO.DB", "Término médico", all, "DataSource1"),
        decl("Guiapro", "Table1", UP, "GUIAPRO.DB", "Producto", all, "DataSource1"),
        decl("Informac", "Table1", UP, "Informac.DB", "Producto", all, "DataSource1"),
        decl("Tnatural", "Table1", LO, "TNATURAL.DB", "Dolencia/Enfermedad", all, "DataSource1"),
        decl("Informd", "Table1", UP, "INFORMD.DB", "Información Dietética", all, "DataSource1"),
        decl("Ayuda", "Table1", LO, "Tnatural.DB", "Dolencia/Enfermedad", all, "DataSource1"),
        decl("Abuela", "Table1", LO, "Abuela.DB", "Sintomas", all, "DataSource1"),
        decl("REGISTR1", "Table1", UP, "Producto.db", "", all, "DataSource1"),
        decl("REGISTR2", "tblProductos", UP, "Producto.db", "",
             {QStringLiteral("Codigo"), QStringLiteral("Descripcion"), QStringLiteral("Precio")}, "dsProductos"),
        decl("REGISTR2", "tblVentas", UP, "Ventas.db", "",
             {QStringLiteral("Caja"), QStringLiteral("Fecha y Hora"), QStringLiteral("Codigo"),
              QStringLiteral("Importe"), QStringLiteral("Producto")},
             ""),
        decl("Alternat", "Table1", LO, "ALTERNAT.DB", "Sintomas", all, "DataSource1"),
    };
}

} // namespace

const FieldDef* TableDef::field(const QString& name) const
{
    for (const FieldDef& f : fields)
        if (f.name.compare(name, Qt::CaseInsensitive) == 0)
            return &f;
    return nullptr;
}

const QList<TableDef>& tables()
{
    static const QList<TableDef> list = buildTables();
    return list;
}

const TableDef* findTable(const QString& fileName)
{
    for (const TableDef& t : tables())
        if (t.fileName.compare(fileName, Qt::CaseInsensitive) == 0)
            return &t;
    return nullptr;
}

const QList<CursorDecl>& cursorDecls()
{
    static const QList<CursorDecl> list = buildCursors();
    return list;
}

const CursorDecl& cursorDecl(const QString& unit, const QString& cursor)
{
    for (const CursorDecl& d : cursorDecls())
        if (d.unit.compare(unit, Qt::CaseInsensitive) == 0 && d.cursor.compare(cursor, Qt::CaseInsensitive) == 0)
            return d;
    throw DatabaseError(Text::tr("No table cursor '%1' is declared for '%2'").arg(cursor, unit));
}

QString fieldTypeName(FieldType t)
{
    switch (t) {
    case FieldType::Text: return QStringLiteral("text");
    case FieldType::Memo: return QStringLiteral("memo");
    case FieldType::Integer: return QStringLiteral("integer");
    case FieldType::SmallInt: return QStringLiteral("short integer");
    case FieldType::DateTime: return QStringLiteral("date-time");
    }
    return {};
}

QString fieldTypeText(FieldType t)
{
    switch (t) {
    case FieldType::Text: return Text::tr("text");
    case FieldType::Memo: return Text::tr("memo");
    case FieldType::Integer: return Text::tr("integer");
    case FieldType::SmallInt: return Text::tr("short integer");
    case FieldType::DateTime: return Text::tr("date-time");
    }
    return {};
}

bool parseFieldType(const QString& name, FieldType* t)
{
    for (FieldType c : {FieldType::Text, FieldType::Memo, FieldType::Integer, FieldType::SmallInt, FieldType::DateTime})
        if (fieldTypeName(c) == name) {
            *t = c;
            return true;
        }
    return false;
}

bool isIntegerType(FieldType t) { return t == FieldType::Integer || t == FieldType::SmallInt; }

} // namespace yb
