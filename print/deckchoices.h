#pragma once

#include "print/cardsides.h"
#include "print/printpage.h"

#include <QObject>
#include <QString>

#include <memory>
#include <optional>

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QSettings;
class QWidget;

namespace vellora {

// The whole-deck window's choices of layout, card size, paper, turn and back shift, and the whole-page back;
// for the print shop's files the bleed, CMYK and where a face is cut. All but the layout, the card size and
// the whole-page back are kept in `settings` as soon as they change and read from there on the next opening;
// the paper starts as the locale's. Placed in twips from `top` down.
class DeckChoices : public QObject
{
    Q_OBJECT
public:
    DeckChoices(QWidget *window, QSettings &settings, int top);

    // These choices written into `options`.
    void applyTo(print::DeckOptions &options) const;
    // The bleed of card images and print-shop files as typed; nothing when it is no measure in range.
    std::optional<double> bleedMm() const;
    // Whether the print-shop file is for the press, in CMYK.
    bool cmyk() const;
    // Where the card images and the print-shop file cut each face.
    print::FaceCut cut() const;

Q_SIGNALS:
    void changed();

private:
    void remember();
    void buildShopChoices(QWidget *window, int top);

    QSettings &m_settings;
    QComboBox *m_layout;
    QComboBox *m_cardSize;
    QComboBox *m_paper;
    QComboBox *m_turn;
    QDoubleSpinBox *m_shiftX;
    QDoubleSpinBox *m_shiftY;
    QCheckBox *m_wholePage;
    QComboBox *m_bleed = nullptr;
    QCheckBox *m_cmyk = nullptr;
    QComboBox *m_cut = nullptr;
};

namespace print {
inline constexpr const char *kWholePageBack = QT_TRANSLATE_NOOP("Print", "Rug over de hele pagina");

// The user's settings file, $XDG_CONFIG_HOME/Vellora/Vellora.conf.
QString userSettingsFile();
// Settings kept in `file`, checked before QSettings touches it: a file that is no regular file of at most a
// megabyte (a FIFO, a link to a device, a sparse giant) is never opened, and a lock that cannot be had within
// a moment (one left behind where it cannot be removed) is never waited for. Either way the settings start
// from what could be read and live in memory only: the choices are simply not remembered.
std::unique_ptr<QSettings> openSettings(const QString &file);
} // namespace print

} // namespace vellora
