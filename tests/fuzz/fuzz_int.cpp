// Fuzz target: the integer conversion of a text.

#include "store/Conversions.h"
#include "store/Errors.h"

#include <QString>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    const auto value = yb::tryTextToInt(text);
    if (value) {
        // What converts writes back as plain digits that convert to the same value.
        const auto again = yb::tryTextToInt(yb::intToText(*value));
        if (!again || *again != *value)
            std::abort();
    } else {
        try {
            yb::textToInt(text);
            std::abort(); // must have raised
        } catch (const yb::ConversionError& e) {
            if (!e.message().startsWith(QLatin1Char('\'')) ||
                !e.message().endsWith(QLatin1String("' is not a valid integer value")))
                std::abort();
        }
    }
    return 0;
}
