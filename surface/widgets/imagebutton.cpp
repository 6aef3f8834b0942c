#include "surface/widgets/imagebutton.h"

#include "surface/platform.h"
#include "surface/twips.h"

#include <QMouseEvent>
#include <QShortcut>

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

void ImageButton::takeEscapeKey()
{
    // A shortcut comes before the dialog's own Escape handling, which would close it without the pressed look.
    auto *escape = new QShortcut(QKeySequence(Qt::Key_Escape), this, this, &ImageButton::clicked);
    escape->setContext(Qt::WindowShortcut);
}

void ImageButton::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        m_pressed = true;
    QLabel::mousePressEvent(event);
}

void ImageButton::mouseReleaseEvent(QMouseEvent *event)
{
    const bool click = m_pressed && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    if (event->button() == Qt::LeftButton)
        m_pressed = false;
    QLabel::mouseReleaseEvent(event);
    if (click)
        Q_EMIT clicked();
}

} // namespace vellora
