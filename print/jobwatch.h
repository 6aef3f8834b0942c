#pragma once

#include "surface/backgroundtask.h"

#include <QCoreApplication>
#include <QObject>
#include <QString>
#include <memory>

namespace vellora {

class Pacer;
class Prompter;
class PrintQueues;

namespace print {
inline QString unreachableText(const QString &printer)
{
    return QCoreApplication::translate("Print", "De printer %1 is niet bereikbaar: de afdruk is na 30 "
                                                "seconden nog niet begonnen en wacht op de printer.")
        .arg(printer);
}
} // namespace print

// Asks, a while after a job was handed over, whether it has started printing. When it has not because its
// printer cannot be reached, the user hears so once for all the jobs that share `told`. The question goes to
// the print server from a worker; the pause before it is the pacer's. A watch ends itself once answered.
class JobWatch : public QObject
{
    Q_OBJECT
public:
    static constexpr int kAfterMs = 30000;

    struct Notice
    {
        Prompter &prompter;
        QString title;
        std::shared_ptr<bool> told;
    };

    // Watches job `job` of `printer`; `owner` keeps the watch, and may outlive the window that printed.
    static void start(QObject *owner, Pacer &pacer, const PrintQueues &queues, const QString &printer, int job,
                      Notice notice);
    // A question still on its way is called off and waited for: it ends within a short wait.
    ~JobWatch() override;

private:
    JobWatch(QObject *owner, const PrintQueues &queues, const QString &printer, int job, Notice notice);
    void ask();
    void answered(bool waiting);

    const PrintQueues &m_queues;
    QString m_printer;
    int m_job;
    Notice m_notice;
    // A thread of its own, not Qt's global pool, where Qt's picture work would queue behind the question.
    BackgroundTask m_question;
};

} // namespace vellora
