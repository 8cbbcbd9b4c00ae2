#include "shop/Sale.h"

#include "store/Conversions.h"
#include "store/Errors.h"

#include <QCoreApplication>
#include <QUuid>
#include <limits>

namespace yb {

namespace {
// The messages of this unit, in the catalogue's context yb::Shop.
struct Text {
    Q_DECLARE_TR_FUNCTIONS(yb::Shop)
};
} // namespace

QString saleLine(const QString& codeText, const QString& description, const QString& priceText)
{
    return codeText.rightJustified(10) + QLatin1Char(' ') + description.leftJustified(30) + QLatin1Char(' ') +
        priceText.rightJustified(10);
}

int32_t addToTotal(int32_t total, int32_t amount)
{
    const qint64 sum = qint64(total) + qint64(amount);
    if (sum > std::numeric_limits<int32_t>::max() || sum < std::numeric_limits<int32_t>::min())
        throw yb::Error(Text::tr("The total of the purchase would exceed %1: the sale was not recorded")
                            .arg(sum > 0 ? std::numeric_limits<int32_t>::max() : std::numeric_limits<int32_t>::min()));
    return int32_t(sum);
}

bool Till::lookup(const QString& codeText)
{
    forget();
    // A code that is not a number or names no product leaves the product
    // cursor on its first record; one that is found costs only its search.
    int32_t code = 0;
    try {
        code = yb::textToInt(codeText);
    } catch (const yb::Error&) {
        productos_->first();
        throw;
    }
    if (!productos_->locate(QStringLiteral("Codigo"), QVariant(code), yb::LocateNone)) {
        productos_->first();
        missed_ = codeText;
        return false;
    }
    found_ = Found{codeText, productos_->bookmark()};
    return true;
}

int tillNumber()
{
    const QByteArray raw = qgetenv("YERBALIS_TILL");
    if (raw.isNull())
        return 1;
    const QString text = QString::fromLocal8Bit(raw).trimmed();
    bool ok = false;
    const int n = text.toInt(&ok);
    if (!ok || n < 1 || n > 99 || text.startsWith(QLatin1Char('+')))
        throw Error(
            Text::tr("YERBALIS_TILL must be a till number from 1 to 99, not '%1'").arg(QString::fromLocal8Bit(raw)));
    return n;
}

QString tillNumberText() { return QString::number(tillNumber()); }

Till::Sale Till::record(const QString& codeText, const QString& tillText, int32_t total, const QDateTime& when)
{
    // Everything is checked before the sale record is started.
    const int32_t code = yb::textToInt(codeText);
    if (!found_ || found_->codeText != codeText) {
        if (!found_ && missed_ == codeText)
            throw yb::Error(QStringLiteral("Ese producto no existe"));
        throw yb::Error(Text::tr("Press Enter in the code box to look up the product before recording the sale"));
    }
    if (productos_->isEditing() || !(productos_->bookmark() == found_->bookmark)) {
        forget();
        throw yb::Error(
            Text::tr("The product shown is not the one of the code: press Enter in the code box to look it up again"));
    }
    const yb::Field& codigo = productos_->fieldByName(QStringLiteral("Codigo"));
    const yb::Field& precio = productos_->fieldByName(QStringLiteral("Precio"));
    const QString description = productos_->fieldByName(QStringLiteral("Descripcion")).asString();
    if (codigo.isNull() || codigo.asInteger() != code || precio.isNull()) {
        forget();
        throw yb::Error(QStringLiteral("Ese producto no existe"));
    }
    const int32_t price = int32_t(precio.asInteger());
    const int32_t till = yb::textToInt(tillText);
    const int32_t newTotal = addToTotal(total, price);

    // One durable transaction. A record that cannot be written is dropped.
    const bool retry = pending_ && pending_->codeText == codeText && pending_->product == found_->bookmark;
    const QString id = retry ? pending_->id : QUuid::createUuid().toString(QUuid::WithoutBraces);
    pending_.reset();
    if (ventas_->isEditing())
        ventas_->cancel();
    try {
        ventas_->append();
        ventas_->setInsertToken(id);
        ventas_->fieldByName(QStringLiteral("Caja")).setAsInteger(till);
        ventas_->fieldByName(QStringLiteral("Fecha y Hora")).setAsDateTime(when);
        ventas_->fieldByName(QStringLiteral("Codigo")).setAsInteger(code);
        ventas_->fieldByName(QStringLiteral("Importe")).setAsInteger(price);
        ventas_->fieldByName(QStringLiteral("producto")).setAsString(description);
        ventas_->post();
    } catch (const yb::EngineError& e) {
        if (ventas_->isEditing())
            ventas_->cancel();
        // The cashier learns whether the sale is in the table.
        if (e.code() == yb::kWriteUnknown) {
            pending_ = Pending{codeText, found_->bookmark, id};
            throw yb::Error(Text::tr("Whether the sale was recorded is not known (%1). When the connection is "
                                     "back, record the same sale again: if it was already recorded, it will not be "
                                     "recorded twice")
                                .arg(e.message()));
        }
        if (e.code() == yb::kWriteNotStored)
            throw yb::Error(Text::tr("The sale was not recorded (%1)").arg(e.message()));
        throw;
    } catch (...) {
        if (ventas_->isEditing())
            ventas_->cancel();
        throw;
    }
    const bool already = ventas_->lastPostAlreadyStored();
    forget();
    return {saleLine(codeText, description, yb::intToText(price)), newTotal, description, price, already};
}

} // namespace yb
