#pragma once

#include <QLabel>

namespace vellora {

class Pacer;

// A button made of a picture. A click shows its pressed look: the picture moves 30 twips right and down and,
// 200 ms later, back; only then does the button act, once. Like any button it acts when the mouse is released
// over it, so a press can still be taken back by moving away. Nothing waits in place: the look runs on the
// pacer's timer while the window goes on painting. Without a pacer the button acts at once, with no look.
class ImageButton : public QLabel
{
    Q_OBJECT
public:
    static constexpr int kPressedLookMilliseconds = 200;

    explicit ImageButton(QWidget *parent = nullptr, Pacer *pacer = nullptr);

    // A click as the mouse gives it, pressed look included. A window runs one look at a time: while one runs,
    // no picture button of that window takes a click, so a second click is never a second action.
    void click();

    // Escape anywhere in the button's window clicks it: for the Cancel button of a dialog.
    void takeEscapeKey();

Q_SIGNALS:
    // The button's work begins: the pressed look is over and the picture is back in place.
    void clicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    bool lookRunsInWindow() const;

    Pacer *m_pacer;
    bool m_pressed = false;
    bool m_looking = false;
};

} // namespace vellora
