#pragma once
// The fourteen tables of the database directory and the seventeen table
// cursors that the screens open. This is the one place that lists them.

#include <QList>
#include <QString>
#include <QStringList>

namespace yb {

enum class FieldType { Text, Memo, Integer, SmallInt, DateTime };

struct FieldDef {
    QString name;
    FieldType type = FieldType::Text;
    int size = 0; // characters, text fields only
    bool required = false;
};

struct TableDef {
    QString fileName; // canonical file name in the database directory
    QString keyField; // index field; empty when records keep the table's own order
    QList<FieldDef> fields;
    QStringList lookupIndexes; // further indexed fields (not an order), for fast locates

    const FieldDef* field(const QString& name) const; // without regard to case
    bool hasKey() const { return !keyField.isEmpty(); }
};

struct CursorDecl {
    QString unit;       // screen's unit ("VENTAS", "Cosmetic", "REGISTR2")
    QString cursor;     // "Table1", "tblProductos"
    QString directory;  // as written: "C:\\YERBA1" or "c:\\yerba1"
    QString tableFile;  // as written: "Ventas.DB", "Tnatural.DB"
    QString indexField; // empty: none
    QStringList fields; // empty: all fields of the table, read from the file
    QString dataSource; // "DataSource1", "dsProductos"; empty when none
};

// The fourteen tables, in the order in which start-up first opens them.
const QList<TableDef>& tables();
// The table whose file name matches, without regard to case; nullptr if none.
const TableDef* findTable(const QString& fileName);
// The seventeen cursor declarations, in opening order.
const QList<CursorDecl>& cursorDecls();
// The declaration of a screen's cursor (unit and cursor name without regard to case).
const CursorDecl& cursorDecl(const QString& unit, const QString& cursor);

// A field type's name as tables store it, and in the user's language for messages.
QString fieldTypeName(FieldType t);
QString fieldTypeText(FieldType t);
bool parseFieldType(const QString& name, FieldType* t);
bool isIntegerType(FieldType t);

} // namespace yb
