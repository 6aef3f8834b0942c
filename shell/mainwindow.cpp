#include "shell/mainwindow.h"

#include "surface/widgets/artwork.h"

#include "print/afdrukform.h"
#include "shell/datumtekst.h"
#include "placement/dialogform.h"
#include "print/heledeckform.h"
#include "shell/displayinfo.h"
#include "shell/helptekst.h"
#include "surface/widgets/imagebutton.h"
#include "shell/inputblock.h"
#include "placement/jokerform.h"
#include "shell/opendocument.h"
#include "project/openform.h"
#include "surface/widgets/picturebox.h"
#include "surface/picturefile.h"
#include "sheet/placementengine.h"
#include "surface/platform.h"
#include "project/recoverystore.h"
#include "print/rugzijde.h"
#include "shell/showform.h"
#include "shell/termometer.h"
#include "surface/twips.h"
#include "shell/website.h"

#include <QAction>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFrame>
#include <QIcon>
#include <QKeySequence>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QStandardPaths>
#include <QTimer>

#include <utility>

namespace vellora {

namespace {

const QColor kPanelColour(220, 220, 190);
const QColor kLabelText(64, 64, 64);
const QColor kGridColour(224, 224, 224);

const char *const kOption1Captions[] = {
    " Default Symbolen",     " Schuingeplaatste Symbolen", " Randschaduw Symbolen", " Lichteffect Symbolen",
    " Transparante Symbolen", " Gevlekte Symbolen",         " Geborduurde Symbolen", " Glas Symbolen",
    " Diagonale Symbolen",   " Diamanten Symbolen",
};

const char *const kLabel5Captions[] = {
    "Azen plaatsen", "Boeren plaatsen", "Vrouwen plaatsen", "Koningen plaatsen", "Jokers plaatsen",
};

QString arrayName(const char *name, int index) { return QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(index); }

QFont arial(double points, bool bold = false)
{
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(fontPixels(points));
    font.setBold(bold);
    return font;
}

void setColours(QWidget *widget, const QColor &text, const QColor &background = QColor())
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, text);
    palette.setColor(QPalette::ButtonText, text);
    palette.setColor(QPalette::Text, text);
    if (background.isValid()) {
        palette.setColor(QPalette::Window, background);
        palette.setColor(QPalette::Button, background);
        widget->setAutoFillBackground(true);
    }
    widget->setPalette(palette);
}

// A label whose size follows its caption, as the labels of the design that were given no size.
QLabel *captionLabel(QWidget *parent, const QString &name, const QString &text, QPoint twips, const QFont &font,
                     const QColor &colour)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setFont(font);
    setColours(label, colour);
    label->move(px(twips));
    label->adjustSize();
    return label;
}

// A plain coloured rectangle that other controls stand on.
QLabel *panelLabel(QWidget *parent, const QString &name, const QRect &twips, const QColor &background)
{
    auto *label = new QLabel(parent);
    label->setObjectName(name);
    label->setGeometry(px(twips));
    setColours(label, kLabelText, background);
    return label;
}

// A check mark when on and nothing when off: the style's own indicator is an empty box when off. An item
// with an icon shows the icon's On or Off picture in place of that box.
QIcon checkMarkIcon()
{
    constexpr int size = 64; // drawn large, so it stays sharp on a scaled screen
    QPixmap on(size, size), off(size, size);
    on.fill(Qt::transparent);
    off.fill(Qt::transparent);
    QPainter painter(&on);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(40, 40, 40), 7, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPolyline(QPolygonF({QPointF(14, 34), QPointF(27, 47), QPointF(51, 17)}));
    painter.end();
    QIcon icon;
    for (const QIcon::Mode mode : {QIcon::Normal, QIcon::Active, QIcon::Selected, QIcon::Disabled}) {
        icon.addPixmap(on, mode, QIcon::On);
        icon.addPixmap(off, mode, QIcon::Off);
    }
    return icon;
}

} // namespace

