#include "imagebutton.h"

#include "platform.h"
#include "twips.h"

#include <QMouseEvent>

namespace vellora {

ImageButton::ImageButton(QWidget *parent) : QLabel(parent)
{
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void ImageButton::pressedLook(Pacer &pacer)
{
    const QPoint rest = pos();
    move(rest + px(QPoint(30, 30)));
    repaint();
    pacer.pause(200);
    move(rest);
    repaint();
}

void ImageButton::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        Q_EMIT clicked();
    QLabel::mousePressEvent(event);
}

} // namespace vellora
