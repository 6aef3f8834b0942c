#pragma once

#include "placement/courtfigures.h"

#include <QDialog>

#include <optional>

class QLabel;
class QScrollBar;

namespace vellora {

class AppFolder;
class Pacer;
class PictureBox;
class Prompter;
class TargetOptions;

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

    PictureBox *m_figurePicture = nullptr;
    QScrollBar *m_figureScroll = nullptr;
    QLabel *m_counter = nullptr;
    TargetOptions *m_targets = nullptr;
};

} // namespace vellora
