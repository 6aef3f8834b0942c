#pragma once

#include <QLabel>

namespace vellora {

class Pacer;

// A button made of a picture. Its pressed look moves the picture 30 twips right and down, waits 200 ms and
// moves it back; only then does the button's work begin.
class ImageButton : public QLabel
{
    Q_OBJECT
public:
    explicit ImageButton(QWidget *parent = nullptr);

    void pressedLook(Pacer &pacer);

Q_SIGNALS:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
};

} // namespace vellora
