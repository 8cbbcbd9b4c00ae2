#include "tools/Command.h"

#include "YerbalisVersion.h"
#include "store/Database.h"
#include "store/Errors.h"

#include <exception>

namespace yb::admin {

namespace {

const QString kTool = QStringLiteral("yerbalis-admin");

// The column where the texts of arguments and options begin; a longer name
// puts its text on the next line.
constexpr int kColumn = 20;

QString versionLine() { return QStringLiteral("yerbalis-admin %1\n").arg(QLatin1String(YERBALIS_VERSION)); }

// "  --separator C    text": a name and its wrapped text.
QString entry(const QString& left, const QString& text)
{
    QString line = QStringLiteral("  ") + left;
    if (line.size() + 2 > kColumn)
        line += QLatin1Char('\n') + QString(kColumn, QLatin1Char(' '));
    else
        line = line.leftJustified(kColumn);
    return line + wrapped(text, kColumn, 79 - kColumn) + QLatin1Char('\n');
}

QString optionName(const QString& name)
{
    return (name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name;
}

QString helpOptions()
{
    return entry(QStringLiteral("-h, --help"), Command::tr("show this help and exit")) +
        entry(QStringLiteral("--version"), Command::tr("show the version and exit"));
}

} // namespace

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

QString wrapped(const QString& text, int indent, int width)
{
    QStringList lines;
    for (const QString& paragraph : text.split(QLatin1Char('\n'))) {
        QString line;
        for (const QString& word : paragraph.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            if (!line.isEmpty() && line.size() + 1 + word.size() > width) {
                lines << line;
                line.clear();
            }
            line += (line.isEmpty() ? QString() : QStringLiteral(" ")) + word;
        }
        lines << line;
    }
    return lines.join(QLatin1Char('\n') + QString(indent, QLatin1Char(' ')));
}

void Command::addArgument(const QString& name, const QString& description, bool optional)
{
    arguments_ << Argument{name, description, optional};
    parser_.addPositionalArgument(name, description);
}

void Command::addFlag(const QString& name, const QString& description, bool hidden)
{
    QCommandLineOption option(name, description);
    if (hidden)
        option.setFlags(QCommandLineOption::HiddenFromHelp);
    options_ << option;
    parser_.addOption(option);
}

void Command::addValue(const QString& name, const QString& valueName, const QString& description)
{
    const QCommandLineOption option(name, description, valueName);
    options_ << option;
    parser_.addOption(option);
}

QString Command::synopsis() const
{
    QString s = name_;
    for (const Argument& a : arguments_)
        s += QLatin1Char(' ') + (a.optional ? QStringLiteral("[%1]").arg(a.name) : a.name);
    return s;
}

QString Command::help() const
{
    QString options;
    bool any = false;
    for (const QCommandLineOption& o : options_) {
        if (o.flags() & QCommandLineOption::HiddenFromHelp)
            continue;
        any = true;
        QString left = optionName(o.names().constFirst());
        if (!o.valueName().isEmpty())
            left += QLatin1Char(' ') + o.valueName();
        options += entry(left, o.description());
    }
    QString text = tr("Usage: %1").arg(kTool + QLatin1Char(' ') + synopsis()) +
        (any ? QLatin1Char(' ') + tr("[OPTIONS]") : QString()) + QLatin1Char('\n');
    text += wrapped(description_, 0) + QLatin1Char('\n');
    if (!arguments_.isEmpty()) {
        text += QLatin1Char('\n') + tr("Arguments:") + QLatin1Char('\n');
        for (const Argument& a : arguments_)
            text += entry(a.name, a.description);
    }
    text += QLatin1Char('\n') + tr("Options:") + QLatin1Char('\n') + options + helpOptions();
    return text;
}

void Command::parse(const QStringList& args)
{
    parser_.setSingleDashWordOptionMode(QCommandLineParser::ParseAsCompactedShortOptions);
    parser_.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsOptions);
    if (!parser_.parse(QStringList{kTool} + args)) {
        const QStringList unknown = parser_.unknownOptionNames();
        if (!unknown.isEmpty())
            throw UsageError{tr("unknown option '%1'").arg(optionName(unknown.constFirst()))};
        // Otherwise an option lacks its value or has one it does not take.
        for (const QString& a : args) {
            if (!a.startsWith(QLatin1String("--")))
                continue;
            const QString name = a.mid(2).section(QLatin1Char('='), 0, 0);
            for (const QCommandLineOption& o : options_)
                if (o.names().contains(name) && o.valueName().isEmpty() && a.contains(QLatin1Char('=')))
                    throw UsageError{tr("the option --%1 takes no value").arg(name)};
        }
        const QString last = args.isEmpty() ? QString() : args.constLast().mid(2);
        throw UsageError{tr("the option --%1 needs a value").arg(last)};
    }
    arguments = parser_.positionalArguments();
    if (!qEnvironmentVariableIsEmpty("YERBALIS_DATABASE") && takesDefaultDatabase(arguments))
        arguments.prepend(Database::defaultLocation());
    qsizetype required = 0;
    for (const Argument& a : arguments_)
        required += a.optional ? 0 : 1;
    if (arguments.size() < required || arguments.size() > arguments_.size())
        throw UsageError{argumentProblem_};
}

int Command::execute(const QStringList& args)
{
    // The help and the version win over anything else on the line.
    if (args.contains(QStringLiteral("--help")) || args.contains(QStringLiteral("-h"))) {
        out() << help();
        return 0;
    }
    if (args.contains(QStringLiteral("--version"))) {
        out() << versionLine();
        return 0;
    }
    parse(args);
    return run();
}

QString usage(const std::vector<std::unique_ptr<Command>>& commands)
{
    QString text =
        Command::tr("Usage: %1").arg(kTool + QLatin1Char(' ') + Command::tr("COMMAND [ARGUMENTS]")) + QLatin1Char('\n');
    text += QLatin1Char('\n') + Command::tr("Commands:") + QLatin1Char('\n');
    for (const auto& c : commands) {
        QString line = QStringLiteral("  ") + c->synopsis();
        line = line.size() + 2 > 30 ? line + QLatin1Char('\n') + QString(30, QLatin1Char(' ')) : line.leftJustified(30);
        text += line + wrapped(c->summary(), 30, 49) + QLatin1Char('\n');
    }
    text += QLatin1Char('\n') +
        wrapped(Command::tr("DIR is a database: a directory of table files, or a PostgreSQL connection URI "
                            "(postgresql://...). When YERBALIS_DATABASE is set, create, check, export, import, "
                            "backup and report may leave DIR out: the database it names is used."),
                0) +
        QLatin1Char('\n');
    text += QLatin1Char('\n') + Command::tr("Options:") + QLatin1Char('\n') + helpOptions();
    text += QLatin1Char('\n') +
        wrapped(Command::tr("Run 'yerbalis-admin COMMAND --help' for the help of one command."), 0) + QLatin1Char('\n');
    return text;
}

int runCommandLine(const QStringList& args)
{
    const std::vector<std::unique_ptr<Command>> commands = allCommands();
    if (args.isEmpty() || args[0] == QLatin1String("--help") || args[0] == QLatin1String("-h")) {
        (args.isEmpty() ? err() : out()) << usage(commands);
        return args.isEmpty() ? 2 : 0;
    }
    if (args[0] == QLatin1String("--version")) {
        out() << versionLine();
        return 0;
    }
    const QString name = args[0];
    Command* command = nullptr;
    for (const auto& c : commands)
        if (c->name() == name)
            command = c.get();
    if (!command) {
        err() << (name.startsWith(QLatin1Char('-')) ? Command::tr("yerbalis-admin: unknown option '%1'")
                                                    : Command::tr("yerbalis-admin: unknown command '%1'"))
                     .arg(name)
              << "\n\n"
              << usage(commands);
        return 2;
    }
    const QString prefix = kTool + QLatin1Char(' ') + name + QStringLiteral(": ");
    try {
        return command->execute(args.mid(1));
    } catch (const UsageError& e) {
        err() << prefix << e.message << "\n\n" << command->help();
        return 2;
    } catch (const yb::Error& e) {
        err() << prefix << e.message() << "\n";
        return 1;
    } catch (const std::exception& e) {
        err() << prefix << e.what() << "\n";
        return 1;
    }
}

} // namespace yb::admin
