#include "print/deckchoices.h"

#include "print/printwidgets.h"
#include "surface/twips.h"
#include "surface/widgets/dialogparts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLocale>
#include <QSettings>

namespace vellora {

namespace {

const QString kTurnKey = QStringLiteral("deck/turn"), kShiftXKey = QStringLiteral("deck/backShiftX"),
              kShiftYKey = QStringLiteral("deck/backShiftY"), kPaperKey = QStringLiteral("deck/paper");

QComboBox *choiceBox(QWidget *window, const char *name, const QStringList &items, const QRect &twips)
{
    auto *box = new QComboBox(window);
    box->setObjectName(QLatin1String(name));
    box->addItems(items);
    box->setGeometry(px(twips));
    setColours(box, kListTextColour, kListColour, kListColour);
    return box;
}

QDoubleSpinBox *shiftBox(QWidget *window, const char *name, double value, const QRect &twips)
{
    auto *box = new QDoubleSpinBox(window);
    box->setObjectName(QLatin1String(name));
    box->setRange(-print::kMaxBackShiftMm, print::kMaxBackShiftMm);
    box->setSingleStep(0.1);
    box->setDecimals(1);
    box->setValue(value);
    box->setGeometry(px(twips));
    return box;
}

} // namespace

DeckChoices::DeckChoices(QWidget *window, QSettings &settings, int top)
    : QObject(window), m_settings(settings)
{
    m_layout = choiceBox(window, "Opmaak", {QStringLiteral("Pagina's (A4)"), QStringLiteral("Hele kaarten")},
                         QRect(180, top, 2000, 330));
    m_cardSize = choiceBox(window, "Kaartmaat", {QStringLiteral("63 x 88 mm"), QStringLiteral("57 x 90 mm")},
                           QRect(2400, top, 1800, 330));
    m_paper = choiceBox(window, "Papier", {QStringLiteral("A4"), QStringLiteral("Letter")},
                        QRect(4500, top, 1500, 330));
    m_turn = choiceBox(window, "Keren", {QStringLiteral("korte zijde"), QStringLiteral("lange zijde")},
                       QRect(180, top + 420, 2000, 330));
    m_wholePage = new QCheckBox(QString::fromUtf16(print::kWholePageBack), window);
    m_wholePage->setObjectName(QStringLiteral("HelePagina"));
    m_wholePage->setGeometry(px(QRect(2400, top + 450, 3000, 270)));
    printui::label(window, "LabelRug", QStringLiteral("Rug verschuiven in mm: X"), 180, top + 900);
    m_shiftX = shiftBox(window, "RugX", settings.value(kShiftXKey, 0.0).toDouble(),
                        QRect(2400, top + 840, 1100, 330));
    printui::label(window, "LabelRugY", QStringLiteral("Y"), 3700, top + 900);
    m_shiftY = shiftBox(window, "RugY", settings.value(kShiftYKey, 0.0).toDouble(),
                        QRect(3950, top + 840, 1100, 330));
    setColours(m_wholePage, kOptionTextColour);

    m_turn->setCurrentIndex(settings.value(kTurnKey).toString() == u"long" ? 1 : 0);
    const QString paper = settings.value(kPaperKey).toString();
    const print::Paper first = paper == u"letter" ? print::Paper::Letter
                               : paper == u"a4"   ? print::Paper::A4
                                                  : print::defaultPaper(QLocale());
    m_paper->setCurrentIndex(first == print::Paper::Letter ? 1 : 0);
    // The pages are A4 and their cards the size the pages give them.
    const auto pagesOnly = [this] {
        const bool cards = m_layout->currentIndex() == 1;
        m_cardSize->setEnabled(cards);
        m_paper->setEnabled(cards);
    };
    pagesOnly();
    for (QComboBox *box : {m_layout, m_cardSize, m_paper, m_turn})
        connect(box, &QComboBox::currentIndexChanged, this, [this, pagesOnly] {
            pagesOnly();
            remember();
        });
    for (QDoubleSpinBox *box : {m_shiftX, m_shiftY})
        connect(box, &QDoubleSpinBox::valueChanged, this, &DeckChoices::remember);
    connect(m_wholePage, &QCheckBox::toggled, this, &DeckChoices::changed);
}

void DeckChoices::remember()
{
    m_settings.setValue(kTurnKey,
                        m_turn->currentIndex() == 1 ? QStringLiteral("long") : QStringLiteral("short"));
    m_settings.setValue(kShiftXKey, m_shiftX->value());
    m_settings.setValue(kShiftYKey, m_shiftY->value());
    m_settings.setValue(kPaperKey,
                        m_paper->currentIndex() == 1 ? QStringLiteral("letter") : QStringLiteral("a4"));
    Q_EMIT changed();
}

void DeckChoices::applyTo(print::DeckOptions &options) const
{
    options.layout = m_layout->currentIndex() == 1 ? print::DeckLayout::Cards : print::DeckLayout::Pages;
    options.cardSize =
        m_cardSize->currentIndex() == 1 ? print::CardSize::Size57x90 : print::CardSize::Size63x88;
    options.paper = m_paper->currentIndex() == 1 ? print::Paper::Letter : print::Paper::A4;
    options.turn = m_turn->currentIndex() == 1 ? print::Turn::LongEdge : print::Turn::ShortEdge;
    options.backShiftMm = QPointF(m_shiftX->value(), m_shiftY->value());
    options.wholePageBack = m_wholePage->isChecked();
}

} // namespace vellora