Main::Main(AppFolder appFolder, Pacer &pacer, Prompter &prompter, const PrintQueues &printQueues,
           QWidget *parent)
    : QMainWindow(parent), m_appFolder(std::move(appFolder)), m_pacer(pacer), m_prompter(prompter),
      m_printQueues(printQueues),
      m_store(m_appFolder, QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)), m_commands(m_store, m_prompter),
      m_screenMetrics([this] { return ScreenMetrics::of(screen()); })
{
    setObjectName(QStringLiteral("Main"));
    // The modified mark shows while the sheet holds work that was not saved.
    setWindowTitle(QStringLiteral("Zelf Vellora Maken[*]"));

    // The pointer and the window icon stay at their own size: the system scales those itself.
    const QPixmap pointer = artworkPixmap(m_appFolder, QStringLiteral("pointer.png"), 1.0);
    if (!pointer.isNull())
        m_pointer = QCursor(pointer, kPointerHotspot.x(), kPointerHotspot.y());
    const QPixmap icon = artworkPixmap(m_appFolder, QStringLiteral("icon.png"), 1.0);
    if (!icon.isNull())
        setWindowIcon(QIcon(icon));

    m_panel = new QWidget(this);
    m_panel->setObjectName(QStringLiteral("Panel"));
    setColours(m_panel, Qt::black, kPanelColour);
    setCentralWidget(m_panel);

    buildMenus();
    buildSymbolStyleFrame();
    buildPicturePlacementFrame();
    buildProgressFrame();
    buildDateFrame();
    buildViewerFrame();
    buildSuitRowFrame();
    buildLogoFrame();
    buildWebAddressFrame();
    loadSheetAndFirstCard();
    // The frames with the margins they have at the top and left, and the menu bar above them: no empty
    // band below the frames, whatever the font and scale make of the menu bar.
    setFixedSize(px(12915 + 120), px(7635 + 30) + menuBar()->sizeHint().height());

    connect(this, &Main::dialogformRequested, this, &Main::showDialogform);
    connect(this, &Main::jokerFormRequested, this, &Main::showJokerForm);

    m_recoveryTimer = new QTimer(this);
    m_recoveryTimer->setObjectName(QStringLiteral("RecoveryTimer"));
    m_recoveryTimer->setSingleShot(true);
    m_recoveryTimer->setInterval(kRecoveryDelayMs);
    connect(m_recoveryTimer, &QTimer::timeout, this, &Main::writeRecoveryCopy);
    connect(&m_history.stack(), &QUndoStack::cleanChanged, this, [this](bool clean) { setWindowModified(!clean); });
    connect(&m_history.stack(), &QUndoStack::indexChanged, this, [this] {
        if (m_recovery)
            m_recoveryTimer->start();
    });
    connect(&m_history, &SheetHistory::stepsChanged, this, &Main::updateEditItems);
    connect(&m_history, &SheetHistory::sheetRestored, this, &Main::showRestored);
    updateEditItems();
}

Main::~Main() = default;

QPixmap Main::artwork(const QString &name) const
{
    return artworkPixmap(m_appFolder, name, this);
}

QFrame *Main::buildFrame(const char *name, int left, int top, int width, int height)
{
    auto *frame = new QFrame(m_panel);
    frame->setObjectName(QLatin1String(name));
    frame->setFrameStyle(QFrame::Box | QFrame::Sunken); // the etched outline of a frame without caption
    frame->setGeometry(twipRect(left, top, width, height));
    setColours(frame, Qt::black, kPanelColour);
    return frame;
}

ImageButton *Main::imageButton(QWidget *parent, const QString &name, const QRect &twips, const QString &picture)
{
    auto *button = new ImageButton(parent);
    button->setObjectName(name);
    button->setGeometry(px(twips));
    const QPixmap image = artwork(picture);
    if (!image.isNull())
        button->setPixmap(image);
    button->setCursor(m_pointer);
    return button;
}

QAction *Main::menuItem(QMenu *menu, const QString &name, const QString &caption)
{
    // Captions carry no '&', so no item gets an access key; none gets a shortcut either.
    QAction *action = menu->addAction(caption);
    action->setObjectName(name);
    return action;
}

QMenu *Main::subMenu(QMenu *parent, const QString &name, const QString &caption)
{
    QMenu *menu = parent ? parent->addMenu(caption) : menuBar()->addMenu(caption);
    menu->setObjectName(name);
    menu->menuAction()->setObjectName(name);
    return menu;
}

