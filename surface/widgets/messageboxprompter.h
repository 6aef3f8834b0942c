#pragma once

#include "surface/platform.h"

class QWidget;

namespace vellora {

// The product's prompter: Qt's message and input boxes, owned by the window that asks.
class MessageBoxPrompter final : public Prompter
{
public:
    explicit MessageBoxPrompter(QWidget *owner) : m_owner(owner) {}
    // The owner is often created after its prompter, since windows take the prompter when they are built.
    void setOwner(QWidget *owner) { m_owner = owner; }
    void message(const QString &text, const QString &title, Icon icon) override;
    bool question(const QString &text, const QString &title, Icon icon) override;
    Answer ask(const QString &text, const QString &title, Icon icon) override;
    std::optional<QString> input(const QString &prompt, const QString &title, const QString &value) override;

private:
    QWidget *m_owner;
};

} // namespace vellora
