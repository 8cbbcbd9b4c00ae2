// yerbalis-admin: the command-line companion of the program.
//   yerbalis-admin create DIR   creates an empty database (the fourteen tables)
//   yerbalis-admin check DIR    verifies schema and integrity of every table

#include "Catalogue.h"
#include "Database.h"
#include "Errors.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTextStream>

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

const char* usage =
    "Usage: yerbalis-admin COMMAND [ARGUMENTS]\n"
    "\n"
    "Commands:\n"
    "  create DIR   create an empty database with the fourteen tables in DIR\n"
    "  check DIR    verify the schema and integrity of every table in DIR\n"
    "\n"
    "Run 'yerbalis-admin COMMAND --help' for the help of one command.\n";

int create(const QStringList& args)
{
    if (args.size() != 1 || args[0] == QLatin1String("--help")) {
        out() << "Usage: yerbalis-admin create DIR\n"
                 "Creates DIR (when missing) with the fourteen empty tables. Tables that\n"
                 "already exist are left as they are.\n";
        return args.size() == 1 ? 0 : 2;
    }
    const QString dir = args[0];
    int created = 0;
    QDir().mkpath(dir);
    for (const yb::TableDef& t : yb::tables()) {
        const QString path = yb::Database::tablePath(dir, t.fileName);
        if (QFileInfo::exists(path)) {
            out() << "exists:  " << QDir::toNativeSeparators(path) << "\n";
            continue;
        }
        yb::Database::createTable(dir, t);
        out() << "created: " << QDir::toNativeSeparators(path) << "\n";
        ++created;
    }
    out() << created << " tables created in " << QDir::toNativeSeparators(dir) << "\n";
    return 0;
}

int check(const QStringList& args)
{
    if (args.size() != 1 || args[0] == QLatin1String("--help")) {
        out() << "Usage: yerbalis-admin check DIR\n"
                 "Verifies every table of DIR: present, readable, of the right structure,\n"
                 "undamaged, required fields filled and records in key order. Exits 1 and\n"
                 "names every problem when something is wrong.\n";
        return args.size() == 1 ? 0 : 2;
    }
    const QStringList problems = yb::Database::check(args[0]);
    if (problems.isEmpty()) {
        out() << "ok: " << yb::tables().size() << " tables checked in " << QDir::toNativeSeparators(args[0]) << "\n";
        return 0;
    }
    for (const QString& p : problems)
        err() << p << "\n";
    err() << problems.size() << " problem(s) found\n";
    return 1;
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
    const QString command = args.takeFirst();
    try {
        if (command == QLatin1String("create"))
            return create(args);
        if (command == QLatin1String("check"))
            return check(args);
        err() << "yerbalis-admin: unknown command '" << command << "'\n\n" << usage;
        return 2;
    } catch (const yb::Error& e) {
        err() << "yerbalis-admin: " << e.message() << "\n";
        return 1;
    }
}
