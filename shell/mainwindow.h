#pragma once

#include "deck/deckdocument.h"
#include "placement/photoplace.h"
#include "project/projectcommands.h"
#include "project/projectstore.h"
#include "shell/cardviewer.h"
#include "shell/mainlayout.h"
#include "shell/mainmenus.h"
#include "surface/appfolder.h"
#include "surface/backgroundtask.h"
#include "surface/platform.h"

#include <QCursor>
#include <QMainWindow>
#include <QPoint>

#include <functional>
#include <memory>
#include <optional>

class QTimer;

namespace vellora {

class InputBlock;
class PrintQueues;

// The main window: shows the deck and the card in view, and turns the user's clicks into the deck's
// operations and the other windows. It holds no deck state of its own.
class Main : public QMainWindow
{
    Q_OBJECT
public:
    // The custom pointer's hot spot in Artwork/pointer.png.
    static constexpr QPoint kPointerHotspot{12, 1};

    // The print queues take the pages of every print window.
    Main(AppFolder appFolder, Pacer &pacer, Prompter &prompter, const PrintQueues &printQueues,
         QWidget *parent = nullptr);
    ~Main() override;

    // What "Resolutie Opvragen" reports; the screen the window stands on unless told otherwise.
    void setScreenMetrics(std::function<ScreenMetrics()> source) { m_screenMetrics = std::move(source); }

    // A placement run or a save goes on: the deck takes no other command meanwhile.
    bool isBusy() const { return m_deck.isBusy(); }

    DeckDocument &document() { return m_deck; }
    const DeckDocument &document() const { return m_deck; }
    // The card in view, as twip offsets of its column and row. Only the rank and suit row buttons move it.
    const CardInView &cardInView() const { return m_viewer->card(); }

    // Keeps copies of unsaved work in `folder`, after offering one that a program left when it ended
    // without closing. Asks only once the window stands behind the question.
    void startRecovery(const QString &folder);

    // The commands of the controls and menus.
    void showRank(int column);
    void showSuitRow(int row);
    void composeDeck();
    void chooseSymbolStyle(int style);
    void placePictures(int kind);
    // "Clipart gebruiken": the court dialog for a court card's button, else the joker dialog.
    void useClipart();
    // "Hofkaarten plaatsen": every court card its own figure, in one step.
    void placeAllCourts();
    void toggleGridLines();
    void newDeck();
    void openProject();
    void saveProject();
    void printFaces();
    void printBacks();
    void printWholeDeck();
    void undo();
    void redo();
    void showOverview();
    void toggleHelp();
    void showScreenInfo();
    void openScreenGuide();
    void openSoftwarePage();

Q_SIGNALS:
    // The photo dialog for the cards of the picture button pressed; the window shows it modally itself.
    void dialogformRequested();
    // "Clipart gebruiken": the joker dialog, likewise.
    void jokerFormRequested();
    // "Clipart gebruiken" after a court card's button: the court dialog of that rank, likewise.
    void courtFormRequested();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void wire();
    void showProgress();
    void composingChanged(bool composing);
    void busyChanged(bool busy);
    void updateEditItems();
    // Asks where, then the deck writes on its worker; `afterSaved` runs once the project is written.
    void startSave(std::function<void()> afterSaved);
    void saveEnded(const Outcome &written);
    void showPhotoDialog();
    void showJokerDialog();
    void showCourtDialog();
    void wirePictures();

    AppFolder m_appFolder;
    Pacer &m_pacer;
    Prompter &m_prompter;
    const PrintQueues &m_printQueues;
    ProjectStore m_store;
    ProjectCommands m_commands; // asks through m_prompter, reads and writes through m_store
    std::function<ScreenMetrics()> m_screenMetrics;
    QCursor m_pointer; // the arrow until Artwork/pointer.png says otherwise
    PhotoPlace m_photoPlace; // where the photo dialog opens, for the whole run
    DeckDocument m_deck;

    KaartSoort m_kaartSoort = KaartSoort::Aas;
    bool m_overlayVisible = true;
    bool m_closeWhenIdle = false; // closing waits for the work going on, then asks as usual
    // The save under way: where it goes, and what follows when it has written.
    struct PendingSave
    {
        ProjectCommands::SaveTarget target;
        std::function<void()> afterSaved;
    };
    std::optional<PendingSave> m_pendingSave;
    std::unique_ptr<InputBlock> m_inputBlock;
    QTimer *m_clock = nullptr;
    MainMenus m_menus;
    MainLayout m_layout;
    std::unique_ptr<CardViewer> m_viewer;
    // One thread for the artwork and then the blank deck, read while the widgets are built: the pictures wanted
    // first never share the second core with the 19 MB sheet.
    BackgroundTask m_startup;
};

} // namespace vellora