void Main::buildMenus()
{
    QMenu *file = subMenu(nullptr, QStringLiteral("File"), QStringLiteral("File"));
    connect(menuItem(file, QStringLiteral("FileNew"), QStringLiteral("Nieuw")), &QAction::triggered, this,
            &Main::FileNew_Click);
    connect(menuItem(file, QStringLiteral("FileOpen"), QStringLiteral("Open Vellora")), &QAction::triggered, this,
            &Main::FileOpen_Click);
    connect(menuItem(file, QStringLiteral("FileSave"), QStringLiteral("Vellora Opslaan")), &QAction::triggered,
            this, &Main::FileSave_Click);
    file->addSeparator()->setObjectName(QStringLiteral("Streep1"));
    QMenu *print = subMenu(file, QStringLiteral("FilePrint"), QStringLiteral("Afdrukken"));
    connect(menuItem(print, arrayName("Afdrukken", 1), QStringLiteral("Vellora")), &QAction::triggered, this,
            [this] { Afdrukken_Click(1); });
    connect(menuItem(print, arrayName("Afdrukken", 2), QStringLiteral("Rugzijde")), &QAction::triggered, this,
            [this] { Afdrukken_Click(2); });
    connect(menuItem(print, arrayName("Afdrukken", 3), QStringLiteral("Hele deck…")), &QAction::triggered, this,
            [this] { Afdrukken_Click(3); });
    file->addSeparator()->setObjectName(QStringLiteral("Streep2"));
    connect(menuItem(file, QStringLiteral("FileExit"), QStringLiteral("Exit")), &QAction::triggered, this,
            &Main::FileExit_Click);

    buildEditMenu();

    QMenu *tools = subMenu(nullptr, QStringLiteral("Tools"), QStringLiteral("Tools"));
    connect(menuItem(tools, QStringLiteral("ToolsShowKaarten"), QStringLiteral("Overzicht alle Vellora")),
            &QAction::triggered, this, &Main::ToolsShowKaarten_Click);
    m_gridlijnen = menuItem(tools, QStringLiteral("Gridlijnen"), QStringLiteral("Grid Lijnen"));
    m_gridlijnen->setCheckable(true);
    m_gridlijnen->setIcon(checkMarkIcon());
    m_gridlijnen->setChecked(true);
    connect(m_gridlijnen, &QAction::triggered, this, [this] { Gridlijnen_Click(); });

    QMenu *help = subMenu(nullptr, QStringLiteral("Help"), QStringLiteral("Help"));
    m_helpHelp = menuItem(help, QStringLiteral("HelpHelp"), QStringLiteral("Help"));
    m_helpHelp->setCheckable(true);
    m_helpHelp->setIcon(checkMarkIcon());
    connect(m_helpHelp, &QAction::triggered, this, [this] { HelpHelp_Click(); });
    connect(menuItem(help, QStringLiteral("HelpSoftware"), QStringLiteral("Meer Software")), &QAction::triggered,
            this, &Main::HelpSoftware_Click);
    QMenu *screen = subMenu(help, QStringLiteral("Beeldscherm"), QStringLiteral("Beeldscherm"));
    connect(menuItem(screen, arrayName("HelpResolutie", 1), QStringLiteral("Resolutie Opvragen")),
            &QAction::triggered, this, [this] { HelpResolutie_Click(1); });
    connect(menuItem(screen, arrayName("HelpResolutie", 2), QStringLiteral("Wijzigen Resolutie")),
            &QAction::triggered, this, [this] { HelpResolutie_Click(2); });

    // Never in the menu bar: picture button 4 pops it up.
    m_jokerOfFoto = new QMenu(QStringLiteral("JokerOfFoto"), this);
    m_jokerOfFoto->setObjectName(QStringLiteral("JokerOfFoto"));
    QAction *clipart = menuItem(m_jokerOfFoto, arrayName("ClipartOfFoto", 1), QStringLiteral("Clipart gebruiken"));
    connect(clipart, &QAction::triggered, this, &Main::jokerFormRequested);
    QAction *foto = menuItem(m_jokerOfFoto, arrayName("ClipartOfFoto", 2), QStringLiteral("Eigen foto gebruiken"));
    connect(foto, &QAction::triggered, this, &Main::dialogformRequested);
}

void Main::buildEditMenu()
{
    QMenu *edit = subMenu(nullptr, QStringLiteral("Bewerken"), QStringLiteral("Bewerken"));
    m_editUndo = menuItem(edit, QStringLiteral("EditUndo"), QString());
    m_editUndo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    connect(m_editUndo, &QAction::triggered, this, &Main::EditUndo_Click);
    m_editRedo = menuItem(edit, QStringLiteral("EditRedo"), QString());
    m_editRedo->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    connect(m_editRedo, &QAction::triggered, this, &Main::EditRedo_Click);
}

