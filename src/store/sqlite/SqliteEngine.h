#pragma once
// The SQLite engine: a database directory holding one SQLite file per table
// (see TableFile.h for the file's form).

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
    QStringList checkTable(const TableDef& table) override;
    std::unique_ptr<EngineTable> openTable(const TableDef& table, bool readOnly = false) override;
    QList<BackupTableResult> backup(const QString& destination, const ProgressFunction& progress = {}) override;

    // The file of a table in the directory: the catalogue's name, or another
    // spelling of it that is present (names are matched without regard to case).
    QString tablePath(const QString& fileAsWritten) const;
    static QString tablePath(const QString& dir, const QString& fileAsWritten);

    // Checks one table file at `path`.
    static QStringList checkTableFile(const QString& path, const TableDef& table);
    // Opens the table file at `path`.
    static std::unique_ptr<EngineTable> openTableFile(const QString& path, const TableDef& table, bool readOnly);

private:
    QString dir_;
};

} // namespace yb::sqlite
