#include "print/deckchoices.h"

#include "print/cardimages.h"
#include "print/log.h"
#include "print/printwidgets.h"
#include "surface/regularfile.h"
#include "surface/twips.h"
#include "surface/widgets/dialogparts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFileInfo>
#include <QLocale>
#include <QLockFile>
#include <QSettings>
#include <QStandardPaths>
#include <algorithm>
#include <cmath>

namespace vellora {

namespace {

const QString kTurnKey = QStringLiteral("deck/turn"), kShiftXKey = QStringLiteral("deck/backShiftX"),
              kShiftYKey = QStringLiteral("deck/backShiftY"), kPaperKey = QStringLiteral("deck/paper"),
              kBleedKey = QStringLiteral("deck/bleed"), kCmykKey = QStringLiteral("deck/cmyk"),
              kCutKey = QStringLiteral("deck/cut");

QComboBox *choiceBox(QWidget *window, const char *name, const QStringList &items, const QRect &twips)
{
    auto *box = new QComboBox(window);
    box->setObjectName(QLatin1String(name));
    box->addItems(items);
    box->setGeometry(px(twips));
    setColours(box, kListTextColour, kListColour, kListColour);
    return box;
}

constexpr qint64 kMaxSettingsBytes = 1024 * 1024;
constexpr int kLockWaitMs = 300;

// A shift as remembered; anything not a number of the range (nan, 1e999, text) is the default, as the
// spin box would otherwise clamp nan to its maximum.
double rememberedShift(const QSettings &settings, const QString &key)
{
    bool ok = false;
    const double mm = settings.value(key).toDouble(&ok);
    if (ok && std::isfinite(mm) && std::abs(mm) <= print::kMaxBackShiftMm)
        return mm;
    if (settings.contains(key))
        qCWarning(lcPrint) << "remembered" << key
                           << "is no shift in range, taken as 0:" << settings.value(key);
    return 0.0;
}

// Settings in memory only, starting from `from`'s keys. A name under a device can never be created, so
// QSettings' every sync fails at once without taking a lock, and the values stay in its cache.
std::unique_ptr<QSettings> inMemory(const QSettings *from)
{
    auto settings =
        std::make_unique<QSettings>(QStringLiteral("/dev/null/niet-bewaard.conf"), QSettings::IniFormat);
    if (from)
        for (const QString &key : from->allKeys())
            settings->setValue(key, from->value(key));
    return settings;
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
    m_layout = choiceBox(window, "Opmaak",
                         {QCoreApplication::translate("Print", "Pagina's (A4, kaarten smaller)"),
                          QCoreApplication::translate("Print", "Hele kaarten")},
                         QRect(180, top, 2000, 330));
    // In the order of print::CardSize.
    m_cardSize = choiceBox(window, "Kaartmaat",
                           {QStringLiteral("63 x 88 mm"), QStringLiteral("57 x 90 mm"),
                            QStringLiteral("Poker 2.5 x 3.5 inch"), QStringLiteral("Bridge 2.25 x 3.5 inch")},
                           QRect(2400, top, 1950, 330));
    m_paper = choiceBox(window, "Papier", {QStringLiteral("A4"), QStringLiteral("Letter")},
                        QRect(4500, top, 1500, 330));
    m_turn = choiceBox(window, "Keren",
                       {QCoreApplication::translate("Print", "korte zijde"),
                        QCoreApplication::translate("Print", "lange zijde")},
                       QRect(180, top + 420, 2000, 330));
    m_wholePage = new QCheckBox(QCoreApplication::translate("Print", print::kWholePageBack), window);
    m_wholePage->setObjectName(QStringLiteral("HelePagina"));
    m_wholePage->setGeometry(px(QRect(2400, top + 450, 3000, 270)));
    printui::label(window, "LabelRug", QCoreApplication::translate("Print", "Rug verschuiven in mm: X"), 180,
                   top + 900);
    m_shiftX =
        shiftBox(window, "RugX", rememberedShift(settings, kShiftXKey), QRect(2400, top + 840, 1100, 330));
    printui::label(window, "LabelRugY", QStringLiteral("Y"), 3700, top + 900);
    m_shiftY =
        shiftBox(window, "RugY", rememberedShift(settings, kShiftYKey), QRect(3950, top + 840, 1100, 330));
    setColours(m_wholePage, kOptionTextColour);
    buildShopChoices(window, top + 1260);

    m_turn->setCurrentIndex(settings.value(kTurnKey).toString() == u"long" ? 1 : 0);
    const QString paper = settings.value(kPaperKey).toString();
    const print::Paper first = paper == u"letter" ? print::Paper::Letter
                               : paper == u"a4"   ? print::Paper::A4
                                                  : print::defaultPaper(QLocale());
    m_paper->setCurrentIndex(first == print::Paper::Letter ? 1 : 0);
    // Whole cards at their true shape unless asked otherwise: the pages print them narrower.
    m_layout->setCurrentIndex(1);
    m_cardSize->setCurrentIndex(int(first == print::Paper::Letter ? print::CardSize::Poker
                                                                  : print::CardSize::Size63x88));
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

void DeckChoices::buildShopChoices(QWidget *window, int top)
{
    printui::label(window, "LabelAfloop", QCoreApplication::translate("Print", "Afloop"), 180, top + 60);
    m_bleed = choiceBox(window, "Afloop",
                        {QStringLiteral("3 mm"), QStringLiteral("1/8 inch"), QStringLiteral("0 mm"),
                         QStringLiteral("5 mm")},
                        QRect(1000, top, 1200, 330));
    m_bleed->setEditable(true);
    // Whatever the user typed is kept as typed; an unreadable one is refused when it is used, not here.
    if (const QString bleed = m_settings.value(kBleedKey).toString(); !bleed.isEmpty())
        m_bleed->setCurrentText(bleed.left(20));
    m_cmyk = new QCheckBox(QStringLiteral("CMYK (PDF/X-1a)"), window);
    m_cmyk->setObjectName(QStringLiteral("Cmyk"));
    m_cmyk->setGeometry(px(QRect(2400, top + 30, 2000, 270)));
    m_cmyk->setChecked(m_settings.value(kCmykKey).toBool());
    setColours(m_cmyk, kOptionTextColour);
    printui::label(window, "LabelSnede", QCoreApplication::translate("Print", "Snijden"), 180, top + 480);
    // In the order of print::FaceCut.
    m_cut = choiceBox(window, "Snede",
                      {QCoreApplication::translate("Print", "Op de groene rand"),
                       QCoreApplication::translate("Print", "In het wit van de kaart")},
                      QRect(1000, top + 420, 3400, 330));
    const QString cut = m_settings.value(kCutKey).toString();
    m_cut->setCurrentIndex(int(cut == u"frame"  ? print::FaceCut::Frame
                               : cut == u"card" ? print::FaceCut::Card
                                                : print::kDefaultCut));
    connect(m_bleed, &QComboBox::currentTextChanged, this, &DeckChoices::remember);
    connect(m_cmyk, &QCheckBox::toggled, this, &DeckChoices::remember);
    connect(m_cut, &QComboBox::currentIndexChanged, this, &DeckChoices::remember);
}

std::optional<double> DeckChoices::bleedMm() const
{
    return print::bleedFromText(m_bleed->currentText());
}

bool DeckChoices::cmyk() const
{
    return m_cmyk->isChecked();
}

print::FaceCut DeckChoices::cut() const
{
    return m_cut->currentIndex() == int(print::FaceCut::Frame) ? print::FaceCut::Frame : print::FaceCut::Card;
}

void DeckChoices::remember()
{
    m_settings.setValue(kTurnKey,
                        m_turn->currentIndex() == 1 ? QStringLiteral("long") : QStringLiteral("short"));
    m_settings.setValue(kShiftXKey, m_shiftX->value());
    m_settings.setValue(kShiftYKey, m_shiftY->value());
    m_settings.setValue(kPaperKey,
                        m_paper->currentIndex() == 1 ? QStringLiteral("letter") : QStringLiteral("a4"));
    m_settings.setValue(kBleedKey, m_bleed->currentText());
    m_settings.setValue(kCmykKey, m_cmyk->isChecked());
    m_settings.setValue(kCutKey,
                        cut() == print::FaceCut::Frame ? QStringLiteral("frame") : QStringLiteral("card"));
    Q_EMIT changed();
}

QString print::userSettingsFile()
{
    // Named here, not through an organisation name on the application: that would move the user's data
    // folder, backs and projects, into a Vellora/Vellora of its own as well.
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/Vellora/Vellora.conf");
}

std::unique_ptr<QSettings> print::openSettings(const QString &file)
{
    if (entryKind(QFile::encodeName(file)) != EntryKind::Missing) {
        const RegularFile checked(file, kMaxSettingsBytes);
        if (!checked.isOpen()) {
            qCWarning(lcPrint) << "settings file not read, choices not remembered:" << file
                               << checked.error();
            return inMemory(nullptr);
        }
    }
    // QSettings waits for its lock without end when it writes; a lock that stays taken is found out here.
    QDir().mkpath(QFileInfo(file).absolutePath());
    QLockFile lock(file + QStringLiteral(".lock"));
    if (!lock.tryLock(kLockWaitMs)) {
        qCWarning(lcPrint) << "settings lock not to be had, choices not remembered:" << file << lock.error();
        const QSettings readOnly(file, QSettings::IniFormat); // reading takes no lock
        return inMemory(&readOnly);
    }
    lock.unlock();
    return std::make_unique<QSettings>(file, QSettings::IniFormat);
}

void DeckChoices::applyTo(print::DeckOptions &options) const
{
    options.layout = m_layout->currentIndex() == 1 ? print::DeckLayout::Cards : print::DeckLayout::Pages;
    options.cardSize = print::CardSize(std::clamp(m_cardSize->currentIndex(), 0, 3));
    options.paper = m_paper->currentIndex() == 1 ? print::Paper::Letter : print::Paper::A4;
    options.turn = m_turn->currentIndex() == 1 ? print::Turn::LongEdge : print::Turn::ShortEdge;
    options.backShiftMm = QPointF(m_shiftX->value(), m_shiftY->value());
    options.wholePageBack = m_wholePage->isChecked();
}

} // namespace vellora
