#pragma once
// The SQLite engine: a database directory holding one SQLite file per table
// (see TableFile.h for the file's form). It registers itself as the engine of
// directories; nothing outside this folder names it.

#include "store/Engine.h"

namespace yb::sqlite {

class SqliteEngine : public Engine {
public:
    explicit SqliteEngine(const QString& directory);

    QString location() const override { return dir_; }
    QString name() const override { return QStringLiteral("SQLite"); }
    bool exists() const override;
    bool hasTable(const TableDef& table) const override;
    void createTables() override;
    void createTable(const TableDef& table) override;
    // The file of a table in the directory: the catalogue's name, or another
    // spelling of it that is present (names are matched without regard to case).
    QString tableLocation(const QString& fileAsWritten) const override;
    std::unique_ptr<EngineTable> openTable(const TableDef& table, bool readOnly = false) override;
    std::unique_ptr<Snapshot> snapshot() override;

private:
    QString dir_;
};

} // namespace yb::sqlite