void Main::updateEditItems()
{
    const auto caption = [](const QString &verb, const QString &step) {
        return step.isEmpty() ? verb : verb + QStringLiteral(": ") + step;
    };
    m_editUndo->setText(caption(QStringLiteral("Ongedaan maken"), m_history.undoText()));
    m_editRedo->setText(caption(QStringLiteral("Opnieuw"), m_history.redoText()));
    m_editUndo->setEnabled(!m_busy && m_history.canUndo());
    m_editRedo->setEnabled(!m_busy && m_history.canRedo());
}

void Main::setBusy(bool busy)
{
    m_busy = busy;
    updateEditItems();
}

void Main::EditUndo_Click()
{
    if (!m_busy)
        m_history.undo();
}

void Main::EditRedo_Click()
{
    if (!m_busy)
        m_history.redo();
}

void Main::showRestored(QPoint card, bool wholeSheet)
{
    // A whole sheet shows its ace of Harten, as after Ok, New and Open; a pasted picture shows its card as if
    // its rank and suit row buttons had been pressed.
    if (wholeSheet) {
        copyCellIntoViewer(0, 0);
        return;
    }
    Knop_Click(card.x());
    m_cardInView.KaartY = sheet::cellOrigin(card.y(), 0).y();
    copyCellIntoViewer(m_cardInView.KaartX, m_cardInView.KaartY);
    m_vinkje->move(m_vinkje->x(), m_img[static_cast<std::size_t>(card.y())]->y());
}

void Main::buildSymbolStyleFrame()
{
    QFrame *frame = buildFrame("Frame1", 120, 30, 4500, 3570);

    panelLabel(frame, QStringLiteral("Label4"), QRect(180, 240, 900, 3150), Qt::white);

    m_hkrsPic = new PictureBox(frame);
    m_hkrsPic->setObjectName(QStringLiteral("HkrsPic"));
    m_hkrsPic->setGeometry(twipRect(255, 315, 750, 3000));

    m_options = new QButtonGroup(this);
    for (int i = 0; i < 10; ++i) {
        auto *option = new QRadioButton(QLatin1String(kOption1Captions[i]), frame);
        option->setObjectName(arrayName("Option1", i));
        // The last two stop short of the Ok button beside them.
        option->setGeometry(twipRect(1410, 420 + 285 * i, i >= 8 ? 2010 : 2700, 270));
        option->setFont(arial(8.25));
        setColours(option, QColor(90, 90, 90), kPanelColour);
        m_options->addButton(option, i);
        m_option1[static_cast<std::size_t>(i)] = option;
    }
    m_option1[0]->setChecked(true);
    // Any selection loads its set, also one made in code by another window.
    connect(m_options, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
        if (checked)
            Option1_Click(id);
    });

    m_okKnop = imageButton(frame, QStringLiteral("OkKnop"), QRect(3570, 2970, 765, 435), QStringLiteral("ok.png"));
    m_okKnop->setToolTip(QStringLiteral(" Getallen en Symbolen plaatsen "));
    connect(m_okKnop, &ImageButton::clicked, this, &Main::OkKnop_Click);
}

void Main::buildPicturePlacementFrame()
{
    QFrame *frame = buildFrame("Frame2", 120, 3630, 3000, 3990);
    for (int i = 0; i < 5; ++i) {
        const int top = 240 + 720 * i;
        ImageButton *button = imageButton(frame, arrayName("Image1", i), QRect(240, top, 750, 735),
                                          QStringLiteral("picture-%1.png").arg(i));
        connect(button, &ImageButton::clicked, this, [this, i] { Image1_Click(i); });
        m_image1[static_cast<std::size_t>(i)] = button;
        captionLabel(frame, arrayName("Label5", i), QLatin1String(kLabel5Captions[i]), QPoint(1080, top + 240),
                     arial(9.75), kLabelText);
    }
}

void Main::buildProgressFrame()
{
    QFrame *frame = buildFrame("Frame7", 3240, 3630, 1380, 3990);

    m_termometer = new PictureBox(frame);
    m_termometer->setObjectName(QStringLiteral("Termometer"));
    m_termometer->setGeometry(twipRect(150, 240, 1080, 3600));
    m_termometer->surface().backColor = kPanelColour;
    m_termometer->surface().resize(m_termometer->width(), m_termometer->height());
    drawTermometerScale(m_termometer->surface());

    m_bar = new PictureBox(m_termometer, Surface::Units::Pixels);
    m_bar->setObjectName(QStringLiteral("Bar"));
    m_bar->setGeometry(twipRect(420, 180, 210, 3000));
    m_bar->surface().backColor = QColor(0, 64, 0);
    m_bar->surface().resize(m_bar->width(), m_bar->height());
    progress::drawStartState(m_bar->surface());
}

