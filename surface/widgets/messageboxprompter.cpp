#include "surface/widgets/messageboxprompter.h"

#include <QInputDialog>
#include <QMessageBox>

namespace vellora {

namespace {

QMessageBox::Icon toIcon(Prompter::Icon icon)
{
    switch (icon) {
    case Prompter::Icon::Information: return QMessageBox::Information;
    case Prompter::Icon::Warning: return QMessageBox::Warning;
    case Prompter::Icon::Critical: return QMessageBox::Critical;
    case Prompter::Icon::Question: return QMessageBox::Question;
    case Prompter::Icon::None: break;
    }
    return QMessageBox::NoIcon;
}

} // namespace

void MessageBoxPrompter::message(const QString &text, const QString &title, Icon icon)
{
    QMessageBox box(toIcon(icon), title, text, QMessageBox::Ok, m_owner);
    box.exec();
}

bool MessageBoxPrompter::question(const QString &text, const QString &title, Icon icon)
{
    QMessageBox box(toIcon(icon), title, text, QMessageBox::Yes | QMessageBox::No, m_owner);
    return box.exec() == QMessageBox::Yes;
}

Prompter::Answer MessageBoxPrompter::ask(const QString &text, const QString &title, Icon icon)
{
    QMessageBox box(toIcon(icon), title, text, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, m_owner);
    box.setDefaultButton(QMessageBox::Yes);
    box.setEscapeButton(QMessageBox::Cancel);
    switch (box.exec()) {
    case QMessageBox::Yes: return Answer::Yes;
    case QMessageBox::No: return Answer::No;
    default: return Answer::Cancel;
    }
}

std::optional<QString> MessageBoxPrompter::input(const QString &prompt, const QString &title, const QString &value)
{
    bool ok = false;
    const QString text = QInputDialog::getText(m_owner, title, prompt, QLineEdit::Normal, value, &ok);
    if (!ok)
        return std::nullopt;
    return text;
}

} // namespace vellora
