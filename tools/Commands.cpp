// The commands of yerbalis-admin, one class each.

#include "store/Catalogue.h"
#include "store/Database.h"
#include "store/Errors.h"
#include "store/PrivateFiles.h"
#include "tools/Backup.h"
#include "tools/Command.h"
#include "tools/Copy.h"
#include "tools/Demo.h"
#include "tools/Paradox.h"
#include "tools/Progress.h"
#include "tools/Report.h"
#include "tools/TableTransfer.h"

#include <QBuffer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <cstdio>
#include <unistd.h>

namespace yb::admin {

namespace {

struct Text {
    Q_DECLARE_TR_FUNCTIONS(Commands)
};

QString native(const QString& path) { return QDir::toNativeSeparators(path); }
// A database (directory or URI) as every message shows it: never with a password.
QString shown(const QString& location) { return Database::shownLocation(location); }

QString seconds(const QElapsedTimer& t) { return QString::number(double(t.elapsed()) / 1000.0, 'f', 2); }

// "755": the owner's, the group's and the others' permissions of a file.
QString octalPermissions(const QString& path)
{
    const int p = int(QFileInfo(path).permissions());
    return QStringLiteral("%1%2%3").arg((p >> 12) & 7).arg((p >> 4) & 7).arg(p & 7);
}

QString databaseText() { return Text::tr("the database: a directory of table files, or a PostgreSQL URI"); }
QString tableText() { return Text::tr("the table, for example Producto.db or producto"); }

// Whether a word names a table rather than a database.
bool namesTable(const QString& word)
{
    if (isServerLocation(word) || QFileInfo(word).isDir())
        return false;
    try {
        tableNamed(word);
        return true;
    } catch (const Error&) {
        return false;
    }
}

// The options that the CSV commands share.
class CsvCommand : public Command {
protected:
    using Command::Command;

