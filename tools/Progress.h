#pragma once
// A progress bar on standard error for work that takes more than a second.
// It shows only when standard error is a terminal, appears after the first
// second and redraws at most ten times a second, so calling update() for
// every record costs next to nothing.

#include <QElapsedTimer>
#include <QString>
#include <chrono>
#include <future>
#include <utility>

namespace yb::admin {

class Progress {
public:
    // `total` is the amount of work (records, bytes …); 0 when unknown.
    Progress(QString label, qint64 total);
    ~Progress();
    Progress(const Progress&) = delete;
    Progress& operator=(const Progress&) = delete;

    void setTotal(qint64 total) { total_ = total; }
    // No bar at all (for instance while the output itself goes to the terminal).
    void disable()
    {
        finish();
        enabled_ = false;
    }
    void setLabel(const QString& label) { label_ = label; }
    void update(qint64 done)
    {
        if (enabled_ && timer_.elapsed() >= nextDraw_)
            draw(done);
    }
    // Runs one long step that cannot report its own progress (building an
    // index, checking a file) on a worker thread while the bar keeps moving;
    // returns its result or raises its exception. The step must not touch
    // anything the calling thread uses meanwhile.
    template <class F> auto during(qint64 done, F&& step)
    {
        if (!enabled_)
            return step();
        auto result = std::async(std::launch::async, std::forward<F>(step));
        while (result.wait_for(std::chrono::milliseconds(100)) != std::future_status::ready)
            update(done);
        return result.get();
    }

    // Clears the bar (when one was drawn).
    void finish();

    // Whether bars are drawn at all: standard error is a terminal, unless
    // YERBALIS_PROGRESS is set to 0 (never) or 1 (always).
    static bool wanted();

private:
    void draw(qint64 done);

    QString label_;
    qint64 total_;
    bool enabled_;
    bool shown_ = false;
    qint64 nextDraw_ = 1000;
    QElapsedTimer timer_;
};

} // namespace yb::admin
