#pragma once

#include "placement/courtfigures.h"

#include "placement/clipartframe.h"

#include <QDialog>

#include <optional>

namespace vellora {

class AppFolder;
class Pacer;
class Prompter;

// The court dialog, in the joker dialog's look: pages through the four figures of one rank and pastes the
// one shown into the picture area of one or all four cards of that rank. Built anew for every opening and
// run with exec().
class CourtForm : public QDialog
{
    Q_OBJECT
public:
    CourtForm(KaartSoort soort, Pacer &pacer, Prompter &prompter, const AppFolder &folder,
              QWidget *parent = nullptr);

    const CourtBrowser &browser() const { return m_browser; }
    // What Ok chose; nothing after Cancel.
    const std::optional<CardPaste> &chosen() const { return m_chosen; }

    // What the controls do.
    void showFigure(int suit);
    void placeOnCards();

private:
    std::optional<CardPaste> m_chosen;
    Prompter &m_prompter;
    CourtBrowser m_browser;

    ClipartFrame m_frame;
};

} // namespace vellora
