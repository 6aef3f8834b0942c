#pragma once

#include <QObject>

class QWidget;

namespace vellora {

// Holds off the user from one window while timed work runs on it: mouse and key input to the window, its
// controls and its menu actions is swallowed and the hourglass shows, while painting and timers go on.
class InputBlock final : public QObject
{
public:
    explicit InputBlock(QWidget *window);
    ~InputBlock() override;

    InputBlock(const InputBlock &) = delete;
    InputBlock &operator=(const InputBlock &) = delete;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *m_window;
};

} // namespace vellora
