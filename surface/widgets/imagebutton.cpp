#include "surface/widgets/imagebutton.h"

#include "surface/platform.h"
#include "surface/twips.h"

#include <QMouseEvent>
#include <QShortcut>

#include <algorithm>

namespace vellora {

ImageButton::ImageButton(QWidget *parent, Pacer *pacer) : QLabel(parent), m_pacer(pacer)
{
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

bool ImageButton::lookRunsInWindow() const
{
    const QList<ImageButton *> buttons = window()->findChildren<ImageButton *>();
    return m_looking ||
           std::any_of(buttons.begin(), buttons.end(), [](const ImageButton *b) { return b->m_looking; });
}

void ImageButton::click()
{
    if (lookRunsInWindow())
        return;
    if (!m_pacer) {
        Q_EMIT clicked();
        return;
    }
    const QPoint rest = pos();
    m_looking = true;
    move(rest + px(QPoint(30, 30)));
    m_pacer->after(kPressedLookMilliseconds, this, [this, rest] {
        move(rest);
        m_looking = false;
        // Last: the work may close and destroy the window this button stands in.
        Q_EMIT clicked();
    });
}

void ImageButton::takeEscapeKey()
{
    // A shortcut comes before the dialog's own Escape handling, which would close it without the pressed look.
    auto *escape = new QShortcut(QKeySequence(Qt::Key_Escape), this, this, &ImageButton::click);
    escape->setContext(Qt::WindowShortcut);
}

void ImageButton::mousePressEvent(QMouseEvent *event)
{
    // A press while a look runs is no start of a click, not even one released after the look.
    if (event->button() == Qt::LeftButton)
        m_pressed = !lookRunsInWindow();
    QLabel::mousePressEvent(event);
}

void ImageButton::mouseReleaseEvent(QMouseEvent *event)
{
    const bool clickedHere =
        m_pressed && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    if (event->button() == Qt::LeftButton)
        m_pressed = false;
    QLabel::mouseReleaseEvent(event);
    if (clickedHere)
        click();
}

} // namespace vellora
