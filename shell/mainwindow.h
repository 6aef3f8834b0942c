#pragma once

#include "surface/appfolder.h"
#include "sheet/cardsheet.h"
#include "placement/photoplace.h"
#include "surface/platform.h"
#include "project/projectcommands.h"
#include "project/projectstore.h"
#include "shell/sheethistory.h"
#include "surface/surface.h"

#include <QCursor>
#include <QMainWindow>
#include <QPalette>
#include <QPoint>

#include <array>
#include <functional>
#include <memory>

class QAction;
class QButtonGroup;
class QFrame;
class QLabel;
class QMenu;
class QPushButton;
class QRadioButton;
class QTimer;

namespace vellora {

class ImageButton;
class PictureBox;
class PrintQueues;
class RecoveryStore;
class ShapeWidget;

// The main window: owner of the card sheet, the viewer and every control the other windows work on. Its
// layout is fixed in twips; nothing reacts to a change of size.
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

    const AppFolder &appFolder() const { return m_appFolder; }

    // A few seconds after a change the sheet is copied to the folder, so that work survives a crash. A copy
    // that a program left there when it ended without closing is offered first.
    static constexpr int kRecoveryDelayMs = 3000;
    void startRecovery(const QString &folder);
    // The copy the quiet moment after a change writes: of the sheet when it holds unsaved work, else none.
    void writeRecoveryCopy();
    RecoveryStore *recovery() const { return m_recovery.get(); }

    // Every change of the sheet, to take back and do again.
    const SheetHistory &history() const { return m_history; }

    // The card sheet, 3990 x 1600 pixels; empty when the blank sheet could not be loaded.
    Surface &orgineel() { return m_orgineel; }
    const Surface &orgineel() const { return m_orgineel; }

    const CardInView &cardInView() const { return m_cardInView; }
    const KolomX &kolomX() const { return m_kolomX; }
    KaartSoort kaartSoort() const { return m_kaartSoort; }
    bool isBusy() const { return m_busy; }

    // Paints the cell at (kaartX, kaartY) twips of the sheet into the viewer, 1:1. Leaves KaartX and KaartY
    // alone: New and Open show the ace of Harten this way.
    void copyCellIntoViewer(int kaartX, int kaartY);

    // Loads Data\Hkrs-<index>.krt into HkrsPic; a missing or unreadable file keeps the set shown.
    bool loadSymbolSet(int index);

    // The menu that picture button 4 pops up.
    QMenu *jokerOfFoto() const { return m_jokerOfFoto; }

    // The handlers of the controls, one per control and event.
    void Knop_Click(int index);
    void Img_Click(int index);
    void OkKnop_Click();
    void Option1_Click(int index);
    void Image1_Click(int index);
    void Gridlijnen_Click();
    void Timer1_Timer();
    void FileNew_Click();
    void FileOpen_Click();
    void FileSave_Click();
    void Afdrukken_Click(int index);
    void FileExit_Click();
    void EditUndo_Click();
    void EditRedo_Click();
    void ToolsShowKaarten_Click();
    void HelpHelp_Click();
    void HelpSoftware_Click();
    void HelpResolutie_Click(int index);

Q_SIGNALS:
    // Picture buttons 0 to 3 and "Eigen foto gebruiken": the photo dialog fills the cards of kaartSoort().
    // The window shows it modally itself; the signal comes first.
    void dialogformRequested();
    // "Clipart gebruiken": the joker dialog, likewise.
    void jokerFormRequested();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void showDialogform();
    void showJokerForm();
    QFrame *buildFrame(const char *name, int left, int top, int width, int height);
    void buildMenus();
    QAction *menuItem(QMenu *menu, const QString &name, const QString &caption);
    QMenu *subMenu(QMenu *parent, const QString &name, const QString &caption);
    void buildSymbolStyleFrame();    // Frame1
    void buildPicturePlacementFrame(); // Frame2
    void buildProgressFrame();       // Frame7
    void buildDateFrame();           // Frame4
    void buildViewerFrame();         // Frame3
    void buildSuitRowFrame();        // Frame5
    void buildLogoFrame();           // Frame6
    void buildWebAddressFrame();     // Frame8
    void buildEditMenu();
    void updateEditItems();
    void setBusy(bool busy);
    void showRestored(QPoint card, bool wholeSheet);
    bool saveProject();
    void offerRecovery();
    void loadBlankSheet();
    void loadSheetAndFirstCard();
    bool loadSymbolFile(const QString &relative);
    void setOverlayVisible(bool visible);
    QPixmap artwork(const QString &name) const;
    ImageButton *imageButton(QWidget *parent, const QString &name, const QRect &twips, const QString &picture);

    AppFolder m_appFolder;
    Pacer &m_pacer;
    Prompter &m_prompter; // for the commands that ask; start-up never does
    const PrintQueues &m_printQueues;
    ProjectStore m_store;
    ProjectCommands m_commands; // asks through m_prompter, reads and writes through m_store
    std::function<ScreenMetrics()> m_screenMetrics;
    QCursor m_pointer; // the arrow until Artwork/pointer.png says otherwise
    PhotoPlace m_photoPlace; // where the photo dialog opens, for the whole run

    Surface m_orgineel;
    SheetHistory m_history{m_orgineel};
    std::unique_ptr<RecoveryStore> m_recovery;
    QTimer *m_recoveryTimer = nullptr;
    CardInView m_cardInView;
    KolomX m_kolomX;
    KaartSoort m_kaartSoort = KaartSoort::Aas;
    bool m_busy = false;
    bool m_overlayVisible = true;

    QWidget *m_panel = nullptr;
    QPalette m_panelPalette;

    PictureBox *m_hkrsPic = nullptr;
    QButtonGroup *m_options = nullptr;
    std::array<QRadioButton *, 10> m_option1{};
    ImageButton *m_okKnop = nullptr;
    std::array<ImageButton *, 5> m_image1{};
    PictureBox *m_termometer = nullptr;
    PictureBox *m_bar = nullptr;
    QLabel *m_datumLabel = nullptr;
    QLabel *m_klokLabel = nullptr;
    QTimer *m_timer1 = nullptr;
    QLabel *m_label1 = nullptr;
    PictureBox *m_pic = nullptr;
    QLabel *m_helpScherm = nullptr;
    QLabel *m_kaartLabel = nullptr;
    ShapeWidget *m_binnenImage = nullptr;
    std::array<ShapeWidget *, 6> m_lines{}; // Line1 .. Line6
    std::array<QPushButton *, 14> m_knop{};
    std::array<ImageButton *, 4> m_img{};
    QLabel *m_vinkje = nullptr;
    QAction *m_editUndo = nullptr;
    QAction *m_editRedo = nullptr;
    QAction *m_gridlijnen = nullptr;
    QAction *m_helpHelp = nullptr;
    QMenu *m_jokerOfFoto = nullptr;
};

} // namespace vellora
