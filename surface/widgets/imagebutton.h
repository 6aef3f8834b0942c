#pragma once

#include <QLabel>

namespace vellora {

class Pacer;

// A button made of a picture. Its pressed look moves the picture 30 twips right and down, waits 200 ms and
// moves it back; only then does the button's work begin. Like any button it acts when the mouse is released
// over it, so a press can still be taken back by moving away.
class ImageButton : public QLabel
{
    Q_OBJECT
public:
    explicit ImageButton(QWidget *parent = nullptr);

    void pressedLook(Pacer &pacer);

    // Escape anywhere in the button's window acts as a click on it: for the Cancel button of a dialog.
    void takeEscapeKey();

Q_SIGNALS:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    bool m_pressed = false;
};

} // namespace vellora
