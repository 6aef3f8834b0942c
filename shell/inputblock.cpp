#include "shell/inputblock.h"

#include <QCoreApplication>
#include <QCursor>
#include <QEvent>
#include <QGuiApplication>

namespace vellora {

namespace {

bool isUserInput(const QEvent *event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::ContextMenu:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TabletPress:
    case QEvent::TabletRelease:
        return true;
    default:
        return false;
    }
}

} // namespace

InputBlock::InputBlock()
{
    QCoreApplication::instance()->installEventFilter(this);
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
}

InputBlock::~InputBlock()
{
    // Pauses and yields during the work exclude user input, which leaves it queued rather than dropped.
    // Delivering the queue while the filter still stands throws away what the user did during the work,
    // instead of acting on it the moment the work ends.
    QCoreApplication::processEvents();
    QCoreApplication::instance()->removeEventFilter(this);
    QGuiApplication::restoreOverrideCursor();
}

bool InputBlock::eventFilter(QObject *watched, QEvent *event)
{
    if (isUserInput(event))
        return true;
    return QObject::eventFilter(watched, event);
}

} // namespace vellora
