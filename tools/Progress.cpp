#include "tools/Progress.h"

#include <cstdio>
#include <unistd.h>

namespace yb::admin {

bool Progress::wanted()
{
    const QByteArray forced = qgetenv("YERBALIS_PROGRESS");
    if (forced == "0")
        return false;
    if (forced == "1")
        return true;
    return isatty(fileno(stderr)) != 0;
}

Progress::Progress(QString label, qint64 total) : label_(std::move(label)), total_(total), enabled_(wanted())
{
    timer_.start();
}

Progress::~Progress() { finish(); }

void Progress::draw(qint64 done)
{
    nextDraw_ = timer_.elapsed() + 100;
    const int width = 30;
    QByteArray line = "\r" + label_.toUtf8() + " [";
    if (total_ > 0) {
        const double f = std::min(1.0, double(done) / double(total_));
        const int filled = int(f * width);
        line += QByteArray(filled, '#') + QByteArray(width - filled, '.');
        line += "] " + QByteArray::number(int(f * 100)) + "%";
    } else {
        // Unknown amount: a marker that moves back and forth.
        const int pos = int((timer_.elapsed() / 100) % (2 * width - 2));
        const int at = pos < width ? pos : 2 * width - 2 - pos;
        QByteArray bar(width, '.');
        bar[at] = '#';
        line += bar + "]";
    }
    line += "  " + QByteArray::number(timer_.elapsed() / 1000) + " s ";
    std::fwrite(line.constData(), 1, size_t(line.size()), stderr);
    std::fflush(stderr);
    shown_ = true;
}

void Progress::finish()
{
    if (!shown_)
        return;
    // Erase the bar so that the command's own output starts on a clean line.
    std::fputs("\r\033[K", stderr);
    std::fflush(stderr);
    shown_ = false;
    enabled_ = false;
}

} // namespace yb::admin
