#pragma once

#include <QObject>

namespace vellora {

// Holds off the user while long work runs on the interface thread: mouse and key input is swallowed and the
// hourglass shows, while painting and timers go on. The work yields to the event loop to repaint; without
// this a click meanwhile could start a second run or show another card from a half-finished sheet.
class InputBlock final : public QObject
{
public:
    InputBlock();
    ~InputBlock() override;

    InputBlock(const InputBlock &) = delete;
    InputBlock &operator=(const InputBlock &) = delete;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};

} // namespace vellora
