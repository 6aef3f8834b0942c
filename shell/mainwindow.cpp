#include "shell/mainwindow.h"

#include "print/afdrukform.h"
#include "print/deckchoices.h"
#include "print/heledeckform.h"
#include "print/rugzijde.h"
#include "project/openform.h"
#include "shell/cardviewer.h"
#include "shell/datumtekst.h"
#include "shell/displayinfo.h"
#include "shell/inputblock.h"
#include "shell/opendocument.h"
#include "shell/progressbar.h"
#include "shell/showform.h"
#include "shell/website.h"
#include "surface/userfolders.h"
#include "surface/photofile.h"
#include "surface/twips.h"
#include "surface/widgets/artwork.h"
#include "surface/widgets/dialogparts.h"
#include "surface/widgets/imagebutton.h"
#include "surface/widgets/picturebox.h"

#include <QAction>
#include <QSettings>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QIcon>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTime>
#include <QTimer>

namespace vellora {

namespace {

const QString kClassicKey = QStringLiteral("kaarten/klassiek");

} // namespace

Main::Main(AppFolder appFolder, Pacer &pacer, Prompter &prompter, const PrintQueues &printQueues, QWidget *parent)
    : QMainWindow(parent), m_appFolder(std::move(appFolder)), m_pacer(pacer), m_prompter(prompter),
      m_printQueues(printQueues),
      m_store(m_appFolder, UserFolders::ofThisUser().data),
      m_commands(m_store, m_prompter), m_screenMetrics([this] { return ScreenMetrics::of(screen()); }),
      m_deck(m_appFolder, m_pacer)
{
    // The artwork, in the order the widgets ask for it, and then the blank deck are read on a worker while the
    // widgets are built here. One worker, so that the pictures wanted first never share the second core with
    // the 19 MB sheet.
    std::vector<ArtworkShelf::Piece> pieces = {{QStringLiteral("pointer.png"), 1.0},
                                               {QStringLiteral("icon.png"), 1.0}};
    for (const QString &name : MainLayout::artworkInOrder())
        pieces.push_back({name, devicePixelRatioF()});
    const ArtworkShelf artwork(m_appFolder, std::move(pieces), m_startup);
    QFuture<BlankDeck> blank = m_startup.runForResult([folder = m_appFolder](std::stop_token) {
        return BlankDeck::read(folder);
    });
    QFuture<bool> classic = m_startup.runForResult([](std::stop_token) {
        return print::openSettings(print::userSettingsFile())->value(kClassicKey, false).toBool();
    });
    setObjectName(QStringLiteral("Main"));
    // The modified mark shows while the sheet holds work that was not saved.
    setWindowTitle(QCoreApplication::translate("Main", "Zelf Vellora Maken[*]"));

    auto *panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("Panel"));
    setColours(panel, Qt::black, kPanelColour);
    setCentralWidget(panel);
    m_menus = MainMenus::build(this);

    // The pointer and the window icon stay at their own size: the system scales those itself.
    const QPixmap pointer = artwork.pixmap(QStringLiteral("pointer.png"), 1.0);
    if (!pointer.isNull())
        m_pointer = QCursor(pointer, kPointerHotspot.x(), kPointerHotspot.y());
    const QPixmap icon = artwork.pixmap(QStringLiteral("icon.png"), 1.0);
    if (!icon.isNull())
        setWindowIcon(QIcon(icon));
    m_layout = MainLayout::build(panel, this, artwork, m_pacer, m_pointer);
    m_deck.loadBlank(blank.takeResult());
    m_menus.classicCards->setChecked(classic.takeResult());
    m_viewer = std::make_unique<CardViewer>(m_deck, m_layout);
    // The frames with the margins they have at the top and left, and the menu bar above them: no empty
    // band below the frames, whatever the font and scale make of the menu bar.
    setFixedSize(px(12915 + 120), px(7635 + 30) + menuBar()->sizeHint().height());

    m_clock = new QTimer(this);
    m_clock->setObjectName(QStringLiteral("Timer1"));
    m_clock->setInterval(1000);
    m_clock->start();

    wire();
    m_layout.symbolSet->setPicture(m_deck.symbols());
    m_viewer->showAceOfHarten();
    updateEditItems();
}

Main::~Main() = default;