void Main::buildDateFrame()
{
    QFrame *frame = buildFrame("Frame4", 4720, 30, 4755, 510);
    // Computed once: the line is not renewed when the date changes while the program runs.
    m_datumLabel = captionLabel(frame, QStringLiteral("DatumLabel"), DatumTekst(QDate::currentDate()),
                                QPoint(135, 205), arial(8.25), kLabelText);
    m_klokLabel = captionLabel(frame, QStringLiteral("KlokLabel"), QStringLiteral("00:00:00"), QPoint(3990, 205),
                               arial(8.25), kLabelText);

    m_timer1 = new QTimer(this);
    m_timer1->setObjectName(QStringLiteral("Timer1"));
    m_timer1->setInterval(1000);
    connect(m_timer1, &QTimer::timeout, this, &Main::Timer1_Timer);
    m_timer1->start();
}

void Main::buildViewerFrame()
{
    QFrame *frame = buildFrame("Frame3", 4720, 570, 4755, 7050);

    m_label1 = panelLabel(frame, QStringLiteral("Label1"), QRect(150, 240, 4440, 6165), Qt::white);

    m_pic = new PictureBox(frame);
    m_pic->setObjectName(QStringLiteral("Pic"));
    m_pic->setGeometry(twipRect(240, 330, sheet::kCellWidth, sheet::kCellHeight));
    m_pic->surface().resize(m_pic->width(), m_pic->height());

    m_helpScherm = new QLabel(helpTekst(), frame);
    m_helpScherm->setObjectName(QStringLiteral("HelpScherm"));
    m_helpScherm->setGeometry(twipRect(300, 390, 4275, 6000));
    QFont comic(QStringLiteral("Comic Sans MS"));
    comic.setPixelSize(fontPixels(9.75));
    m_helpScherm->setFont(comic);
    m_helpScherm->setTextFormat(Qt::PlainText);
    m_helpScherm->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_helpScherm->setWordWrap(true);
    setColours(m_helpScherm, QColor(220, 220, 220), QColor(0, 0, 40));
    m_helpScherm->hide();

    // The overlay over the viewer: the guide lines, the picture area and the rank.
    m_kaartLabel = captionLabel(m_pic, QStringLiteral("KaartLabel"), sheet::rankLabel(0), QPoint(1830, 2400),
                                arial(48, true), QColor(192, 192, 192));
    m_kaartLabel->setAttribute(Qt::WA_TransparentForMouseEvents);

    m_binnenImage = new ShapeWidget(ShapeWidget::Kind::Rectangle, QColor(255, 128, 128), m_pic);
    m_binnenImage->setObjectName(QStringLiteral("BinnenImage"));
    m_binnenImage->setGeometry(twipRect(900, 900, 2475, 4200));

    struct LineEnds
    {
        QPoint from, to;
    };
    const LineEnds ends[6] = {
        {{2130, 0}, {2130, 6000}}, // Line1
        {{0, 3000}, {4275, 3000}}, // Line2
        {{1140, 0}, {1140, 6000}}, // Line3
        {{3135, 0}, {3135, 6000}}, // Line4
        {{0, 1500}, {4275, 1500}}, // Line5
        {{0, 4500}, {4275, 4500}}, // Line6
    };
    for (int i = 0; i < 6; ++i) {
        auto *line = new ShapeWidget(ShapeWidget::Kind::Line, kGridColour, m_pic);
        line->setObjectName(QStringLiteral("Line%1").arg(i + 1));
        line->setLine(ends[i].from, ends[i].to);
        m_lines[static_cast<std::size_t>(i)] = line;
    }

    panelLabel(frame, QStringLiteral("Label2"), QRect(150, 6495, 4470, 405), QColor(128, 128, 128));
    for (int i = 0; i < sheet::kColumns; ++i) {
        auto *knop = new QPushButton(sheet::rankLabel(i), frame);
        knop->setObjectName(arrayName("Knop", i));
        knop->setGeometry(twipRect(180 + 315 * i, 6525, 315, 345));
        knop->setFont(arial(8, true));
        knop->setToolTip(sheet::rankTooltip(i));
        knop->setFocusPolicy(Qt::TabFocus);
        // A style sheet, because the platform style paints its own button face over the colour; and the
        // buttons are too narrow for the style's padding around "10".
        knop->setStyleSheet(QStringLiteral(
            "QPushButton { background-color: rgb(240, 220, 150); color: black; padding: 0px;"
            " border: 1px solid rgb(120, 110, 75); }"
            "QPushButton:pressed { background-color: rgb(220, 200, 130); }"));
        connect(knop, &QPushButton::clicked, this, [this, i] { Knop_Click(i); });
        m_knop[static_cast<std::size_t>(i)] = knop;
    }
}

