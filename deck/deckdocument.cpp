#include "deck/deckdocument.h"

#include "deck/log.h"
#include "project/projectcommands.h"
#include "sheet/placementengine.h"
#include "surface/masterdrawing.h"
#include "surface/picturefile.h"
#include "surface/platform.h"

#include <QCoreApplication>
#include <algorithm>
#include <utility>

namespace vellora {

// The history's names for the steps, in the language of the moment they are taken.
namespace texts {
QString composeStep()
{
    return QCoreApplication::translate("Main", "Symbolen plaatsen");
}
QString newStep()
{
    return QCoreApplication::translate("Main", "Nieuw");
}
QString openStep()
{
    return QCoreApplication::translate("Main", "Vellora openen");
}
QString recoveredStep()
{
    return QCoreApplication::translate("Main", "Herstellen");
}
} // namespace texts

DeckDocument::DeckDocument(AppFolder appFolder, Pacer &pacer, QObject *parent)
    : QObject(parent), m_appFolder(std::move(appFolder)), m_pacer(pacer),
      m_recovery([this]() -> std::optional<RecoveryStore::Work> {
          if (isModified()) {
              DeckSnapshot deck = snapshot();
              return RecoveryStore::Work{std::move(deck.sheet), std::move(deck.record)};
          }
          return std::nullopt;
      })
{
    connect(&m_history, &DeckHistory::cleanChanged, this, [this](bool clean) { Q_EMIT modifiedChanged(!clean); });
    connect(&m_history, &DeckHistory::indexChanged, &m_recovery, &RecoveryKeeper::changed);
    connect(&m_history, &DeckHistory::stepsChanged, this, &DeckDocument::stepsChanged);
    connect(&m_history, &DeckHistory::sheetRestored, this, &DeckDocument::sheetRestored);
}

DeckDocument::~DeckDocument() = default;

std::optional<SymbolSet> SymbolSet::read(const AppFolder &folder, const QString &relative)
{
    const QString path = folder.resolve(relative);
    const Result<QImage> symbols = PictureFile::load(path);
    if (!symbols)
        return std::nullopt;
    SymbolSet set{*symbols, {}};
    const QString drawing = folder.resolve(QString(relative).chopped(4) + QStringLiteral("@3x.png"));
    set.master = masterdrawing::load(drawing, path, set.picture.size() * master::kScale);
    if (set.master.isNull())
        set.master = masterdrawing::enlarged(set.picture, master::kScale);
    return set;
}

BlankDeck BlankDeck::read(const AppFolder &folder)
{
    BlankDeck blank;
    const QString blankPath = folder.resolve(u"\\Data\\Kaarten.krt");
    const Result<QImage> sheet = PictureFile::load(blankPath);
    if (sheet) {
        blank.sheet = *sheet;
        // Checking the card's drawing hashes the whole blank sheet file: that waits until something needs the
        // record, which is printing or saving, both on workers. Done beforehand, it would only share the
        // machine with the first frame.
        blank.record = PrintRecord::fromCardWhenNeeded(
            [drawing = folder.resolve(u"\\Data\\Kaart@3x.png"), blankPath] {
                return masterdrawing::load(drawing, blankPath,
                                           {master::kCardWidthPixels, master::kCardHeightPixels});
            },
            blank.sheet);
    }
    blank.symbols = SymbolSet::read(folder, QStringLiteral("\\Data\\hkrs-0.krt"));
    return blank;
}

void DeckDocument::loadBlank(const BlankDeck &blank) { useBlank(blank); }

void DeckDocument::useBlank(const BlankDeck &blank)
{
    if (!blank.sheet.isNull()) {
        m_sheet.setPicture(blank.sheet);
        m_record = blank.record;
    }
    if (blank.symbols)
        useSymbols(*blank.symbols);
}

void DeckDocument::useSymbols(const SymbolSet &symbols)
{
    m_symbols = symbols.picture;
    m_symbolsMaster = symbols.master;
    Q_EMIT symbolsChanged();
}

bool DeckDocument::chooseSymbolStyle(int style)
{
    // The run reads the symbols it started with; another set now would only confuse what the user sees.
    if (isComposing())
        return false;
    const auto symbols = SymbolSet::read(m_appFolder, QStringLiteral("\\Data\\Hkrs-%1.krt").arg(style));
    if (symbols)
        useSymbols(*symbols);
    return symbols.has_value();
}

bool DeckDocument::composeDeck(CardStyle style)
{
    if (isBusy())
        return false;
    m_beforeRun = m_sheet.image();
    m_recordBeforeRun = m_record;
    m_record.compose(m_symbolsMaster, style);
    m_run = std::make_unique<PlacementRun>(m_sheet, m_symbols, m_kolomX, style);
    Q_EMIT composingChanged(true);
    Q_EMIT busyChanged(true);
    Q_EMIT stepsChanged();
    continueComposing();
    return true;
}

// Each card is followed by a pause in which the window repaints and answers; the pacer brings the next one.
void DeckDocument::continueComposing()
{
    if (m_run->finishNextCard()) {
        m_finishedCards = m_run->finished();
        Q_EMIT progressChanged();
        m_pacer.after(placement::kPauseMilliseconds, this, [this] { continueComposing(); });
        return;
    }
    m_run.reset();
    m_history.record(texts::composeStep(), std::exchange(m_beforeRun, QImage()),
                     std::exchange(m_recordBeforeRun, PrintRecord()));
    Q_EMIT composingChanged(false);
    Q_EMIT busyChanged(false);
    Q_EMIT stepsChanged();
    Q_EMIT composed();
}

void DeckDocument::pasteOnCards(const QString &stepName, const CardPaste &paste)
{
    pasteOnCards(stepName, std::vector<CardPaste>{paste});
}

void DeckDocument::pasteOnCards(const QString &stepName, const std::vector<CardPaste> &pastes)
{
    if (isBusy() || std::all_of(pastes.begin(), pastes.end(), [](const CardPaste &p) { return p.isEmpty(); }))
        return;
    const QImage before = m_sheet.image();
    const PrintRecord recordBefore = m_record;
    for (const CardPaste &paste : pastes) {
        if (paste.isEmpty())
            continue;
        paste.applyTo(m_sheet);
        m_record.paste(paste);
    }
    m_history.record(stepName, before, recordBefore);
}

void DeckDocument::replaceSheet(const QString &stepName, const QImage &sheet, const PrintRecord &record)
{
    const QImage before = m_sheet.image();
    const PrintRecord recordBefore = m_record;
    m_sheet.setPicture(sheet);
    m_record = record.isEmpty() ? PrintRecord::fromSheet(m_sheet.image()) : record;
    // The sheet shown already may be the one opened: that is no step, but a record that came with it is
    // still the one to print from, where the one shown may be only the sheet enlarged.
    if (!m_history.record(stepName, before, recordBefore) && !record.isEmpty())
        m_record = record;
}

void DeckDocument::newDeck()
{
    if (isBusy())
        return;
    const QImage before = m_sheet.image();
    const PrintRecord recordBefore = m_record;
    useBlank(BlankDeck::read(m_appFolder));
    m_history.record(texts::newStep(), before, recordBefore);
    m_history.setClean();
    m_finishedCards = 0;
    Q_EMIT progressChanged();
}

void DeckDocument::openSheet(const QImage &sheet, const QString &name, const PrintRecord &record)
{
    if (isBusy())
        return;
    replaceSheet(texts::openStep(), sheet, record);
    m_name = name;
    m_history.setClean();
}

bool DeckDocument::save(const ProjectStore &store, const QString &name)
{
    if (isBusy())
        return false;
    m_saving = true;
    Q_EMIT busyChanged(true);
    Q_EMIT stepsChanged();
    const ProjectWriter write = m_writeProject ? m_writeProject : [store](const QImage &sheet, const QString &name) {
        return writeProject(store, sheet, name);
    };
    m_work.run(
        this,
        [write, store, deck = snapshot(), name](std::stop_token, const TaskProgress &) {
            const Outcome written = write(deck.sheet, name);
            // Without its companion the project still prints, enlarged: that costs the user no message, but
            // the log says why it will print coarser.
            if (written) {
                if (const Outcome companion = store.saveCompanion(deck.record, name, deck.sheet); !companion)
                    qCWarning(lcDeck).noquote() << "project" << name << "saved without its print record:"
                                               << companion.reason();
            }
            return written;
        },
        [this, name](const Outcome &written) {
            m_saving = false;
            if (written)
                markSaved(name);
            Q_EMIT saved(name, written);
            Q_EMIT busyChanged(false);
            Q_EMIT stepsChanged();
        });
    return true;
}

void DeckDocument::markSaved(const QString &name)
{
    m_name = name;
    m_history.setClean();
    m_recovery.discardCopy();
}

void DeckDocument::undo()
{
    if (isBusy())
        return;
    m_history.undo();
}

void DeckDocument::redo()
{
    if (isBusy())
        return;
    m_history.redo();
}

bool DeckDocument::keepRecoveryCopies(const QString &folder) { return m_recovery.start(folder); }

void DeckDocument::restoreRecovered(const QImage &sheet, const PrintRecord &record)
{
    replaceSheet(texts::recoveredStep(), sheet, record);
    if (m_history.isClean())
        m_history.resetClean();
}

void DeckDocument::closing() { m_recovery.discardCopy(); }

} // namespace vellora