void Main::wire()
{
    connect(m_clock, &QTimer::timeout, this, [this] {
        m_layout.clock->setText(klokTekst(QTime::currentTime()));
        m_layout.clock->adjustSize();
    });
    // Any selection loads its set, also one made in code by another window.
    connect(m_layout.styleChoices, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
        if (checked)
            chooseSymbolStyle(id);
    });
    connect(m_layout.composeButton, &ImageButton::clicked, this, &Main::composeDeck);
    for (int i = 0; i < 5; ++i)
        connect(m_layout.placeButtons[i], &ImageButton::clicked, this, [this, i] { placePictures(i); });
    for (int i = 0; i < sheet::kColumns; ++i)
        connect(m_layout.rankButtons[i], &QPushButton::clicked, this, [this, i] { showRank(i); });
    for (int i = 0; i < sheet::kRows; ++i)
        connect(m_layout.suitRowButtons[i], &ImageButton::clicked, this, [this, i] { showSuitRow(i); });

    connect(m_menus.newDeck, &QAction::triggered, this, &Main::newDeck);
    connect(m_menus.openProject, &QAction::triggered, this, &Main::openProject);
    connect(m_menus.saveProject, &QAction::triggered, this, &Main::saveProject);
    connect(m_menus.printFaces, &QAction::triggered, this, &Main::printFaces);
    connect(m_menus.printBacks, &QAction::triggered, this, &Main::printBacks);
    connect(m_menus.printDeck, &QAction::triggered, this, &Main::printWholeDeck);
    connect(m_menus.exit, &QAction::triggered, this, &QWidget::close);
    connect(m_menus.undo, &QAction::triggered, this, &Main::undo);
    connect(m_menus.redo, &QAction::triggered, this, &Main::redo);
    connect(m_menus.classicCards, &QAction::toggled, this,
            [](bool on) { print::openSettings(print::userSettingsFile())->setValue(kClassicKey, on); });
    connect(m_menus.overview, &QAction::triggered, this, &Main::showOverview);
    connect(m_menus.gridLines, &QAction::triggered, this, &Main::toggleGridLines);
    connect(m_menus.help, &QAction::triggered, this, &Main::toggleHelp);
    connect(m_menus.moreSoftware, &QAction::triggered, this, &Main::openSoftwarePage);
    connect(m_menus.screenInfo, &QAction::triggered, this, &Main::showScreenInfo);
    connect(m_menus.screenGuide, &QAction::triggered, this, &Main::openScreenGuide);
    wirePictures();

    connect(&m_deck, &DeckDocument::symbolsChanged, this, [this] { m_layout.symbolSet->setPicture(m_deck.symbols()); });
    connect(&m_deck, &DeckDocument::progressChanged, this, &Main::showProgress);
    connect(&m_deck, &DeckDocument::composingChanged, this, &Main::composingChanged);
    connect(&m_deck, &DeckDocument::busyChanged, this, &Main::busyChanged);
    connect(&m_deck, &DeckDocument::saved, this, [this](const QString &, const Outcome &written) { saveEnded(written); });
    connect(&m_deck, &DeckDocument::modifiedChanged, this, &QWidget::setWindowModified);
    connect(&m_deck, &DeckDocument::stepsChanged, this, &Main::updateEditItems);
    connect(&m_deck, &DeckDocument::sheetRestored, this,
            [this](QPoint card, bool wholeSheet) { m_viewer->showChanged(card, wholeSheet); });
}

void Main::showProgress()
{
    progress::draw(m_layout.progressBar->surface(), m_deck.finishedCards());
    m_layout.progressBar->refresh();
}

void Main::updateEditItems()
{
    const DeckHistory &history = m_deck.history();
    const auto caption = [](const QString &verb, const QString &step) {
        return step.isEmpty() ? verb : verb + QStringLiteral(": ") + step;
    };
    m_menus.undo->setText(caption(QCoreApplication::translate("Main", "Ongedaan maken"), history.undoText()));
    m_menus.redo->setText(caption(QCoreApplication::translate("Main", "Opnieuw"), history.redoText()));
    m_menus.undo->setEnabled(!isBusy() && history.canUndo());
    m_menus.redo->setEnabled(!isBusy() && history.canRedo());
}

void Main::undo()
{
    if (!isBusy())
        m_deck.undo();
}

void Main::redo()
{
    if (!isBusy())
        m_deck.redo();
}

void Main::showRank(int column)
{
    if (!isBusy())
        m_viewer->showRank(column);
}

void Main::showSuitRow(int row)
{
    if (!isBusy())
        m_viewer->showSuitRow(row);
}

void Main::composeDeck()
{
    m_deck.composeDeck(m_menus.classicCards->isChecked() ? CardStyle::Classic : CardStyle::Mirrored);
}

void Main::composingChanged(bool composing)
{
    if (composing)
        return;
    // The ace of Harten, whatever card was chosen; KaartX, KaartY and KaartLabel stay as they were.
    m_viewer->showAceOfHarten();
    showProgress();
}

void Main::busyChanged(bool busy)
{
    // A run goes on between the window's events, and a save is of the deck as it was: a click meanwhile
    // could start a second run, show a card of a half-finished sheet or change what is being written.
    if (busy)
        m_inputBlock = std::make_unique<InputBlock>(this);
    else
        m_inputBlock.reset();
    updateEditItems();
    if (!busy && std::exchange(m_closeWhenIdle, false))
        QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
}

void Main::chooseSymbolStyle(int style) { m_deck.chooseSymbolStyle(style); }

void Main::toggleGridLines()
{
    // The action has already flipped its own check; the overlay's state decides, so the two cannot drift.
    if (!isBusy())
        m_overlayVisible = !m_overlayVisible;
    m_layout.showOverlay(m_overlayVisible);
    m_menus.gridLines->setChecked(m_overlayVisible);
}