void Main::buildSuitRowFrame()
{
    QFrame *frame = buildFrame("Frame5", 9600, 30, 3315, 3600);
    for (int i = 0; i < sheet::kRows; ++i) {
        const int top = 270 + 810 * i;
        ImageButton *img =
            imageButton(frame, arrayName("Img", i), QRect(210, top, 750, 750), QStringLiteral("suit-%1.png").arg(i));
        img->setToolTip(sheet::suitRowTooltip(i));
        connect(img, &ImageButton::clicked, this, [this, i] { Img_Click(i); });
        m_img[static_cast<std::size_t>(i)] = img;
        captionLabel(frame, arrayName("ImgLabel", i), sheet::suitRowLabel(i), QPoint(1020, top + 210), arial(9.75),
                     kLabelText);
    }
    m_vinkje = new QLabel(frame);
    m_vinkje->setObjectName(QStringLiteral("Vinkje"));
    m_vinkje->setGeometry(twipRect(2430, 270, 750, 750));
    m_vinkje->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    const QPixmap vinkje = artwork(QStringLiteral("vinkje.png"));
    if (!vinkje.isNull())
        m_vinkje->setPixmap(vinkje);
}

void Main::buildLogoFrame()
{
    QFrame *frame = buildFrame("Frame6", 9600, 3660, 3315, 3315);
    auto *logo = new QLabel(frame);
    logo->setObjectName(QStringLiteral("Logo"));
    logo->setGeometry(twipRect(150, 180, 3000, 3000));
    logo->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    const QPixmap image = artwork(QStringLiteral("logo.png"));
    if (!image.isNull())
        logo->setPixmap(image);
}

void Main::buildWebAddressFrame()
{
    QFrame *frame = buildFrame("Frame8", 9600, 7005, 3315, 630);
    QLabel *label = captionLabel(frame, QStringLiteral("Label3"), webAddress(), QPoint(240, 135), arial(16, true),
                                 QColor(140, 150, 160));
    // Size, weight and place are fixed, and an address longer than the frame allows would be cut off at its
    // edge: its letters close up just enough to end inside the frame's border instead.
    const int room = frame->contentsRect().right() + 1 - label->x();
    const int excess = label->width() - room;
    if (excess > 0 && label->text().size() > 1) {
        QFont font = label->font();
        font.setLetterSpacing(QFont::AbsoluteSpacing, -(excess + 1.0) / (label->text().size() - 1));
        label->setFont(font);
        label->adjustSize();
    }
}

// Every failing step is skipped without a word and the next one runs, so the window opens, and New
// completes, whatever is missing.
void Main::loadBlankSheet()
{
    const PictureLoad sheet = PictureFile::load(m_appFolder.resolve(u"\\Data\\Kaarten.krt"));
    if (sheet.ok())
        m_orgineel.setPicture(sheet.image);
    copyCellIntoViewer(0, 0);
    loadSymbolFile(QStringLiteral("\\Data\\hkrs-0.krt"));
}

void Main::loadSheetAndFirstCard()
{
    loadBlankSheet();
    m_cardInView = CardInView{};
}

void Main::copyCellIntoViewer(int kaartX, int kaartY)
{
    m_pic->surface().paintPicture(m_orgineel.image(), QRectF(0, 0, sheet::kCellWidth, sheet::kCellHeight),
                                  QRectF(kaartX, kaartY, sheet::kCellWidth, sheet::kCellHeight));
    m_pic->refresh();
}

bool Main::loadSymbolFile(const QString &relative)
{
    const PictureLoad symbols = PictureFile::load(m_appFolder.resolve(relative));
    if (!symbols.ok())
        return false;
    m_hkrsPic->setPicture(symbols.image);
    return true;
}

bool Main::loadSymbolSet(int index)
{
    return loadSymbolFile(QStringLiteral("\\Data\\Hkrs-%1.krt").arg(index));
}

