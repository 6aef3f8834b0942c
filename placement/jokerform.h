#pragma once

#include "placement/jokerbrowser.h"

#include "placement/clipartframe.h"

#include <QDialog>

#include <optional>

namespace vellora {

class AppFolder;
class Pacer;
class Prompter;

// The joker dialog: pages through the shipped joker pictures and pastes the one shown into the joker area
// of one or all four joker cards of the card sheet. Built anew for every opening and run with exec().
class JokerForm : public QDialog
{
    Q_OBJECT
public:
    JokerForm(Pacer &pacer, Prompter &prompter, const AppFolder &folder, QWidget *parent = nullptr);

    const JokerBrowser &browser() const { return m_browser; }
    // What Ok chose; nothing after Cancel.
    const std::optional<CardPaste> &chosen() const { return m_chosen; }

    // What the controls do.
    void showJoker(int value);
    void placeOnCards();

private:
    std::optional<CardPaste> m_chosen;
    Prompter &m_prompter;
    JokerBrowser m_browser;

    ClipartFrame m_frame;
};

} // namespace vellora
