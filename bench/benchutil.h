#pragma once

#include <QElapsedTimer>
#include <QProcess>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace vellora::bench {

// Median wall time of a few runs, in milliseconds: robust against one slow run on a shared machine.
inline double medianMs(int runs, const std::function<void()> &work)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        work();
        times.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

inline double median(std::vector<double> times)
{
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// A fresh run of `program` until it writes its first line, as a child does once its window is exposed, in
// milliseconds. The child then finishes outside the time, before the next run starts.
inline double msUntilFirstLine(const QString &program, const QStringList &arguments,
                               const QProcessEnvironment &environment = QProcessEnvironment::systemEnvironment())
{
    QProcess process;
    process.setProcessEnvironment(environment);
    QElapsedTimer clock;
    clock.start();
    process.start(program, arguments);
    while (!process.canReadLine() && process.waitForReadyRead(60000)) {
    }
    const double ms = double(clock.nsecsElapsed()) / 1e6;
    process.waitForFinished(60000);
    return ms;
}

inline void report(const char *what, double ms, const char *floorName, double floorMs)
{
    std::printf("%-44s %9.2f ms   floor (%s) %9.2f ms   ratio %5.2f\n", what, ms, floorName, floorMs,
                floorMs > 0 ? ms / floorMs : 0.0);
}

} // namespace vellora::bench