void Main::setOverlayVisible(bool visible)
{
    m_overlayVisible = visible;
    for (ShapeWidget *line : m_lines)
        line->setVisible(visible);
    m_binnenImage->setVisible(visible);
    m_kaartLabel->setVisible(visible);
    m_gridlijnen->setChecked(visible);
}

void Main::Knop_Click(int index)
{
    if (m_busy || index < 0 || index >= sheet::kColumns)
        return;
    m_cardInView.KaartX = sheet::cellOrigin(0, index).x();
    copyCellIntoViewer(m_cardInView.KaartX, m_cardInView.KaartY);
    // "10" is two digits wide and stands further left to stay centred.
    m_kaartLabel->setText(sheet::rankLabel(index));
    m_kaartLabel->adjustSize();
    m_kaartLabel->move(px(index == 9 ? 1560 : 1830), px(2400));
}

void Main::Img_Click(int index)
{
    if (m_busy || index < 0 || index >= sheet::kRows)
        return;
    ImageButton *img = m_img[static_cast<std::size_t>(index)];
    img->pressedLook(m_pacer);
    m_cardInView.KaartY = sheet::cellOrigin(index, 0).y();
    copyCellIntoViewer(m_cardInView.KaartX, m_cardInView.KaartY);
    m_vinkje->move(m_vinkje->x(), img->y());
}

void Main::OkKnop_Click()
{
    if (m_busy)
        return;
    setBusy(true);
    const QImage before = m_orgineel.image();
    {
        const InputBlock block;
        m_okKnop->pressedLook(m_pacer);
        runPlacement(PlacementRun{m_orgineel, m_hkrsPic->image(), m_bar->surface(), m_kolomX, m_pacer, [this] {
                                      m_bar->repaint();
                                      QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
                                  }});
        // The ace of Harten, whatever card was chosen; KaartX, KaartY and KaartLabel stay as they were.
        copyCellIntoViewer(0, 0);
        m_bar->refresh();
    }
    m_history.record(QStringLiteral("Symbolen plaatsen"), before);
    setBusy(false);
}

void Main::Option1_Click(int index)
{
    // The run reads the symbols from HkrsPic while it goes on.
    if (m_busy)
        return;
    loadSymbolSet(index);
}

void Main::Image1_Click(int index)
{
    if (m_busy || index < 0 || index > 4)
        return;
    m_image1[static_cast<std::size_t>(index)]->pressedLook(m_pacer);
    m_kaartSoort = static_cast<KaartSoort>(index);
    if (m_kaartSoort == KaartSoort::Joker)
        m_jokerOfFoto->popup(QCursor::pos());
    else
        Q_EMIT dialogformRequested();
}

void Main::Gridlijnen_Click()
{
    // The action has already flipped its own check; the overlay's state decides, so the two cannot drift.
    if (m_busy) {
        m_gridlijnen->setChecked(m_overlayVisible);
        return;
    }
    setOverlayVisible(!m_overlayVisible);
}

void Main::Timer1_Timer()
{
    m_klokLabel->setText(klokTekst(QTime::currentTime()));
    m_klokLabel->adjustSize();
}

void Main::FileNew_Click()
{
    if (m_busy || !m_commands.confirmNew())
        return;
    const QImage before = m_orgineel.image();
    // The card in view keeps its offsets, and KaartLabel its rank, while the viewer shows the ace of Harten.
    loadBlankSheet();
    m_history.record(QStringLiteral("Nieuw"), before);
    m_history.stack().setClean();
    {
        // The default set was just loaded under its own name; selecting its option must not load it again.
        const QSignalBlocker quiet(m_options);
        m_option1[0]->setChecked(true);
    }
    m_vinkje->move(m_vinkje->x(), px(270));
    progress::drawStartState(m_bar->surface());
    m_bar->refresh();
}

void Main::FileOpen_Click()
{
    if (m_busy)
        return;
    OpenForm form(m_store, m_commands, m_pacer, m_appFolder, this);
    form.exec();
    // Only the sheet and the viewer change: not the card in view, the style, the check mark or the bar.
    if (const std::optional<QImage> &sheet = form.openedSheet()) {
        const QImage before = m_orgineel.image();
        m_orgineel.setPicture(*sheet);
        copyCellIntoViewer(0, 0);
        m_history.record(QStringLiteral("Vellora openen"), before);
        m_history.stack().setClean();
    }
}

void Main::FileSave_Click()
{
    if (m_busy)
        return;
    saveProject();
}

