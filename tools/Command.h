#pragma once
// One command of yerbalis-admin: its arguments and options, read by a
// QCommandLineParser, and the help text made from the same definitions.
// runCommandLine() picks the command named first and runs it; the usage text
// of the whole tool is made from every command's synopsis and summary.

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTextStream>
#include <memory>
#include <vector>

namespace yb::admin {

// The tool's standard output and standard error.
QTextStream& out();
QTextStream& err();

// A command line that does not fit the command: exit code 2.
struct UsageError {
    QString message;
};

class Command {
    Q_DECLARE_TR_FUNCTIONS(Command)

public:
    virtual ~Command() = default;
    Command(const Command&) = delete;
    Command& operator=(const Command&) = delete;

    QString name() const { return name_; }
    // "export DIR TABLE [FILE]": the command and its arguments.
    QString synopsis() const;
    // One line for the usage text.
    QString summary() const { return summary_; }
    // The whole help of the command: usage line, description, arguments, options.
    QString help() const;

    // Runs the command on the words after its name; returns the exit code.
    // Raises UsageError for a command line that does not fit, yb::Error when
    // the work fails.
    int execute(const QStringList& args);

protected:
    explicit Command(const char* name) : name_(QString::fromLatin1(name)) {}

    void setSummary(const QString& text) { summary_ = text; }
    // Paragraphs separated by line breaks; the help wraps them.
    void setDescription(const QString& text) { description_ = text; }
    // The positional arguments in order; optional ones come last. `problem`
    // is the message when their number does not fit.
    void addArgument(const QString& name, const QString& description, bool optional = false);
    void setArgumentProblem(const QString& problem) { argumentProblem_ = problem; }
    // An option without a value; `hidden` ones (other spellings) stay out of the help.
    void addFlag(const QString& name, const QString& description, bool hidden = false);
    void addValue(const QString& name, const QString& valueName, const QString& description);

    // Whether the database named by YERBALIS_DATABASE goes before `positional`.
    virtual bool takesDefaultDatabase(const QStringList& positional) const
    {
        Q_UNUSED(positional);
        return false;
    }
    virtual int run() = 0;

    bool isSet(const char* option) const { return parser_.isSet(QString::fromLatin1(option)); }
    QString value(const char* option) const { return parser_.value(QString::fromLatin1(option)); }
    // The positional arguments, with the default database put first when it applies.
    QStringList arguments;

private:
    struct Argument {
        QString name;
        QString description;
        bool optional;
    };
    void parse(const QStringList& args);

    QString name_;
    QString summary_;
    QString description_;
    QString argumentProblem_;
    QList<Argument> arguments_;
    QList<QCommandLineOption> options_;
    QCommandLineParser parser_;
};

// Every command, in the order of the usage text.
std::vector<std::unique_ptr<Command>> allCommands();

// The usage text of the whole tool.
QString usage(const std::vector<std::unique_ptr<Command>>& commands);

// The tool: the command named first in `args` (the words after the program's
// name) runs with the rest. Returns the exit code: 0 done, 1 failed, 2 a
// command line that does not fit.
int runCommandLine(const QStringList& args);

// `text` broken into lines of at most `width` characters, every line but the
// first indented by `indent`; line breaks in `text` begin new paragraphs.
QString wrapped(const QString& text, int indent, int width = 79);

} // namespace yb::admin