    CsvEncoding encoding() const
    {
        const QString name = isSet("encoding") ? value("encoding") : QStringLiteral("utf-8");
        const auto e = csvEncodingNamed(name);
        if (!e)
            throw UsageError{Text::tr("unknown encoding '%1'; the encodings are %2").arg(name, csvEncodingNames())};
        return *e;
    }
    // 0 when the option is not given.
    char separator() const
    {
        if (!isSet("separator"))
            return 0;
        const QString name = value("separator");
        const auto c = csvSeparatorNamed(name);
        if (!c)
            throw UsageError{
                Text::tr("'%1' cannot separate fields; give one character such as ';' or ',', or 'tab'").arg(name)};
        return *c;
    }
    // --no-neutralise (or --no-neutralize): texts that look like formulas as they stand.
    bool guardFormulas() const { return !isSet("no-neutralise") && !isSet("no-neutralize"); }
    void addNeutraliseFlags(const QString& description)
    {
        addFlag(QStringLiteral("no-neutralise"), description);
        addFlag(QStringLiteral("no-neutralize"), description, true);
    }
};

// --codepage N: the code page of old tables that name none or name a wrong one.
class ParadoxCommandBase : public Command {
protected:
    using Command::Command;
    int codePage() const
    {
        if (!isSet("codepage"))
            return 0;
        bool ok = false;
        const int cp = value("codepage").toInt(&ok);
        if (!ok || cp <= 0 || cp > 65535)
            throw UsageError{
                Text::tr("'%1' is not a code page number (for example 850 or 1252)").arg(value("codepage"))};
        return cp;
    }
};

// ------------------------------------------------------------------ commands

class CreateCommand : public Command {
    Q_DECLARE_TR_FUNCTIONS(CreateCommand)

public:
    CreateCommand() : Command("create")
    {
        setSummary(tr("create an empty database with the fourteen tables in DIR"));
        setDescription(tr("Creates DIR (when missing) with the fourteen empty tables. Tables that already exist "
                          "are left as they are."));
        addArgument(Text::tr("DIR"), databaseText());
        setArgumentProblem(tr("create needs one directory"));
    }

private:
    bool takesDefaultDatabase(const QStringList& positional) const override { return positional.isEmpty(); }
    int run() override
    {
        const QString dir = arguments[0];
        const bool server = isServerLocation(dir);
        int created = 0;
        if (!server && !makePrivateDirectory(dir))
            throw Error(tr("cannot create the directory %1").arg(shown(dir)));
        const std::unique_ptr<Engine> engine = Database::open(dir);
        for (const TableDef& t : tables()) {
            const QString table = server ? t.fileName : native(Database::tablePath(dir, t.fileName));
            if (engine->hasTable(t)) {
                // A server's table of an older format is brought up to this one.
                if (server)
                    engine->createTable(t);
                out() << tr("exists:  %1").arg(table) << "\n";
                continue;
            }
            engine->createTable(t);
            out() << tr("created: %1").arg(table) << "\n";
            ++created;
        }
        out() << tr("%1 created in %2").arg(counted(created, "table", "tables"), shown(dir)) << "\n";
        return 0;
    }
};

class CheckCommand : public Command {
    Q_DECLARE_TR_FUNCTIONS(CheckCommand)

public:
    CheckCommand() : Command("check")
    {
        setSummary(tr("verify the schema and integrity of every table in DIR"));
        setDescription(tr("Verifies every table of DIR: present, readable, of the right structure, undamaged, "
                          "required fields filled and records in key order. Exits 1 and names every problem when "
                          "something is wrong. Warns when other users of the computer can read the directory DIR."));
        addArgument(Text::tr("DIR"), databaseText());
        setArgumentProblem(tr("check needs one directory"));
    }

private:
    bool takesDefaultDatabase(const QStringList& positional) const override { return positional.isEmpty(); }
    int run() override
    {
        // As Database::check, a table at a time, so that a long check shows its progress.
        const QString dir = arguments[0];
        QStringList problems;
        if (!isServerLocation(dir) && !QFileInfo(dir).isDir()) {
            problems = Database::check(dir);
        } else {
            const std::unique_ptr<Engine> engine = Database::open(dir);
            Progress progress(tr("Checking"), tables().size());
            int done = 0;
            for (const TableDef& t : tables()) {
                progress.setLabel(tr("Checking %1").arg(t.fileName));
                problems += progress.during(done++, [&] { return engine->checkTable(t); });
            }
        }
        // The cards hold clients' illnesses and medication: a directory others may read is worth a word.
        if (!isServerLocation(dir) && QFileInfo(dir).isDir() && readableByOthers(dir))
            err() << tr("warning: other users of this computer can read %1 (permissions %2); 'chmod 700' on it "
                        "keeps the shop's data to you")
                         .arg(shown(dir), octalPermissions(dir))
                  << "\n";
        // So is a table file made before the files were made private.
        if (!isServerLocation(dir) && QFileInfo(dir).isDir())
            for (const TableDef& t : tables())
                if (const QString path = Database::tablePath(dir, t.fileName);
                    QFileInfo(path).isFile() && readableByOthers(path))
                    err() << tr("warning: other users of this computer can read %1 (permissions %2); 'chmod 600' on "
                                "it keeps it to you")
                                 .arg(native(path), octalPermissions(path))
                          << "\n";
        if (problems.isEmpty()) {
            out() << tr("ok: %1 checked in %2").arg(counted(tables().size(), "table", "tables"), shown(dir)) << "\n";
            return 0;
        }
        for (const QString& p : problems)
            err() << p << "\n";
        err() << tr("%1 found").arg(counted(problems.size(), "problem", "problems")) << "\n";
        return 1;
    }
};

class ExportCommand : public CsvCommand {
    Q_DECLARE_TR_FUNCTIONS(ExportCommand)

public:
    ExportCommand() : CsvCommand("export")
    {
        setSummary(tr("write a table as CSV to FILE (or standard output)"));
        setDescription(
            tr("Writes the records of TABLE as CSV to FILE, or to standard output when FILE is missing or '-'. The "
               "first line names the fields; records are in the table's own order. Texts are UTF-8, dates "
               "YYYY-MM-DD HH:MM:SS; a field with a comma, a quote or a line break is quoted (RFC 4180). A text that "
               "begins with =, +, -, @, a tab or a carriage return gets an apostrophe in front, so that a spreadsheet "
               "shows it instead of running it as a formula ('import' takes the apostrophe away again). The table is "
               "read as it is at one moment, even while the program writes to it."));
        addArgument(Text::tr("DIR"), databaseText());
        addArgument(Text::tr("TABLE"), tableText());
        addArgument(Text::tr("FILE"), tr("the CSV file to write; '-' or none: standard output"), true);
        setArgumentProblem(tr("export needs a directory, a table and optionally a file"));
        addFlag(QStringLiteral("bom"),
                tr("begin with a UTF-8 byte order mark, for spreadsheet programs that "
                   "otherwise misread accents ('import' accepts either)"));
        addValue(QStringLiteral("separator"), QStringLiteral("C"),
                 tr("separate fields with C instead of a comma (';', or 'tab')"));
        addValue(QStringLiteral("encoding"), QStringLiteral("E"),
                 tr("write E instead of UTF-8: windows-1252 or iso-8859-1; a text with a character E lacks stops "
                    "the export"));
        addNeutraliseFlags(tr("write every text as it is, without that apostrophe (import such a file with "
                              "--no-neutralise too)"));
    }

private:
    bool takesDefaultDatabase(const QStringList& positional) const override
    {
        return !positional.isEmpty() && namesTable(positional[0]);
    }
    int run() override
    {
        const QString dir = arguments[0];
        const TableDef& table = tableNamed(arguments[1]);
        const QString target = arguments.value(2, QStringLiteral("-"));
        const bool bom = isSet("bom");
        const CsvEncoding csvEncoding = encoding();
        const char csvSeparator = isSet("separator") ? separator() : ',';
        if (bom && csvEncoding != CsvEncoding::Utf8)
            throw UsageError{tr("--bom marks UTF-8 text; it does not go with another --encoding")};
        static const char kBom[] = "\xEF\xBB\xBF";
        QElapsedTimer timer;
        timer.start();
        qint64 rows;
        {
            Progress progress(tr("Exporting %1").arg(table.fileName), 0);
            if (target == QLatin1String("-")) {
                if (isatty(fileno(stdout)))
                    progress.disable(); // a bar would garble the records on the same screen
                QFile stdOut;
                if (!stdOut.open(stdout, QIODevice::WriteOnly))
                    throw Error(tr("cannot write to standard output"));
                if (bom)
                    stdOut.write(kBom, 3);
                rows = exportTable(dir, table, &stdOut, &progress, csvSeparator, csvEncoding, guardFormulas());
            } else {
                // Written beside the target and renamed into place: a failed export leaves no half file.
                QSaveFile file(target);
                if (!openPrivateFile(file))
                    throw Error(tr("cannot write %1: %2").arg(native(target), file.errorString()));
                if (bom)
                    file.write(kBom, 3);
                rows = exportTable(dir, table, &file, &progress, csvSeparator, csvEncoding, guardFormulas());
                if (!file.commit())
                    throw Error(tr("cannot write %1: %2").arg(native(target), file.errorString()));
            }
        }
        // With the CSV on standard output, the summary goes to standard error.
        (target == QLatin1String("-") ? err() : out())
            << tr("exported %1 of %2 in %3 s").arg(counted(rows, "record", "records"), table.fileName, seconds(timer))
            << "\n";
        return 0;
    }
};

class ImportCommand : public CsvCommand {
    Q_DECLARE_TR_FUNCTIONS(ImportCommand)

public:
    ImportCommand() : CsvCommand("import")
    {
        setSummary(tr("add the records of a CSV file to a table, all or nothing"));
        setDescription(
            tr("Adds the records of the CSV file FILE to TABLE. The first line names the fields (in any order; fields "
               "left out stay empty). Every record is checked: integers (whole numbers) and dates readable, texts no "
               "longer than their field, required fields filled, no repeated product code. Dates are YYYY-MM-DD "
               "HH:MM:SS or, when the system's regional settings put the day first (es_ES), also as spreadsheets "
               "write them: 9/12/2026 10:15, 09/12/26 10:15:00. Either every record is imported or, at the first "
               "record that breaks a rule, none is: the message names the row, the field and the problem. The "
               "apostrophe that 'export' puts before a text beginning with =, +, -, @, a tab or a carriage return is "
               "taken away.\n"
               "When records of the file have keys that the table already holds (the same text in the table's index "
               "field; in Producto.db the same Codigo), nothing is imported: the message counts them (exit code 1), "
               "so that importing a file twice never doubles its records; either choice below loses one version, so "
               "the choice is yours."));
        addArgument(Text::tr("DIR"), databaseText());
        addArgument(Text::tr("TABLE"), tableText());
        addArgument(Text::tr("FILE"), tr("the CSV file to read; '-': standard input"));
        setArgumentProblem(tr("import needs a directory, a table and a file"));
        addFlag(QStringLiteral("replace"), tr("delete the table's records first (undone, too, on failure)"));
        addFlag(QStringLiteral("skip-existing"),
                tr("keep the table's records and leave out the file's records with "
                   "the same keys; the others are added"));
        addValue(QStringLiteral("separator"), QStringLiteral("C"),
                 tr("fields are separated by C; without it the header line decides between ',', ';' and tab"));
        addValue(QStringLiteral("encoding"), QStringLiteral("E"),
                 tr("the file is in E: utf-8 (the default), windows-1252 or iso-8859-1 (as spreadsheets in Spanish "
                    "often save it)"));
        addNeutraliseFlags(tr("take every text as it stands, apostrophes included (for a file exported with "
                              "--no-neutralise)"));
    }

private:
    bool takesDefaultDatabase(const QStringList& positional) const override
    {
        return !positional.isEmpty() && namesTable(positional[0]);
    }
    int run() override
    {
        const QString dir = arguments[0];
        const TableDef& table = tableNamed(arguments[1]);
        const QString source = arguments[2];
        ImportOptions options;
        options.replace = isSet("replace");
        if (isSet("skip-existing")) {
            if (options.replace)
                throw UsageError{tr("--replace and --skip-existing exclude each other")};
            options.existing = ExistingKeys::Skip;
        }
        options.separator = separator();
        options.encoding = encoding();
        options.guardFormulas = guardFormulas();
        QFile file;
        if (source == QLatin1String("-")) {
            if (!file.open(stdin, QIODevice::ReadOnly))
                throw Error(tr("cannot read standard input"));
        } else {
            file.setFileName(source);
            if (!file.open(QIODevice::ReadOnly))
                throw Error(tr("cannot read %1: %2").arg(native(source), file.errorString()));
        }
        QElapsedTimer timer;
        timer.start();
        ImportResult result;
        try {
            Progress progress(tr("Importing into %1").arg(table.fileName),
                              source == QLatin1String("-") ? 0 : file.size());
            result = importTable(dir, table, &file, options, &progress);
        } catch (const Error& e) {
            throw Error(tr("cannot import into %1: %2\nNothing was imported; the table is unchanged.")
                            .arg(table.fileName, e.message()));
        }
        const QString imported = counted(result.imported, "record", "records");
        QString line = options.replace ? tr("imported %1 into %2 (replacing its records)").arg(imported, table.fileName)
                                       : tr("imported %1 into %2").arg(imported, table.fileName);
        if (result.skipped)
            line += result.skipped == 1
                ? tr("; skipped 1 record whose key is already in the table")
                : tr("; skipped %1 records whose keys are already in the table").arg(result.skipped);
        out() << tr("%1 in %2 s").arg(line, seconds(timer)) << "\n";
        return 0;
    }
};

class BackupCommand : public Command {
    Q_DECLARE_TR_FUNCTIONS(BackupCommand)

public:
    BackupCommand() : Command("backup")
    {
        setSummary(tr("copy every table to DEST, safely while the program runs"));
        setDescription(
            tr("Copies the fourteen tables of DIR into the directory DEST (created when missing; it must not hold "
               "tables yet). The copy shows the tables as they were at one moment, even while the program is running "
               "and selling, and is verified as 'check' does before the command reports success. To restore, close "
               "the program and copy the files of DEST back into the database directory."));
        addArgument(Text::tr("DIR"), databaseText());
        addArgument(Text::tr("DEST"), tr("the directory of the backup"));
        setArgumentProblem(tr("backup needs the database directory and the backup directory"));
    }

private:
    bool takesDefaultDatabase(const QStringList& positional) const override { return positional.size() == 1; }
    int run() override
    {
        QElapsedTimer timer;
        timer.start();
        BackupResult r;
        {
            Progress progress(tr("Backing up"), 0);
            r = backupDatabase(arguments[0], arguments[1], &progress);
        }
        out() << tr("backed up %1 (%2, %3 KiB) to %4 in %5 s; the copy passes the check")
                     .arg(counted(r.tables, "table", "tables"), counted(r.records, "record", "records"))
                     .arg(r.bytes / 1024)
                     .arg(shown(arguments[1]), seconds(timer))
              << "\n";
        return 0;
    }
};

class CopyCommand : public Command {
    Q_DECLARE_TR_FUNCTIONS(CopyCommand)

public:
    CopyCommand() : Command("copy")
    {
        setSummary(tr("copy the fourteen tables of one database into another"));
        setDescription(
            tr("Copies the records of the fourteen tables of the database FROM into the database TO; each is a "
               "directory of table files or a PostgreSQL URI (postgresql://...), so a shop moves from its files to a "
               "server and back. All or nothing: when anything fails, TO is left as it was. TO must not exist yet, be "
               "an empty directory, or hold only empty tables (as 'create' makes them; on a server the missing tables "
               "are made). Close the program at every till first: sales recorded during the copy may be left out."));
        addArgument(Text::tr("FROM"), tr("the database to copy from"));
        addArgument(Text::tr("TO"), tr("the database to copy to"));
        setArgumentProblem(tr("copy needs the database to copy from and the database to copy to"));
    }

private:
    int run() override
    {
        QElapsedTimer timer;
        timer.start();
        QList<CopiedTable> copied;
        {
            Progress progress(tr("Copying"), 0);
            copied = copyDatabase(arguments[0], arguments[1], &progress);
        }
        qint64 records = 0;
        for (const CopiedTable& t : copied) {
            out() << QString(t.table).leftJustified(14) << counted(t.records, "record", "records") << "\n";
            records += t.records;
        }
        out() << tr("copied %1 (%2) in %3 s")
                     .arg(counted(copied.size(), "table", "tables"), counted(records, "record", "records"),
                          seconds(timer))
              << "\n";
        return 0;
    }
};

class DemoCommand : public Command {
    Q_DECLARE_TR_FUNCTIONS(DemoCommand)

public:
    DemoCommand() : Command("demo")
    {
        setSummary(tr("create a new database in DIR with sample content"));
        setDescription(tr("Creates a new database in DIR (which must not exist or be empty) filled with invented "
                          "sample content in Spanish: every reference database, ten cards, thirty products and "
                          "fifty sales at till 1 over the last five days, none later than now. Try the program on "
                          "it with YERBALIS_DATA_DIR=DIR."));
        addArgument(Text::tr("DIR"), tr("the directory of the new database"));
        setArgumentProblem(tr("demo needs one directory"));
    }

private:
    int run() override
    {
        const QList<QPair<QString, qint64>> counts = createDemoDatabase(arguments[0]);
        for (const auto& c : counts)
            out() << QString(c.first).leftJustified(14) << counted(c.second, "record", "records") << "\n";
        out() << tr("demonstration database created in %1; try it with").arg(shown(arguments[0])) << "\n"
              << "  YERBALIS_DATA_DIR=" << shown(arguments[0]) << " yerbalis\n";
        return 0;
    }
};

class ReportCommand : public Command {
    Q_DECLARE_TR_FUNCTIONS(ReportCommand)

public:
    ReportCommand() : Command("report")
    {
        setSummary(tr("number of sales and total amount per day"));
        setDescription(tr("Prints for every day with sales the number of sales and their total amount, then the "
                          "grand total. DATE is YYYY-MM-DD; both ends are included."));
        addArgument(Text::tr("DIR"), databaseText());
        setArgumentProblem(tr("report needs one directory"));
        addValue(QStringLiteral("from"), Text::tr("DATE"), tr("the first day of the report"));
        addValue(QStringLiteral("to"), Text::tr("DATE"), tr("the last day of the report"));
        addFlag(QStringLiteral("by-till"), tr("one line per till and day, and a total per till"));
        addFlag(QStringLiteral("csv"),
                tr("write CSV (Day,Sales,Amount; with --by-till Day,Till,Sales,Amount) instead of a table"));
    }

private:
    bool takesDefaultDatabase(const QStringList& positional) const override { return positional.isEmpty(); }
    int run() override
    {
        QDate from, to;
        for (const char* option : {"from", "to"}) {
            if (!isSet(option))
                continue;
            const QDate d = parseDay(value(option));
            if (!d.isValid())
                throw UsageError{tr("'%1' is not a date; write it as YYYY-MM-DD").arg(value(option))};
            (qstrcmp(option, "from") == 0 ? from : to) = d;
        }
        if (from.isValid() && to.isValid() && from > to)
            throw UsageError{tr("the period ends before it begins")};
        const bool byTill = isSet("by-till");
        QList<DaySales> days;
        {
            Progress progress(tr("Adding up the sales"), 0);
            days = progress.during(0, [&] { return salesByDay(arguments[0], from, to, byTill); });
        }
        printSalesReport(out(), days, isSet("csv"), byTill);
        return 0;
    }
};

class ParadoxCommand : public ParadoxCommandBase {
    Q_DECLARE_TR_FUNCTIONS(ParadoxCommand)

public:
    ParadoxCommand() : ParadoxCommandBase("paradox")
    {
        setSummary(tr("show an old Paradox table as CSV"));
        setDescription(
            tr("Shows an old Paradox table (file versions 3 to 7) as CSV, in the form 'export' writes: a first line "
               "with the field names, texts in UTF-8, memo texts (from FILE.MB beside it) with their line breaks, "
               "dates YYYY-MM-DD, times HH:MM:SS, timestamps YYYY-MM-DD HH:MM:SS. A summary of the table goes to "
               "standard error. Binary, graphic and OLE fields come out empty."));
        addArgument(Text::tr("FILE.DB"), tr("the old table"));
        setArgumentProblem(tr("paradox needs one table file"));
        addValue(QStringLiteral("csv"), Text::tr("OUT"), tr("write the CSV to OUT instead of standard output"));
        addValue(QStringLiteral("codepage"), QStringLiteral("N"),
                 tr("read the texts in code page N (850, 1252 ...), whatever the table says"));
    }

private:
    int run() override
    {
        const QString source = arguments[0];
        const int cp = codePage();
        const QString target = isSet("csv") ? value("csv") : QStringLiteral("-");
        QStringList notes;
        {
            // Header and fields first: a file that is not a table is refused before any output.
            paradox::Table table(source, cp);
            notes = table.notes();
            err() << tr("%1: Paradox %2 table (version byte %3), %4, %5, texts in %6")
                         .arg(native(source), table.versionName())
                         .arg(table.versionByte())
                         .arg(counted(table.recordCount(), "record", "records"),
                              counted(table.fields().size(), "field", "fields"), table.textEncoding())
                  << "\n";
            for (const QString& note : notes)
                err() << tr("note: %1").arg(note) << "\n";
        }
        qint64 rows;
        QStringList readNotes;
        Progress progress(tr("Reading %1").arg(QFileInfo(source).fileName()), 0);
        if (target == QLatin1String("-")) {
            progress.disable();
            // Into memory first: a table damaged halfway writes nothing at all.
            QByteArray csv;
            QBuffer buffer(&csv);
            buffer.open(QIODevice::WriteOnly);
            rows = paradoxToCsv(source, &buffer, cp, nullptr, &readNotes);
            QFile stdOut;
            if (!stdOut.open(stdout, QIODevice::WriteOnly) || stdOut.write(csv) != csv.size() || !stdOut.flush())
                throw Error(tr("cannot write to standard output"));
        } else {
            QSaveFile file(target);
            if (!openPrivateFile(file))
                throw Error(tr("cannot write %1: %2").arg(native(target), file.errorString()));
            rows = paradoxToCsv(source, &file, cp, &progress, &readNotes);
            if (!file.commit())
                throw Error(tr("cannot write %1: %2").arg(native(target), file.errorString()));
        }
        progress.finish();
        err() << tr("read %1 of %2").arg(counted(rows, "record", "records"), native(source)) << "\n";
        for (const QString& note : readNotes)
            if (!notes.contains(note))
                err() << tr("note: %1").arg(note) << "\n";
        return 0;
    }
};

class MigrateCommand : public ParadoxCommandBase {
    Q_DECLARE_TR_FUNCTIONS(MigrateCommand)

public:
    MigrateCommand() : ParadoxCommandBase("migrate")
    {
        setSummary(tr("bring the old Paradox tables of OLD_DIR into DIR"));
        setDescription(
            tr("Brings the fourteen tables of an old database directory (a copy of C:\\YERBA1) into the database DIR. "
               "File and field names are matched without regard to case; every record is checked by the rules of the "
               "tables (text sizes, numbers, dates, required fields). All or nothing: at the first record that breaks "
               "a rule nothing is written, and the message names the table, the record and the field. A table missing "
               "in OLD_DIR, or found twice in it (Producto.db and PRODUCTO.DB), stops the migration before it writes. "
               "DIR must not exist, be an empty directory, or hold only empty tables (as 'create' makes them): the "
               "migration never mixes old records with others."));
        addArgument(Text::tr("OLD_DIR"), tr("the directory of the old tables"));
        addArgument(Text::tr("DIR"), tr("the directory of the new database"));
        setArgumentProblem(tr("migrate needs the old directory and the database directory"));
        addFlag(QStringLiteral("dry-run"), tr("read and check everything as the migration does, write nothing"));
        addFlag(QStringLiteral("allow-missing"), tr("leave the tables missing in OLD_DIR empty"));
        addValue(QStringLiteral("codepage"), QStringLiteral("N"),
                 tr("read the texts in code page N, whatever the tables say"));
    }

private:
    int run() override
    {
        const QString oldDir = arguments[0];
        const QString dir = arguments[1];
        const bool dryRun = isSet("dry-run");
        const int cp = codePage();
        QElapsedTimer timer;
        timer.start();
        MigrationResult r;
        try {
            // A table left empty for want of its file is the owner's choice, not a silent outcome.
            const QStringList missing = missingOldTables(oldDir);
            if (!missing.isEmpty() && !isSet("allow-missing"))
                throw Error((missing.size() == 1
                                 ? tr("%1 has no file for %2 (looked for without regard to case), which would be left "
                                      "empty. Copy it from the old computer, or run the migration again with "
                                      "--allow-missing to leave it empty")
                                 : tr("%1 has no file for %2 (looked for without regard to case), which would be left "
                                      "empty. Copy them from the old computer, or run the migration again with "
                                      "--allow-missing to leave them empty"))
                                .arg(shown(oldDir), missing.join(QStringLiteral(", "))));
            Progress progress(tr("Migrating"), 0);
            r = migrateDatabase(oldDir, dir, dryRun, cp, &progress);
        } catch (const Error& e) {
            throw Error(tr("%1\nNothing was written; %2 is unchanged.").arg(e.message(), shown(dir)));
        }
        qint64 read = 0, written = 0;
        for (const MigratedTable& t : r.tables) {
            out() << QString(t.table).leftJustified(14)
                  << tr(" read %1  written %2")
                         .arg(QString::number(t.read).rightJustified(8), QString::number(t.written).rightJustified(8));
            if (t.oldFile.isEmpty())
                out() << tr("  (missing in %1: left empty)").arg(shown(oldDir));
            else
                out() << tr("  from %1").arg(QFileInfo(t.oldFile).fileName());
            out() << "\n";
            for (const QString& note : t.notes)
                if (!t.oldFile.isEmpty())
                    out() << "    " << tr("note: %1").arg(note) << "\n";
            read += t.read;
            written += t.written;
        }
        if (dryRun)
            out() << tr("dry run: %1 read and checked, nothing written to %2 (%3 s)")
                         .arg(counted(read, "record", "records"), shown(dir), seconds(timer))
                  << "\n";
        else
            out() << tr("%1 read, %2 written into %3 in %4 s")
                         .arg(counted(read, "record", "records"))
                         .arg(written)
                         .arg(shown(dir), seconds(timer))
                  << "\n";
        return 0;
    }
};

} // namespace

std::vector<std::unique_ptr<Command>> allCommands()
{
    std::vector<std::unique_ptr<Command>> list;
    list.push_back(std::make_unique<CreateCommand>());
    list.push_back(std::make_unique<CheckCommand>());
    list.push_back(std::make_unique<ExportCommand>());
    list.push_back(std::make_unique<ImportCommand>());
    list.push_back(std::make_unique<BackupCommand>());
    list.push_back(std::make_unique<CopyCommand>());
    list.push_back(std::make_unique<DemoCommand>());
    list.push_back(std::make_unique<ReportCommand>());
    list.push_back(std::make_unique<ParadoxCommand>());
    list.push_back(std::make_unique<MigrateCommand>());
    return list;
}

} // namespace yb::admin
