#pragma once

#include "deck/deckhistory.h"
#include "project/projectstore.h"
#include "project/recoverykeeper.h"
#include "sheet/cardpaste.h"
#include "sheet/cardsheet.h"
#include "sheet/decksnapshot.h"
#include "sheet/printmaster.h"
#include "surface/appfolder.h"
#include "surface/backgroundtask.h"
#include "surface/surface.h"

#include <QImage>
#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace vellora {

class Pacer;
class PlacementRun;

// A symbol set as a run paints with it, and at the master's size: its own drawing when the data folder has
// one for the file, else the set enlarged.
struct SymbolSet
{
    QImage picture;
    QImage master;

    // "Data\Hkrs-<n>.krt" and its drawing; nothing when the file is missing or unreadable.
    static std::optional<SymbolSet> read(const AppFolder &folder, const QString &relative);
};

// What a new deck starts from, read from the data folder on any thread. A file that fails to load leaves
// its part empty, and the deck keeps what it has for that part.
struct BlankDeck
{
    QImage sheet;
    PrintRecord record;
    std::optional<SymbolSet> symbols;

    static BlankDeck read(const AppFolder &folder);
};

// The deck being designed: the card sheet, its symbol set, its undo history, whether it holds unsaved work,
// its project name and the copy that outlives a crash. Every change goes through one of the operations below
// and becomes one named step of the history; windows show the deck and ask it for changes, nothing else
// writes into the sheet.
class DeckDocument : public QObject
{
    Q_OBJECT
public:
    DeckDocument(AppFolder appFolder, Pacer &pacer, QObject *parent = nullptr);
    ~DeckDocument() override;

    const AppFolder &appFolder() const { return m_appFolder; }
    // 3990 x 1600 pixels; empty when the blank sheet could not be loaded.
    const Surface &sheet() const { return m_sheet; }
    // The symbol set a placement run paints with, 50 x 200 pixels.
    const QImage &symbols() const { return m_symbols; }
    // Cards the last run has finished, 0 to 52; 0 again after Nieuw.
    int finishedCards() const { return m_finishedCards; }
    const KolomX &kolomX() const { return m_kolomX; }
    const DeckHistory &history() const { return m_history; }
    // The project last saved or opened; empty before either.
    const QString &name() const { return m_name; }
    bool isModified() const { return !m_history.isClean(); }
    // While a placement run goes on, every other operation is refused.
    bool isComposing() const { return m_run != nullptr; }
    // A run or a save goes on: the deck takes no operation meanwhile, so that what is written is what is
    // marked saved.
    bool isBusy() const { return isComposing() || m_saving; }
    const RecoveryKeeper &recovery() const { return m_recovery; }
    // What the deck's print master is made of, always in step with the sheet (undo and redo included); a copy
    // is cheap, and render() on a worker gives the 11970 x 4800 picture.
    const PrintRecord &printRecord() const { return m_record; }
    // The deck as everything that reads it takes it (Save, the recovery copy, the print windows): values a
    // worker can hold while the user goes on. The record's master is 3 times as fine as the sheet.
    DeckSnapshot snapshot() const { return {m_sheet.image(), m_record, m_name, {}}; }
    // The symbol set at the master's size: its own drawing when the data folder has one for the set loaded,
    // else the set enlarged.
    const QImage &symbolsMaster() const { return m_symbolsMaster; }

    // The blank sheet and the default symbol set, as at start-up, before any step; no step. Files that fail to load are
    // skipped without a word.
    void loadBlank() { loadBlank(BlankDeck::read(m_appFolder)); }
    // The same, read beforehand (on a worker, while the window is built).
    void loadBlank(const BlankDeck &blank);
    // Loads "Data\Hkrs-<style>.krt"; a missing or unreadable file keeps the set there is.
    bool chooseSymbolStyle(int style);
    // Pips, index labels and mirrored halves on the 52 cards, one card after another with a pause between
    // them; "Symbolen plaatsen". Returns at once; composed() follows at the end. False while a run goes on.
    bool composeDeck(CardStyle style = CardStyle::Mirrored);
    // A picture dialog's choice pasted on its cards, under the step name given.
    void pasteOnCards(const QString &stepName, const CardPaste &paste);
    // Several pictures at once as one step, in order, such as every court card's own figure.
    void pasteOnCards(const QString &stepName, const std::vector<CardPaste> &pastes);
    // "Nieuw": the blank sheet and the default symbols, saved as they are.
    void newDeck();
    // "Vellora openen": the sheet of a project just read.
    // A record read beside the project, which must belong to this sheet, makes its master; without one the
    // master is the sheet enlarged.
    void openSheet(const QImage &sheet, const QString &name, const PrintRecord &record = {});
    // "Opslaan": writes the deck as project `name` of `store` on the deck's worker, its sheet and then the
    // print record beside it. saved() follows on this thread, the deck marked saved when the project was
    // written. False while the deck is busy.
    bool save(const ProjectStore &store, const QString &name);
    // How Save writes the project; tests put a slow or failing writer in its place.
    using ProjectWriter = std::function<Outcome(const QImage &sheet, const QString &name)>;
    void setProjectWriter(ProjectWriter writer) { m_writeProject = std::move(writer); }
    // The deck was written under this name.
    void markSaved(const QString &name);
    void undo();
    void redo();

    // Copies of unsaved work in `folder`; false when the folder cannot be used (the deck then keeps none).
    bool keepRecoveryCopies(const QString &folder);
    RecoveryKeeper &recovery() { return m_recovery; }
    // "Herstellen": a copy of lost work; unsaved, since it was never saved under a name.
    void restoreRecovered(const QImage &sheet, const PrintRecord &record = {});
    // The program closes normally: no copy is left behind.
    void closing();

Q_SIGNALS:
    // The sheet was replaced or changed by undo or redo: the card the step changed (column, row), or the whole
    // sheet.
    void sheetRestored(QPoint card, bool wholeSheet);
    void symbolsChanged();
    // After every finished card of a run.
    void progressChanged();
    void composingChanged(bool composing);
    // isBusy() changed.
    void busyChanged(bool busy);
    // A save has ended, the project written or not.
    void saved(const QString &name, const Outcome &written);
    void composed();
    void modifiedChanged(bool modified);
    // What can be undone or redone, or under which name, changed.
    void stepsChanged();

private:
    void useBlank(const BlankDeck &blank);
    void useSymbols(const SymbolSet &symbols);
    void replaceSheet(const QString &stepName, const QImage &sheet, const PrintRecord &record);
    void continueComposing();

    AppFolder m_appFolder;
    Pacer &m_pacer;
    Surface m_sheet;
    QImage m_symbols;
    int m_finishedCards = 0;
    KolomX m_kolomX;
    PrintRecord m_record;
    DeckHistory m_history{m_sheet, m_record};
    RecoveryKeeper m_recovery;
    QString m_name;
    std::unique_ptr<PlacementRun> m_run;
    // The deck as the run found it, for its undo step.
    QImage m_beforeRun;
    PrintRecord m_recordBeforeRun;
    QImage m_symbolsMaster;
    ProjectWriter m_writeProject;
    bool m_saving = false;
    // Last: work still running is waited for before anything it reports to is gone.
    BackgroundTask m_work;
};

} // namespace vellora
