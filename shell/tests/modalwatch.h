#pragma once

#include <QApplication>
#include <QDialog>
#include <QList>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <functional>

namespace vellora::test {

// Meets the modal windows that a command opens, from inside their own event loops, and closes them. A window
// met while the command is still running proves that the command waits for it: the handler has not returned.
class ModalWatch final : public QObject
{
public:
    struct Met
    {
        QString name;
        Qt::WindowModality modality;
        bool whileCommandRan;
    };
    QList<Met> met;
    // Must close the window it is given; the default rejects a dialog.
    std::function<void(QWidget *)> act = [](QWidget *window) {
        if (auto *dialog = qobject_cast<QDialog *>(window))
            dialog->reject();
        else
            window->close();
    };

    ModalWatch()
    {
        m_timer.setInterval(0);
        connect(&m_timer, &QTimer::timeout, this, &ModalWatch::look);
        m_timer.start();
    }

    void run(const std::function<void()> &command)
    {
        m_running = true;
        command();
        m_running = false;
    }

    QStringList names() const
    {
        QStringList list;
        for (const Met &m : met)
            list << m.name;
        return list;
    }

private:
    void look()
    {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal || m_handled.contains(modal))
            return;
        m_handled << modal;
        met << Met{modal->objectName(), modal->windowModality(), m_running};
        act(modal);
    }

    QTimer m_timer;
    bool m_running = false;
    QList<QPointer<QWidget>> m_handled;
};

} // namespace vellora::test
