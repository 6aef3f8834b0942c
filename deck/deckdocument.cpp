#include "deck/deckdocument.h"

#include "sheet/cardfinishing.h"
#include "sheet/placementengine.h"
#include "surface/masterdrawing.h"
#include "surface/picturefile.h"
#include "surface/platform.h"

#include <utility>

namespace vellora {

namespace texts {
const QString kComposeStep = QStringLiteral("Symbolen plaatsen");
const QString kNewStep = QStringLiteral("Nieuw");
const QString kOpenStep = QStringLiteral("Vellora openen");
const QString kRecoveredStep = QStringLiteral("Herstellen");
} // namespace texts

DeckDocument::DeckDocument(AppFolder appFolder, Pacer &pacer, QObject *parent)
    : QObject(parent), m_appFolder(std::move(appFolder)), m_pacer(pacer),
      m_recovery([this]() -> std::optional<RecoveryStore::Work> {
          if (isModified())
              return RecoveryStore::Work{m_sheet.image(), m_record};
          return std::nullopt;
      })
{
    progress::drawStartState(m_progress);
    connect(&m_history.stack(), &QUndoStack::cleanChanged, this, [this](bool clean) {
        Q_EMIT modifiedChanged(!clean);
    });
    connect(&m_history.stack(), &QUndoStack::indexChanged, &m_recovery, &RecoveryKeeper::changed);
    connect(&m_history, &SheetHistory::stepsChanged, this, &DeckDocument::stepsChanged);
    connect(&m_history, &SheetHistory::sheetRestored, this, &DeckDocument::sheetRestored);
    m_history.setStateBytes([this] { return recordBytesByState(); });
}

DeckDocument::~DeckDocument() = default;

void DeckDocument::loadBlank()
{
    loadBlankFiles();
    m_records.at(m_history.stack().index()) = m_record;
}

void DeckDocument::loadBlankFiles()
{
    const QString blankPath = m_appFolder.resolve(u"\\Data\\Kaarten.krt");
    const PictureLoad blank = PictureFile::load(blankPath);
    if (blank.ok()) {
        m_sheet.setPicture(blank.image);
        const QImage card = masterdrawing::load(m_appFolder.resolve(u"\\Data\\Kaart@3x.png"), blankPath,
                                                {master::kCardWidthPixels, master::kCardHeightPixels});
        m_record = card.isNull() ? PrintRecord::fromSheet(m_sheet.image())
                                 : PrintRecord::fromCard(card, m_sheet.image().format());
    }
    loadSymbolFile(QStringLiteral("\\Data\\hkrs-0.krt"));
}

bool DeckDocument::loadSymbolFile(const QString &relative)
{
    const QString path = m_appFolder.resolve(relative);
    const PictureLoad symbols = PictureFile::load(path);
    if (!symbols.ok())
        return false;
    m_symbols = symbols.image;
    const QString drawing = m_appFolder.resolve(QString(relative).chopped(4) + QStringLiteral("@3x.png"));
    m_symbolsMaster = masterdrawing::load(drawing, path, m_symbols.size() * master::kScale);
    if (m_symbolsMaster.isNull())
        m_symbolsMaster = masterdrawing::enlarged(m_symbols, master::kScale);
    Q_EMIT symbolsChanged();
    return true;
}

bool DeckDocument::chooseSymbolStyle(int style)
{
    // The run reads the symbols it started with; another set now would only confuse what the user sees.
    if (isComposing())
        return false;
    return loadSymbolFile(QStringLiteral("\\Data\\Hkrs-%1.krt").arg(style));
}

bool DeckDocument::composeDeck()
{
    if (isComposing())
        return false;
    m_beforeRun = m_sheet.image();
    m_record.compose(m_symbolsMaster);
    m_run = std::make_unique<PlacementRun>(m_sheet, m_symbols, m_progress, m_kolomX);
    Q_EMIT composingChanged(true);
    Q_EMIT stepsChanged();
    continueComposing();
    return true;
}

// Each card is followed by a pause in which the window repaints and answers; the pacer brings the next one.
void DeckDocument::continueComposing()
{
    if (m_run->finishNextCard()) {
        Q_EMIT progressChanged();
        m_pacer.after(placement::kPauseMilliseconds, this, [this] { continueComposing(); });
        return;
    }
    m_run.reset();
    recordStep(texts::kComposeStep, std::exchange(m_beforeRun, QImage()));
    Q_EMIT composingChanged(false);
    Q_EMIT stepsChanged();
    Q_EMIT composed();
}

void DeckDocument::pasteOnCards(const QString &stepName, const CardPaste &paste)
{
    if (isComposing() || paste.isEmpty())
        return;
    const QImage before = m_sheet.image();
    paste.applyTo(m_sheet);
    m_record.paste(paste);
    recordStep(stepName, before);
}

void DeckDocument::replaceSheet(const QString &stepName, const QImage &sheet, const PrintRecord &record)
{
    const QImage before = m_sheet.image();
    m_sheet.setPicture(sheet);
    m_record = record.isEmpty() ? PrintRecord::fromSheet(m_sheet.image()) : record;
    recordStep(stepName, before);
}

void DeckDocument::recordStep(const QString &stepName, const QImage &before)
{
    const int was = m_history.stack().index();
    m_history.record(stepName, before);
    const int now = m_history.stack().index();
    if (now == was) {
        // A change of nothing is no step, and the record stays as the step has it.
        m_record = m_records.at(now);
        return;
    }
    m_records.resize(now);
    m_records.push_back(m_record);
    for (int i = 0; i < now - m_history.undoableSteps(); ++i)
        m_records[i] = PrintRecord();
}

// The records' pictures that only the history keeps alive: those of the present deck are the deck's own, and
// a picture that states share counts once, for the newest of them. While a step is being recorded its state
// is already the present, although its record is not yet among the states'.
std::vector<qint64> DeckDocument::recordBytesByState() const
{
    const int present = m_history.stack().index();
    std::vector<qint64> held(size_t(m_history.stack().count()) + 1, 0);
    QSet<qint64> counted;
    m_record.bytesBeyond(counted);
    for (int state = int(held.size()) - 1; state >= 0; --state) {
        if (state != present && state < int(m_records.size()))
            held[size_t(state)] = m_records[size_t(state)].bytesBeyond(counted);
    }
    return held;
}

void DeckDocument::followHistory()
{
    const int index = m_history.stack().index();
    if (index < int(m_records.size()))
        m_record = m_records[index];
}

void DeckDocument::newDeck()
{
    if (isComposing())
        return;
    const QImage before = m_sheet.image();
    loadBlankFiles();
    recordStep(texts::kNewStep, before);
    m_history.stack().setClean();
    progress::drawStartState(m_progress);
    Q_EMIT progressChanged();
}

void DeckDocument::openSheet(const QImage &sheet, const QString &name, const PrintRecord &record)
{
    if (isComposing())
        return;
    replaceSheet(texts::kOpenStep, sheet, record);
    m_name = name;
    m_history.stack().setClean();
}

void DeckDocument::markSaved(const QString &name)
{
    m_name = name;
    m_history.stack().setClean();
    m_recovery.discardCopy();
}

void DeckDocument::undo()
{
    if (isComposing())
        return;
    m_history.undo();
    followHistory();
}

void DeckDocument::redo()
{
    if (isComposing())
        return;
    m_history.redo();
    followHistory();
}

bool DeckDocument::keepRecoveryCopies(const QString &folder) { return m_recovery.start(folder); }

void DeckDocument::restoreRecovered(const QImage &sheet, const PrintRecord &record)
{
    replaceSheet(texts::kRecoveredStep, sheet, record);
    if (m_history.stack().isClean())
        m_history.stack().resetClean();
}

void DeckDocument::closing() { m_recovery.discardCopy(); }

} // namespace vellora
