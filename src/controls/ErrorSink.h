#pragma once
// The one place where the errors that event handlers let through are
// reported. Every guard hands its error here directly; the application object
// installs the general error report as the sink, tests install a recorder.

#include <QString>
#include <exception>
#include <functional>

namespace yb {

// Takes the message of an error (as the error carries it, without the full
// stop the general error report adds).
using ErrorSink = std::function<void(const QString& message)>;

// Installs the sink and returns the one it replaces. An empty sink restores
// the fallback, which writes the message to the program's log output.
ErrorSink setErrorSink(ErrorSink sink);

// Reports the message through the installed sink.
void reportToSink(const QString& message);

// The message of an error: a store error's own message, a standard
// exception's what(), or a general text for anything else.
QString errorMessage(std::exception_ptr error);

// Reports an error caught while handling an event through the installed
// sink. The event being handled then finishes normally instead of being
// unwound through the toolkit.
void passOn(std::exception_ptr error);

// Runs the work of an event handler; an error aborts the rest of it and is passed on.
template <class F> void guard(F&& work)
{
    try {
        work();
    } catch (...) {
        passOn(std::current_exception());
    }
}

} // namespace yb
