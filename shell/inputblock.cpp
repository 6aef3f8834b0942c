#include "shell/inputblock.h"

#include <QAction>
#include <QCoreApplication>
#include <QCursor>
#include <QEvent>
#include <QGuiApplication>
#include <QWidget>

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

InputBlock::InputBlock(QWidget *window) : m_window(window)
{
    QCoreApplication::instance()->installEventFilter(this);
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
}

InputBlock::~InputBlock()
{
    QCoreApplication::instance()->removeEventFilter(this);
    QGuiApplication::restoreOverrideCursor();
}

bool InputBlock::eventFilter(QObject *watched, QEvent *event)
{
    // The window's own controls and its menu actions; a message box of its own goes on answering.
    if (isUserInput(event)) {
        if (qobject_cast<QAction *>(watched))
            return true;
        if (const auto *widget = qobject_cast<QWidget *>(watched); widget && widget->window() == m_window)
            return true;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace vellora