void Main::newDeck()
{
    if (isBusy() || !m_commands.confirmNew())
        return;
    // The card in view keeps its offsets, and KaartLabel its rank, while the viewer shows the ace of Harten.
    m_deck.newDeck();
    m_viewer->showAceOfHarten();
    {
        // The default set was just loaded under its own name; selecting its option must not load it again.
        const QSignalBlocker quiet(m_layout.styleChoices);
        m_layout.styleButtons[0]->setChecked(true);
    }
    m_viewer->markFirstSuitRow();
}

void Main::openProject()
{
    if (isBusy())
        return;
    OpenForm form(m_store, m_commands, m_pacer, m_appFolder, this);
    form.exec();
    // Only the sheet and the viewer change: not the card in view, the style, the check mark or the bar.
    if (const std::optional<QImage> &sheet = form.openedSheet()) {
        m_deck.openSheet(*sheet, m_commands.lastName(), form.openedRecord().value_or(PrintRecord()));
        m_viewer->showAceOfHarten();
    }
}

void Main::saveProject()
{
    if (!isBusy())
        startSave({});
}

void Main::startSave(std::function<void()> afterSaved)
{
    const std::optional<ProjectCommands::SaveTarget> target = m_commands.askSaveTarget();
    if (!target)
        return;
    // The window goes on painting while the deck writes.
    m_pendingSave = PendingSave{*target, std::move(afterSaved)};
    if (!m_deck.save(m_store, target->name))
        m_pendingSave.reset();
}

void Main::saveEnded(const Outcome &written)
{
    const std::optional<PendingSave> pending = std::exchange(m_pendingSave, std::nullopt);
    if (pending && m_commands.finishSave(pending->target, written) && pending->afterSaved)
        pending->afterSaved();
}

void Main::printFaces()
{
    if (isBusy())
        return;
    const DeckSnapshot deck = m_deck.snapshot();
    AfdrukForm form(deck.sheet, m_pacer, m_prompter, m_appFolder, m_printQueues, this);
    form.setPrintRecord(deck.record);
    form.exec();
}

void Main::printBacks()
{
    if (!isBusy())
        Rugzijde(m_pacer, m_prompter, m_appFolder, m_printQueues, this).exec();
}

void Main::printWholeDeck()
{
    if (isBusy())
        return;
    // The dialogs are only reached from the window's own buttons.
    QtDeckDialogs dialogs;
    // The deck window's turn, back shift and paper, kept between runs.
    const std::unique_ptr<QSettings> settings = print::openSettings(print::userSettingsFile());
    const DeckSnapshot deck = m_deck.snapshot();
    HeleDeckForm form(deck.sheet, deck.name, m_pacer, m_prompter, m_appFolder, m_printQueues,
                      dialogs, *settings, this);
    form.setPrintRecord(deck.record);
    form.exec();
}

void Main::closeEvent(QCloseEvent *event)
{
    // A run counts as unsaved work, and a save may still fail: the question comes once either has ended.
    if (isBusy()) {
        m_closeWhenIdle = true;
        event->ignore();
        return;
    }
    if (m_deck.isModified()) {
        const Prompter::Answer answer = m_commands.askToSaveChanges();
        if (answer == Prompter::Answer::Yes)
            startSave([this] { QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection); });
        if (answer != Prompter::Answer::No) {
            event->ignore();
            return;
        }
    }
    // Any other window goes with the program, and the copy of the work with a clean exit.
    QMainWindow::closeEvent(event);
    if (!event->isAccepted())
        return;
    m_deck.closing();
    QCoreApplication::quit();
}

void Main::startRecovery(const QString &folder)
{
    // Without a folder of its own the program still runs, as it did before it kept copies.
    if (!m_deck.keepRecoveryCopies(folder))
        return;
    if (const std::optional<RecoveryStore::Work> copy = m_commands.recoverLeftover(m_deck.recovery())) {
        m_deck.restoreRecovered(copy->sheet, copy->record);
        m_viewer->showAceOfHarten();
    }
}

void Main::showOverview()
{
    if (!isBusy())
        Showform(m_deck.sheet().image(), m_pacer, m_appFolder, m_pointer, this).exec();
}

void Main::toggleHelp()
{
    // The viewer's own visibility decides, not the check mark: the two cannot drift apart.
    const bool showHelp = !m_layout.viewer->isHidden();
    m_layout.showHelpText(showHelp);
    m_menus.help->setChecked(showHelp);
}

void Main::openSoftwarePage() { OpenDocument(softwarePage()); }

void Main::showScreenInfo()
{
    m_prompter.message(beeldschermTekst(m_screenMetrics()), beeldschermTitel(), Prompter::Icon::None);
}

// The guide's name is one of the catalogue's texts, so the guide comes in the language the window speaks.
void Main::openScreenGuide()
{
    OpenDocument(m_appFolder.resolve(QCoreApplication::translate("Main", "\\Help\\Beeldscherm.pdf")));
}

} // namespace vellora
