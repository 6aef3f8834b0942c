#pragma once

#include "print/printpage.h"

#include <QObject>

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QSettings;
class QWidget;

namespace vellora {

// The whole-deck window's choices of layout, card size, paper, turn and back shift, and the whole-page back.
// Turn, shift and paper are kept in `settings` as soon as they change and read from there on the next
// opening; the paper starts as the locale's. Placed in twips from `top` down.
class DeckChoices : public QObject
{
    Q_OBJECT
public:
    DeckChoices(QWidget *window, QSettings &settings, int top);

    // These choices written into `options`.
    void applyTo(print::DeckOptions &options) const;

Q_SIGNALS:
    void changed();

private:
    void remember();

    QSettings &m_settings;
    QComboBox *m_layout;
    QComboBox *m_cardSize;
    QComboBox *m_paper;
    QComboBox *m_turn;
    QDoubleSpinBox *m_shiftX;
    QDoubleSpinBox *m_shiftY;
    QCheckBox *m_wholePage;
};

namespace print {
inline constexpr char16_t kWholePageBack[] = u"Rug over de hele pagina";
} // namespace print

} // namespace vellora
