// yerbalis-admin: the command-line companion of the program.
//   create DIR                   an empty database (the fourteen tables)
//   check DIR                    verifies schema and integrity of every table
//   export DIR TABLE [FILE]      a table as CSV
//   import DIR TABLE FILE        CSV records into a table, all or nothing
//   backup DIR DEST              a consistent copy of every table, verified
//   copy FROM TO                 every table into another database (files or server)
//   demo DIR                     a new database with sample content
//   report DIR                   sales per day and in total
//   paradox FILE.DB              an old Paradox table as CSV
//   migrate OLD_DIR DIR          the fourteen old tables into a new database

#include "YerbalisVersion.h"
#include "store/Catalogue.h"
#include "store/Database.h"
#include "store/Errors.h"
#include "store/PrivateFiles.h"
#include "tools/Backup.h"
#include "tools/Copy.h"
#include "tools/Demo.h"
#include "tools/Paradox.h"
#include "tools/Progress.h"
#include "tools/Report.h"
#include "tools/TableTransfer.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTextStream>
#include <cstdio>
#include <functional>
#include <unistd.h>

namespace {

QTextStream& out()
{
    static QTextStream s(stdout);
    return s;
}
QTextStream& err()
{
    static QTextStream s(stderr);
    return s;
}

const char* usage = "Usage: yerbalis-admin COMMAND [ARGUMENTS]\n"
                    "\n"
                    "Commands:\n"
                    "  create DIR                  create an empty database with the fourteen tables in DIR\n"
                    "  check DIR                   verify the schema and integrity of every table in DIR\n"
                    "  export DIR TABLE [FILE]     write a table as CSV to FILE (or standard output)\n"
                    "  import DIR TABLE FILE       add the records of a CSV file to a table, all or nothing\n"
                    "  backup DIR DEST             copy every table to DEST, safely while the program runs\n"
                    "  copy FROM TO                copy the fourteen tables of one database into another\n"
                    "  demo DIR                    create a new database in DIR with sample content\n"
                    "  report DIR                  number of sales and total amount per day\n"
                    "  paradox FILE.DB             show an old Paradox table as CSV\n"
                    "  migrate OLD_DIR DIR         bring the old Paradox tables of OLD_DIR into DIR\n"
                    "\n"
                    "DIR is a database: a directory of table files, or a PostgreSQL connection URI\n"
                    "(postgresql://...). When YERBALIS_DATABASE is set, create, check, export,\n"
                    "import, backup and report may leave DIR out: the database it names is used.\n"
                    "\n"
                    "Run 'yerbalis-admin COMMAND --help' for the help of one command.\n"
                    "'yerbalis-admin --version' prints the version.\n";

// A command line that does not fit the command: exit code 2.
struct UsageError {
    QString message;
};

// The words of a command line: positional arguments, flags and options with a value.
struct Arguments {
    QStringList positional;
    QStringList flags;
    QHash<QString, QString> values;
};

Arguments parseArguments(const QStringList& args, const QStringList& flags, const QStringList& valued)
{
    Arguments a;
    for (int i = 0; i < args.size(); ++i) {
        const QString& w = args[i];
        if (w.startsWith(QLatin1String("--"))) {
            QString name = w, value;
            const qsizetype eq = w.indexOf(QLatin1Char('='));
            if (eq > 0) {
                name = w.left(eq);
                value = w.mid(eq + 1);
            }
            if (flags.contains(name) && eq < 0) {
                a.flags << name;
            } else if (valued.contains(name)) {
                if (eq < 0) {
                    if (i + 1 >= args.size())
                        throw UsageError{QStringLiteral("the option %1 needs a value").arg(name)};
                    value = args[++i];
                }
                a.values.insert(name, value);
            } else {
                throw UsageError{QStringLiteral("unknown option '%1'").arg(w)};
            }
        } else {
            a.positional << w;
        }
    }
    return a;
}

QString native(const QString& path) { return QDir::toNativeSeparators(path); }
// A database (directory or URI) as every message shows it: never with a password.
QString shown(const QString& location) { return yb::Database::shownLocation(location); }

// With YERBALIS_DATABASE set, a command may leave out its database: the
// location the variable names takes its place. A DIR given still wins.
void defaultDatabase(const QString& command, Arguments& a)
{
    if (qEnvironmentVariableIsEmpty("YERBALIS_DATABASE"))
        return;
    const QString location = yb::Database::defaultLocation();
    auto namesTable = [&](const QString& word) {
        if (yb::isServerLocation(word) || QFileInfo(word).isDir())
            return false;
        try {
            yb::admin::tableNamed(word);
            return true;
        } catch (const yb::Error&) {
            return false;
        }
    };
    const bool only =
        command == QLatin1String("create") || command == QLatin1String("check") || command == QLatin1String("report");
    const bool table = command == QLatin1String("export") || command == QLatin1String("import");
    if ((only && a.positional.isEmpty()) || (table && !a.positional.isEmpty() && namesTable(a.positional[0])) ||
        (command == QLatin1String("backup") && a.positional.size() == 1))
        a.positional.prepend(location);
}

yb::admin::CsvEncoding encodingOption(const Arguments& a)
{
    const QString name = a.values.value(QStringLiteral("--encoding"), QStringLiteral("utf-8"));
    const auto e = yb::admin::csvEncodingNamed(name);
    if (!e)
        throw UsageError{
            QStringLiteral("unknown encoding '%1'; the encodings are %2").arg(name, yb::admin::csvEncodingNames())};
    return *e;
}

// The separator option; 0 when it is not given.
char separatorOption(const Arguments& a)
{
    if (!a.values.contains(QStringLiteral("--separator")))
        return 0;
    const QString name = a.values.value(QStringLiteral("--separator"));
    const auto c = yb::admin::csvSeparatorNamed(name);
    if (!c)
        throw UsageError{
            QStringLiteral("'%1' cannot separate fields; give one character such as ';' or ',', or 'tab'").arg(name)};
    return *c;
}

// --no-neutralise (or --no-neutralize): texts that look like formulas as they stand.
bool neutraliseOff(const Arguments& a)
{
    return a.flags.contains(QStringLiteral("--no-neutralise")) || a.flags.contains(QStringLiteral("--no-neutralize"));
}

// "755": the owner's, the group's and the others' permissions of a file.
QString octalPermissions(const QString& path)
{
    const int p = int(QFileInfo(path).permissions());
    return QStringLiteral("%1%2%3").arg((p >> 12) & 7).arg((p >> 4) & 7).arg(p & 7);
}

QString seconds(const QElapsedTimer& t) { return QString::number(double(t.elapsed()) / 1000.0, 'f', 2); }

// ------------------------------------------------------------------ commands

int create(const Arguments& a)
{
    if (a.positional.size() != 1)
        throw UsageError{QStringLiteral("create needs one directory")};
    const QString dir = a.positional[0];
    const bool server = yb::isServerLocation(dir);
    int created = 0;
    if (!server && !yb::makePrivateDirectory(dir))
        throw yb::Error(QStringLiteral("cannot create the directory %1").arg(shown(dir)));
    const std::unique_ptr<yb::Engine> engine = yb::Database::open(dir);
    for (const yb::TableDef& t : yb::tables()) {
        const QString shown = server ? t.fileName : native(yb::Database::tablePath(dir, t.fileName));
        if (engine->hasTable(t)) {
            // A server's table of an older format is brought up to this one.
            if (server)
                engine->createTable(t);
            out() << "exists:  " << shown << "\n";
            continue;
        }
        engine->createTable(t);
        out() << "created: " << shown << "\n";
        ++created;
    }
    out() << yb::admin::counted(created, "table", "tables") << " created in " << shown(dir) << "\n";
    return 0;
}

int check(const Arguments& a)
{
    if (a.positional.size() != 1)
        throw UsageError{QStringLiteral("check needs one directory")};
    // As Database::check, a table at a time, so that a long check shows its progress.
    const QString dir = a.positional[0];
    QStringList problems;
    if (!yb::isServerLocation(dir) && !QFileInfo(dir).isDir()) {
        problems = yb::Database::check(dir);
    } else {
        const std::unique_ptr<yb::Engine> engine = yb::Database::open(dir);
        yb::admin::Progress progress(QStringLiteral("Checking"), yb::tables().size());
        int done = 0;
        for (const yb::TableDef& t : yb::tables()) {
            progress.setLabel(QStringLiteral("Checking %1").arg(t.fileName));
            problems += progress.during(done++, [&] { return engine->checkTable(t); });
        }
    }
    // The cards hold clients' illnesses and medication: a directory others may read is worth a word.
    if (!yb::isServerLocation(dir) && QFileInfo(dir).isDir() && yb::readableByOthers(dir))
        err() << "warning: other users of this computer can read " << shown(dir) << " (permissions "
              << octalPermissions(dir) << "); 'chmod 700' on it keeps the shop's data to you\n";
    // So is a table file made before the files were made private.
    if (!yb::isServerLocation(dir) && QFileInfo(dir).isDir())
        for (const yb::TableDef& t : yb::tables())
            if (const QString path = yb::Database::tablePath(dir, t.fileName);
                QFileInfo(path).isFile() && yb::readableByOthers(path))
                err() << "warning: other users of this computer can read " << QDir::toNativeSeparators(path)
                      << " (permissions " << octalPermissions(path) << "); 'chmod 600' on it keeps it to you\n";
    if (problems.isEmpty()) {
        out() << "ok: " << yb::admin::counted(yb::tables().size(), "table", "tables") << " checked in "
              << shown(a.positional[0]) << "\n";
        return 0;
    }
    for (const QString& p : problems)
        err() << p << "\n";
    err() << yb::admin::counted(problems.size(), "problem", "problems") << " found\n";
    return 1;
}

int exportCommand(const Arguments& a)
{
    if (a.positional.size() < 2 || a.positional.size() > 3)
        throw UsageError{QStringLiteral("export needs a directory, a table and optionally a file")};
    const QString dir = a.positional[0];
    const yb::TableDef& table = yb::admin::tableNamed(a.positional[1]);
    const QString target = a.positional.value(2, QStringLiteral("-"));
    const bool bom = a.flags.contains(QStringLiteral("--bom"));
    const bool guard = !neutraliseOff(a);
    const yb::admin::CsvEncoding encoding = encodingOption(a);
    const char separator = a.values.contains(QStringLiteral("--separator")) ? separatorOption(a) : ',';
    if (bom && encoding != yb::admin::CsvEncoding::Utf8)
        throw UsageError{QStringLiteral("--bom marks UTF-8 text; it does not go with another --encoding")};
    static const char kBom[] = "\xEF\xBB\xBF";
    QElapsedTimer timer;
    timer.start();
    qint64 rows;
    {
        yb::admin::Progress progress(QStringLiteral("Exporting %1").arg(table.fileName), 0);
        if (target == QLatin1String("-")) {
            if (isatty(fileno(stdout)))
                progress.disable(); // a bar would garble the records on the same screen
            QFile stdOut;
            if (!stdOut.open(stdout, QIODevice::WriteOnly))
                throw yb::Error(QStringLiteral("cannot write to standard output"));
            if (bom)
                stdOut.write(kBom, 3);
            rows = yb::admin::exportTable(dir, table, &stdOut, &progress, separator, encoding, guard);
        } else {
            // Written beside the target and renamed into place: a failed export leaves no half file.
            QSaveFile file(target);
            if (!yb::openPrivateFile(file))
                throw yb::Error(QStringLiteral("cannot write %1: %2").arg(native(target), file.errorString()));
            if (bom)
                file.write(kBom, 3);
            rows = yb::admin::exportTable(dir, table, &file, &progress, separator, encoding, guard);
            if (!file.commit())
                throw yb::Error(QStringLiteral("cannot write %1: %2").arg(native(target), file.errorString()));
        }
    }
    // With the CSV on standard output, the summary goes to standard error.
    (target == QLatin1String("-") ? err() : out()) << "exported " << yb::admin::counted(rows, "record", "records")
                                                   << " of " << table.fileName << " in " << seconds(timer) << " s\n";
    return 0;
}

int importCommand(const Arguments& a)
{
    if (a.positional.size() != 3)
        throw UsageError{QStringLiteral("import needs a directory, a table and a file")};
    const QString dir = a.positional[0];
    const yb::TableDef& table = yb::admin::tableNamed(a.positional[1]);
    const QString source = a.positional[2];
    yb::admin::ImportOptions options;
    options.replace = a.flags.contains(QStringLiteral("--replace"));
    if (a.flags.contains(QStringLiteral("--skip-existing"))) {
        if (options.replace)
            throw UsageError{QStringLiteral("--replace and --skip-existing exclude each other")};
        options.existing = yb::admin::ExistingKeys::Skip;
    }
    options.separator = separatorOption(a);
    options.encoding = encodingOption(a);
    options.guardFormulas = !neutraliseOff(a);
    const bool replace = options.replace;
    QFile file;
    if (source == QLatin1String("-")) {
        if (!file.open(stdin, QIODevice::ReadOnly))
            throw yb::Error(QStringLiteral("cannot read standard input"));
    } else {
        file.setFileName(source);
        if (!file.open(QIODevice::ReadOnly))
            throw yb::Error(QStringLiteral("cannot read %1: %2").arg(native(source), file.errorString()));
    }
    QElapsedTimer timer;
    timer.start();
    yb::admin::ImportResult result;
    try {
        yb::admin::Progress progress(QStringLiteral("Importing into %1").arg(table.fileName),
                                     source == QLatin1String("-") ? 0 : file.size());
        result = yb::admin::importTable(dir, table, &file, options, &progress);
    } catch (const yb::Error& e) {
        throw yb::Error(QStringLiteral("cannot import into %1: %2\nNothing was imported; the table is unchanged.")
                            .arg(table.fileName, e.message()));
    }
    out() << "imported " << yb::admin::counted(result.imported, "record", "records") << " into " << table.fileName
          << (replace ? " (replacing its records)" : "");
    if (result.skipped)
        out() << "; skipped " << yb::admin::counted(result.skipped, "record", "records") << " whose "
              << (result.skipped == 1 ? "key is" : "keys are") << " already in the table";
    out() << " in " << seconds(timer) << " s\n";
    return 0;
}

int backupCommand(const Arguments& a)
{
    if (a.positional.size() != 2)
        throw UsageError{QStringLiteral("backup needs the database directory and the backup directory")};
    QElapsedTimer timer;
    timer.start();
    yb::admin::BackupResult r;
    {
        yb::admin::Progress progress(QStringLiteral("Backing up"), 0);
        r = yb::admin::backupDatabase(a.positional[0], a.positional[1], &progress);
    }
    out() << "backed up " << yb::admin::counted(r.tables, "table", "tables") << " ("
          << yb::admin::counted(r.records, "record", "records") << ", " << r.bytes / 1024 << " KiB) to "
          << shown(a.positional[1]) << " in " << seconds(timer) << " s; the copy passes the check\n";
    return 0;
}

int copyCommand(const Arguments& a)
{
    if (a.positional.size() != 2)
        throw UsageError{QStringLiteral("copy needs the database to copy from and the database to copy to")};
    QElapsedTimer timer;
    timer.start();
    QList<yb::admin::CopiedTable> tables;
    {
        yb::admin::Progress progress(QStringLiteral("Copying"), 0);
        tables = yb::admin::copyDatabase(a.positional[0], a.positional[1], &progress);
    }
    qint64 records = 0;
    for (const yb::admin::CopiedTable& t : tables) {
        out() << QString(t.table).leftJustified(14) << yb::admin::counted(t.records, "record", "records") << "\n";
        records += t.records;
    }
    out() << "copied " << yb::admin::counted(tables.size(), "table", "tables") << " ("
          << yb::admin::counted(records, "record", "records") << ") in " << seconds(timer) << " s\n";
    return 0;
}

int demoCommand(const Arguments& a)
{
    if (a.positional.size() != 1)
        throw UsageError{QStringLiteral("demo needs one directory")};
    const QList<QPair<QString, qint64>> counts = yb::admin::createDemoDatabase(a.positional[0]);
    for (const auto& c : counts)
        out() << QString(c.first).leftJustified(14) << yb::admin::counted(c.second, "record", "records") << "\n";
    out() << "demonstration database created in " << shown(a.positional[0]) << "; try it with\n"
          << "  YERBALIS_DATA_DIR=" << shown(a.positional[0]) << " yerbalis\n";
    return 0;
}

int reportCommand(const Arguments& a)
{
    if (a.positional.size() != 1)
        throw UsageError{QStringLiteral("report needs one directory")};
    QDate from, to;
    for (const QString& opt : {QStringLiteral("--from"), QStringLiteral("--to")}) {
        if (!a.values.contains(opt))
            continue;
        const QDate d = yb::admin::parseDay(a.values.value(opt));
        if (!d.isValid())
            throw UsageError{QStringLiteral("'%1' is not a date; write it as YYYY-MM-DD").arg(a.values.value(opt))};
        (opt == QLatin1String("--from") ? from : to) = d;
    }
    if (from.isValid() && to.isValid() && from > to)
        throw UsageError{QStringLiteral("the period ends before it begins")};
    const bool byTill = a.flags.contains(QStringLiteral("--by-till"));
    QList<yb::admin::DaySales> days;
    {
        yb::admin::Progress progress(QStringLiteral("Adding up the sales"), 0);
        days = progress.during(0, [&] { return yb::admin::salesByDay(a.positional[0], from, to, byTill); });
    }
    yb::admin::printSalesReport(out(), days, a.flags.contains(QStringLiteral("--csv")), byTill);
    return 0;
}

// --codepage N: the code page of old tables that name none or name a wrong one.
int codePageOption(const Arguments& a)
{
    if (!a.values.contains(QStringLiteral("--codepage")))
        return 0;
    bool ok = false;
    const int cp = a.values.value(QStringLiteral("--codepage")).toInt(&ok);
    if (!ok || cp <= 0 || cp > 65535)
        throw UsageError{QStringLiteral("'%1' is not a code page number (for example 850 or 1252)")
                             .arg(a.values.value(QStringLiteral("--codepage")))};
    return cp;
}

int paradoxCommand(const Arguments& a)
{
    if (a.positional.size() != 1)
        throw UsageError{QStringLiteral("paradox needs one table file")};
    const QString source = a.positional[0];
    const int codePage = codePageOption(a);
    const QString target = a.values.value(QStringLiteral("--csv"), QStringLiteral("-"));
    QStringList notes;
    {
        // Header and fields first: a file that is not a table is refused before any output.
        yb::paradox::Table table(source, codePage);
        notes = table.notes();
        err() << native(source) << ": Paradox " << table.versionName() << " table (version byte " << table.versionByte()
              << "), " << yb::admin::counted(table.recordCount(), "record", "records") << ", "
              << yb::admin::counted(table.fields().size(), "field", "fields") << ", texts in " << table.textEncoding()
              << "\n";
        for (const QString& note : notes)
            err() << "note: " << note << "\n";
    }
    qint64 rows;
    QStringList readNotes;
    yb::admin::Progress progress(QStringLiteral("Reading %1").arg(QFileInfo(source).fileName()), 0);
    if (target == QLatin1String("-")) {
        progress.disable();
        // Into memory first: a table damaged halfway writes nothing at all.
        QByteArray csv;
        QBuffer buffer(&csv);
        buffer.open(QIODevice::WriteOnly);
        rows = yb::admin::paradoxToCsv(source, &buffer, codePage, nullptr, &readNotes);
        QFile stdOut;
        if (!stdOut.open(stdout, QIODevice::WriteOnly) || stdOut.write(csv) != csv.size() || !stdOut.flush())
            throw yb::Error(QStringLiteral("cannot write to standard output"));
    } else {
        QSaveFile file(target);
        if (!yb::openPrivateFile(file))
            throw yb::Error(QStringLiteral("cannot write %1: %2").arg(native(target), file.errorString()));
        rows = yb::admin::paradoxToCsv(source, &file, codePage, &progress, &readNotes);
        if (!file.commit())
            throw yb::Error(QStringLiteral("cannot write %1: %2").arg(native(target), file.errorString()));
    }
    progress.finish();
    err() << "read " << yb::admin::counted(rows, "record", "records") << " of " << native(source) << "\n";
    for (const QString& note : readNotes)
        if (!notes.contains(note))
            err() << "note: " << note << "\n";
    return 0;
}

int migrateCommand(const Arguments& a)
{
    if (a.positional.size() != 2)
        throw UsageError{QStringLiteral("migrate needs the old directory and the database directory")};
    const QString oldDir = a.positional[0];
    const QString dir = a.positional[1];
    const bool dryRun = a.flags.contains(QStringLiteral("--dry-run"));
    const int codePage = codePageOption(a);
    QElapsedTimer timer;
    timer.start();
    yb::admin::MigrationResult r;
    try {
        // A table left empty for want of its file is the owner's choice, not a silent outcome.
        const QStringList missing = yb::admin::missingOldTables(oldDir);
        if (!missing.isEmpty() && !a.flags.contains(QStringLiteral("--allow-missing")))
            throw yb::Error(QStringLiteral("%1 has no file for %2 (looked for without regard to case), which would be "
                                           "left empty. Copy %3 from the old computer, or run the migration again "
                                           "with --allow-missing to leave %3 empty")
                                .arg(shown(oldDir), missing.join(QStringLiteral(", ")),
                                     missing.size() == 1 ? QStringLiteral("it") : QStringLiteral("them")));
        yb::admin::Progress progress(QStringLiteral("Migrating"), 0);
        r = yb::admin::migrateDatabase(oldDir, dir, dryRun, codePage, &progress);
    } catch (const yb::Error& e) {
        throw yb::Error(QStringLiteral("%1\nNothing was written; %2 is unchanged.").arg(e.message(), shown(dir)));
    }
    qint64 read = 0, written = 0;
    for (const yb::admin::MigratedTable& t : r.tables) {
        out() << QString(t.table).leftJustified(14) << " read " << QString::number(t.read).rightJustified(8)
              << "  written " << QString::number(t.written).rightJustified(8);
        if (t.oldFile.isEmpty())
            out() << "  (missing in " << shown(oldDir) << ": left empty)";
        else
            out() << "  from " << QFileInfo(t.oldFile).fileName();
        out() << "\n";
        for (const QString& note : t.notes)
            if (!t.oldFile.isEmpty())
                out() << "    note: " << note << "\n";
        read += t.read;
        written += t.written;
    }
    if (dryRun)
        out() << "dry run: " << yb::admin::counted(read, "record", "records")
              << " read and checked, nothing written to " << shown(dir) << " (" << seconds(timer) << " s)\n";
    else
        out() << yb::admin::counted(read, "record", "records") << " read, " << written << " written into " << shown(dir)
              << " in " << seconds(timer) << " s\n";
    return 0;
}

struct Command {
    const char* name;
    QStringList flags;
    QStringList valued;
    const char* help;
    std::function<int(const Arguments&)> run;
};

const QList<Command>& commands()
{
    static const QList<Command> list = {
        {"create",
         {},
         {},
         "Usage: yerbalis-admin create DIR\n"
         "Creates DIR (when missing) with the fourteen empty tables. Tables that\n"
         "already exist are left as they are.\n",
         create},
        {"check",
         {},
         {},
         "Usage: yerbalis-admin check DIR\n"
         "Verifies every table of DIR: present, readable, of the right structure,\n"
         "undamaged, required fields filled and records in key order. Exits 1 and\n"
         "names every problem when something is wrong. Warns when other users of the\n"
         "computer can read the directory DIR.\n",
         check},
        {"export",
         {QStringLiteral("--bom"), QStringLiteral("--no-neutralise"), QStringLiteral("--no-neutralize")},
         {QStringLiteral("--separator"), QStringLiteral("--encoding")},
         "Usage: yerbalis-admin export DIR TABLE [FILE] [--bom] [--separator C] [--encoding E]\n"
         "                            [--no-neutralise]\n"
         "Writes the records of TABLE (for example Producto.db or producto) as CSV\n"
         "to FILE, or to standard output when FILE is missing or '-'. The first line\n"
         "names the fields; records are in the table's own order. Texts are UTF-8,\n"
         "dates YYYY-MM-DD HH:MM:SS; a field with a comma, a quote or a line break\n"
         "is quoted (RFC 4180). A text that begins with =, +, -, @, a tab or a\n"
         "carriage return gets an apostrophe in front, so that a spreadsheet shows\n"
         "it instead of running it as a formula ('import' takes the apostrophe away\n"
         "again). The table is read as it is at one moment, even while the program\n"
         "writes to it.\n"
         "  --bom   begin with a UTF-8 byte order mark, for spreadsheet programs\n"
         "          that otherwise misread accents ('import' accepts either)\n"
         "  --separator C   separate fields with C instead of a comma (';', or 'tab')\n"
         "  --encoding E    write E instead of UTF-8: windows-1252 or iso-8859-1; a\n"
         "                  text with a character E lacks stops the export\n"
         "  --no-neutralise write every text as it is, without that apostrophe\n"
         "                  (import such a file with --no-neutralise too)\n",
         exportCommand},
        {"import",
         {QStringLiteral("--replace"), QStringLiteral("--skip-existing"), QStringLiteral("--no-neutralise"),
          QStringLiteral("--no-neutralize")},
         {QStringLiteral("--separator"), QStringLiteral("--encoding")},
         "Usage: yerbalis-admin import DIR TABLE FILE [--replace | --skip-existing]\n"
         "                            [--separator C] [--encoding E] [--no-neutralise]\n"
         "Adds the records of the CSV file FILE ('-': standard input) to TABLE. The\n"
         "first line names the fields (in any order; fields left out stay empty).\n"
         "Every record is checked: integers (whole numbers) and dates readable, texts\n"
         "no longer than their field, required fields filled, no repeated product\n"
         "code. Dates are YYYY-MM-DD HH:MM:SS or, when the system's regional settings\n"
         "put the day first (es_ES), also as spreadsheets write them: 9/12/2026 10:15,\n"
         "09/12/26 10:15:00. Either every record is imported or, at the first record\n"
         "that breaks a rule, none is: the message names the row, the field and the\n"
         "problem. The apostrophe that 'export' puts before a text beginning with =,\n"
         "+, -, @, a tab or a carriage return is taken away.\n"
         "When records of the file have keys that the table already holds (the same\n"
         "text in the table's index field; in Producto.db the same Codigo), nothing\n"
         "is imported: the message counts them (exit code 1), so that importing a\n"
         "file twice never doubles its records; either choice below loses one\n"
         "version, so the choice is yours:\n"
         "  --replace         delete the table's records first (undone, too, on failure)\n"
         "  --skip-existing   keep the table's records and leave out the file's records\n"
         "                    with the same keys; the others are added\n"
         "  --separator C     fields are separated by C; without it the header line\n"
         "                    decides between ',', ';' and tab\n"
         "  --encoding E      the file is in E: utf-8 (the default), windows-1252 or\n"
         "                    iso-8859-1 (as spreadsheets in Spanish often save it)\n"
         "  --no-neutralise   take every text as it stands, apostrophes included (for\n"
         "                    a file exported with --no-neutralise)\n",
         importCommand},
        {"backup",
         {},
         {},
         "Usage: yerbalis-admin backup DIR DEST\n"
         "Copies the fourteen tables of DIR into the directory DEST (created when\n"
         "missing; it must not hold tables yet). The copy shows the tables as they\n"
         "were at one moment, even while the program is running and selling, and is\n"
         "verified as 'check' does before the command reports success. To restore,\n"
         "close the program and copy the files of DEST back into the database\n"
         "directory.\n",
         backupCommand},
        {"demo",
         {},
         {},
         "Usage: yerbalis-admin demo DIR\n"
         "Creates a new database in DIR (which must not exist or be empty) filled\n"
         "with invented sample content in Spanish: every reference database, ten\n"
         "cards, thirty products and fifty sales at till 1 over the last five days,\n"
         "none later than now. Try the program on it with YERBALIS_DATA_DIR=DIR.\n",
         demoCommand},
        {"copy",
         {},
         {},
         "Usage: yerbalis-admin copy FROM TO\n"
         "Copies the records of the fourteen tables of the database FROM into the\n"
         "database TO; each is a directory of table files or a PostgreSQL URI\n"
         "(postgresql://...), so a shop moves from its files to a server and back.\n"
         "All or nothing: when anything fails, TO is left as it was. TO must not\n"
         "exist yet, be an empty directory, or hold only empty tables (as 'create'\n"
         "makes them; on a server the missing tables are made). Close the program at\n"
         "every till first: sales recorded during the copy may be left out.\n",
         copyCommand},
        {"report",
         {QStringLiteral("--csv"), QStringLiteral("--by-till")},
         {QStringLiteral("--from"), QStringLiteral("--to")},
         "Usage: yerbalis-admin report DIR [--from DATE] [--to DATE] [--by-till] [--csv]\n"
         "Prints for every day with sales the number of sales and their total\n"
         "amount, then the grand total. DATE is YYYY-MM-DD; both ends are included.\n"
         "  --by-till   one line per till and day, and a total per till\n"
         "  --csv       write CSV (Day,Sales,Amount; with --by-till Day,Till,Sales,\n"
         "              Amount) instead of a table\n",
         reportCommand},
        {"paradox",
         {},
         {QStringLiteral("--csv"), QStringLiteral("--codepage")},
         "Usage: yerbalis-admin paradox FILE.DB [--csv OUT] [--codepage N]\n"
         "Shows an old Paradox table (file versions 3 to 7) as CSV, in the form\n"
         "'export' writes: a first line with the field names, texts in UTF-8, memo\n"
         "texts (from FILE.MB beside it) with their line breaks, dates YYYY-MM-DD,\n"
         "times HH:MM:SS, timestamps YYYY-MM-DD HH:MM:SS. A summary of the table goes\n"
         "to standard error. Binary, graphic and OLE fields come out empty.\n"
         "  --csv OUT      write the CSV to OUT instead of standard output\n"
         "  --codepage N   read the texts in code page N (850, 1252 ...), whatever\n"
         "                 the table says\n",
         paradoxCommand},
        {"migrate",
         {QStringLiteral("--dry-run"), QStringLiteral("--allow-missing")},
         {QStringLiteral("--codepage")},
         "Usage: yerbalis-admin migrate OLD_DIR DIR [--dry-run] [--allow-missing] [--codepage N]\n"
         "Brings the fourteen tables of an old database directory (a copy of\n"
         "C:\\YERBA1) into the database DIR. File and field names are matched without\n"
         "regard to case; every record is checked by the rules of the tables (text\n"
         "sizes, numbers, dates, required fields). All or nothing: at the first record\n"
         "that breaks a rule nothing is written, and the message names the table, the\n"
         "record and the field. A table missing in OLD_DIR, or found twice in it\n"
         "(Producto.db and PRODUCTO.DB), stops the migration before it writes.\n"
         "DIR must not exist, be an empty directory, or hold only empty tables (as\n"
         "'create' makes them): the migration never mixes old records with others.\n"
         "  --dry-run         read and check everything as the migration does, write\n"
         "                    nothing\n"
         "  --allow-missing   leave the tables missing in OLD_DIR empty\n"
         "  --codepage N      read the texts in code page N, whatever the tables say\n",
         migrateCommand},
    };
    return list;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    if (args.isEmpty() || args[0] == QLatin1String("--help") || args[0] == QLatin1String("-h")) {
        (args.isEmpty() ? err() : out()) << usage;
        return args.isEmpty() ? 2 : 0;
    }
    if (args[0] == QLatin1String("--version")) {
        out() << "yerbalis-admin " << YERBALIS_VERSION << "\n";
        return 0;
    }
    const QString name = args.takeFirst();
    const Command* command = nullptr;
    for (const Command& c : commands())
        if (name == QLatin1String(c.name))
            command = &c;
    if (!command) {
        err() << "yerbalis-admin: unknown command '" << name << "'\n\n" << usage;
        return 2;
    }
    if (args.contains(QStringLiteral("--help")) || args.contains(QStringLiteral("-h"))) {
        out() << command->help;
        return 0;
    }
    try {
        Arguments parsed = parseArguments(args, command->flags, command->valued);
        defaultDatabase(name, parsed);
        return command->run(parsed);
    } catch (const UsageError& e) {
        err() << "yerbalis-admin " << name << ": " << e.message << "\n\n" << command->help;
        return 2;
    } catch (const yb::Error& e) {
        err() << "yerbalis-admin " << name << ": " << e.message() << "\n";
        return 1;
    } catch (const std::exception& e) {
        err() << "yerbalis-admin " << name << ": " << e.what() << "\n";
        return 1;
    }
}