bool Main::saveProject()
{
    if (!m_commands.save(m_orgineel.image()))
        return false;
    m_history.stack().setClean();
    if (m_recovery)
        m_recovery->remove();
    return true;
}

void Main::Afdrukken_Click(int index)
{
    if (m_busy)
        return;
    if (index == 1) {
        AfdrukForm form(m_orgineel.image(), m_pacer, m_prompter, m_appFolder, m_printQueues, this);
        form.exec();
    } else if (index == 2) {
        Rugzijde form(m_pacer, m_prompter, m_appFolder, m_printQueues, this);
        form.exec();
    } else if (index == 3) {
        // The dialogs are only reached from the window's own buttons.
        QtDeckDialogs dialogs;
        HeleDeckForm form(m_orgineel.image(), m_commands.lastName(), m_pacer, m_prompter, m_appFolder,
                          m_printQueues, dialogs, this);
        form.exec();
    }
}

void Main::FileExit_Click() { close(); }

void Main::closeEvent(QCloseEvent *event)
{
    if (!m_history.stack().isClean()) {
        const Prompter::Answer answer = m_commands.askToSaveChanges();
        if (answer == Prompter::Answer::Cancel || (answer == Prompter::Answer::Yes && !saveProject())) {
            event->ignore();
            return;
        }
    }
    // Any other window goes with the program, and the copy of the work with a clean exit.
    QMainWindow::closeEvent(event);
    if (!event->isAccepted())
        return;
    m_recoveryTimer->stop();
    if (m_recovery)
        m_recovery->remove();
    QCoreApplication::quit();
}

void Main::startRecovery(const QString &folder)
{
    m_recovery = std::make_unique<RecoveryStore>(folder);
    // Without a folder of its own the program still runs, as it did before it kept copies.
    if (!m_recovery->claim()) {
        m_recovery.reset();
        return;
    }
    offerRecovery();
}

void Main::offerRecovery()
{
    for (RecoveryStore::Leftover &leftover : m_recovery->leftovers()) {
        if (!m_commands.confirmRecovery(leftover.written)) {
            RecoveryStore::discard(std::move(leftover));
            continue;
        }
        const std::optional<QImage> copy = m_recovery->restore(std::move(leftover));
        if (!copy) {
            m_commands.refuseRecovery();
            continue;
        }
        const QImage before = m_orgineel.image();
        m_orgineel.setPicture(*copy);
        copyCellIntoViewer(0, 0);
        m_history.record(QStringLiteral("Herstellen"), before);
        // Unsaved whatever it holds: it was never saved under a name.
        if (m_history.stack().isClean())
            m_history.stack().resetClean();
        return; // any older copies wait for the next start
    }
}

void Main::writeRecoveryCopy()
{
    if (!m_recovery)
        return;
    if (m_history.stack().isClean())
        m_recovery->remove();
    else
        m_recovery->write(m_orgineel.image());
}

void Main::ToolsShowKaarten_Click()
{
    if (m_busy)
        return;
    Showform form(m_orgineel.image(), m_pacer, m_appFolder, m_pointer, this);
    form.exec();
}

void Main::HelpHelp_Click()
{
    // The viewer's own visibility decides, not the check mark: the two cannot drift apart.
    const bool showHelp = !m_pic->isHidden();
    m_pic->setVisible(!showHelp);
    m_helpScherm->setVisible(showHelp);
    m_helpHelp->setChecked(showHelp);
    setColours(m_label1, kLabelText, showHelp ? QColor(0, 0, 40) : QColor(Qt::white));
}

void Main::HelpSoftware_Click() { OpenDocument(softwarePage()); }

void Main::HelpResolutie_Click(int index)
{
    if (index == 1)
        m_prompter.message(beeldschermTekst(m_screenMetrics()), kBeeldschermTitel, Prompter::Icon::None);
    else if (index == 2)
        OpenDocument(m_appFolder.resolve(u"\\Help\\Beeldscherm.pdf"));
}

void Main::showDialogform()
{
    const QImage before = m_orgineel.image();
    Dialogform form(m_orgineel, m_kaartSoort, m_photoPlace, m_pacer, m_prompter, m_appFolder, this);
    form.exec();
    m_history.record(QStringLiteral("Foto plaatsen"), before);
}

void Main::showJokerForm()
{
    const QImage before = m_orgineel.image();
    JokerForm form(m_orgineel, m_pacer, m_prompter, m_appFolder, this);
    form.exec();
    m_history.record(QStringLiteral("Joker plaatsen"), before);
}

} // namespace vellora
