#include "controls/ErrorSink.h"

#include "store/Errors.h"

#include <QCoreApplication>
#include <QtGlobal>
#include <utility>

namespace yb {

namespace {
// The messages of this unit, in the catalogue's context yb::Controls.
struct Text {
    Q_DECLARE_TR_FUNCTIONS(yb::Controls)
};
} // namespace

namespace {
ErrorSink& installedSink()
{
    static ErrorSink sink;
    return sink;
}
} // namespace

ErrorSink setErrorSink(ErrorSink sink) { return std::exchange(installedSink(), std::move(sink)); }

void reportToSink(const QString& message)
{
    // A copy: the sink may install another one while it runs (a box's
    // nested event loop runs other handlers).
    const ErrorSink sink = installedSink();
    if (sink)
        sink(message);
    else
        qCritical("%s", qUtf8Printable(message));
}

QString errorMessage(std::exception_ptr error)
{
    try {
        std::rethrow_exception(std::move(error));
    } catch (const Error& e) {
        return e.message();
    } catch (const std::exception& e) {
        return QString::fromLocal8Bit(e.what());
    } catch (...) {
        return Text::tr("Unknown error");
    }
}

void passOn(std::exception_ptr error)
{
    if (error)
        reportToSink(errorMessage(std::move(error)));
}

} // namespace yb
