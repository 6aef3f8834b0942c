#include "shell/mainlayout.h"

#include "sheet/cardsheet.h"
#include "shell/datumtekst.h"
#include "shell/helptekst.h"
#include "shell/progressbar.h"
#include "shell/termometer.h"
#include "shell/website.h"
#include "surface/twips.h"
#include "surface/widgets/artwork.h"
#include "surface/widgets/dialogparts.h"
#include "surface/widgets/imagebutton.h"
#include "surface/widgets/picturebox.h"

#include <QButtonGroup>
#include <QCoreApplication>
#include <QDate>
#include <QFrame>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionFocusRect>

namespace vellora {

namespace {

const QColor kGridColour(224, 224, 224);

// Translated where they are shown; marked here so that the catalogues know them.
const char *const kOption1Captions[] = {
    QT_TRANSLATE_NOOP("Main", " Default Symbolen"),
    QT_TRANSLATE_NOOP("Main", " Schuingeplaatste Symbolen"),
    QT_TRANSLATE_NOOP("Main", " Randschaduw Symbolen"),
    QT_TRANSLATE_NOOP("Main", " Lichteffect Symbolen"),
    QT_TRANSLATE_NOOP("Main", " Transparante Symbolen"),
    QT_TRANSLATE_NOOP("Main", " Gevlekte Symbolen"),
    QT_TRANSLATE_NOOP("Main", " Geborduurde Symbolen"),
    QT_TRANSLATE_NOOP("Main", " Glas Symbolen"),
    QT_TRANSLATE_NOOP("Main", " Diagonale Symbolen"),
    QT_TRANSLATE_NOOP("Main", " Diamanten Symbolen"),
};

const char *const kLabel5Captions[] = {
    QT_TRANSLATE_NOOP("Main", "Azen plaatsen"),    QT_TRANSLATE_NOOP("Main", "Boeren plaatsen"),
    QT_TRANSLATE_NOOP("Main", "Vrouwen plaatsen"), QT_TRANSLATE_NOOP("Main", "Koningen plaatsen"),
    QT_TRANSLATE_NOOP("Main", "Jokers plaatsen"),
};

// A rank button paints its own flat face: the platform style would paint its button face over the colour,
// and its padding leaves no room for "10" in a button this narrow. A style sheet does the same but costs
// each of the fourteen its own parsing and polishing, 6 ms of every start.
class RankButton final : public QPushButton
{
public:
    RankButton(const QString &text, QWidget *parent) : QPushButton(text, parent) {}

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), isDown() ? QColor(220, 200, 130) : QColor(240, 220, 150));
        painter.setPen(QColor(120, 110, 75));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
        painter.setPen(Qt::black);
        painter.drawText(rect(), Qt::AlignCenter, text());
        if (hasFocus()) {
            QStyleOptionFocusRect focus;
            focus.initFrom(this);
            focus.rect = rect().adjusted(2, 2, -2, -2);
            style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
        }
    }
};

} // namespace

QString arrayName(const char *name, int index)
{
    return QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(index);
}

namespace {

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



// Builds one frame after another on the panel; the frames own their controls.
class Builder
{
public:
    Builder(QWidget *panel, const QWidget *window, const ArtworkShelf &artwork, Pacer &pacer,
            const QCursor &pointer)
        : m_panel(panel), m_window(window), m_artwork(artwork), m_pacer(pacer), m_pointer(pointer)
    {
    }

    QFrame *makeFrame(const char *name, int left, int top, int width, int height) const
    {
        auto *frame = new QFrame(m_panel);
        frame->setObjectName(QLatin1String(name));
        frame->setFrameStyle(QFrame::Box | QFrame::Sunken); // the etched outline of a frame without caption
        frame->setGeometry(twipRect(left, top, width, height));
        setColours(frame, Qt::black, kPanelColour);
        return frame;
    }

    QPixmap artwork(const QString &name) const { return m_artwork.pixmap(name, m_window); }

    ImageButton *imageButton(QWidget *parent, const QString &name, const QRect &twips, const QString &picture) const
    {
        return pictureButton(parent, m_pacer, artwork(picture), name, twips, m_pointer);
    }

    void symbolStyleFrame(MainLayout &l) const;
    void picturePlacementFrame(MainLayout &l) const;
    void progressFrame(MainLayout &l) const;
    void dateFrame(MainLayout &l) const;
    void viewerFrame(MainLayout &l) const;
    void viewerOverlay(MainLayout &l) const;
    void suitRowFrame(MainLayout &l) const;
    void logoFrame() const;
    void webAddressFrame() const;

private:
    QWidget *m_panel;
    const QWidget *m_window;
    const ArtworkShelf &m_artwork;
    Pacer &m_pacer;
    const QCursor &m_pointer;
};

} // namespace

void Builder::symbolStyleFrame(MainLayout &l) const
{
    QFrame *frame = makeFrame("Frame1", 120, 30, 4500, 3570);

    panelLabel(frame, QStringLiteral("Label4"), QRect(180, 240, 900, 3150), Qt::white);

    l.symbolSet = new PictureBox(frame);
    l.symbolSet->setObjectName(QStringLiteral("HkrsPic"));
    l.symbolSet->setGeometry(twipRect(255, 315, 750, 3000));

    l.styleChoices = new QButtonGroup(frame);
    for (int i = 0; i < 10; ++i) {
        auto *option = new QRadioButton(QCoreApplication::translate("Main", kOption1Captions[i]), frame);
        option->setObjectName(arrayName("Option1", i));
        // The last two stop short of the Ok button beside them.
        option->setGeometry(twipRect(1410, 420 + 285 * i, i >= 8 ? 2010 : 2700, 270));
        option->setFont(arialFont(8.25));
        setColours(option, kOptionTextColour, kPanelColour);
        l.styleChoices->addButton(option, i);
        l.styleButtons[static_cast<std::size_t>(i)] = option;
    }
    l.styleButtons[0]->setChecked(true);
    l.composeButton = imageButton(frame, QStringLiteral("OkKnop"), QRect(3570, 2970, 765, 435), QStringLiteral("ok.png"));
    l.composeButton->setToolTip(QCoreApplication::translate("Main", " Getallen en Symbolen plaatsen "));
}

void Builder::picturePlacementFrame(MainLayout &l) const
{
    QFrame *frame = makeFrame("Frame2", 120, 3630, 3000, 3990);
    for (int i = 0; i < 5; ++i) {
        const int top = 240 + 720 * i;
        ImageButton *button = imageButton(frame, arrayName("Image1", i), QRect(240, top, 750, 735),
                                          QStringLiteral("picture-%1.png").arg(i));
        l.placeButtons[static_cast<std::size_t>(i)] = button;
        captionLabel(frame, arrayName("Label5", i), QCoreApplication::translate("Main", kLabel5Captions[i]),
                     QPoint(1080, top + 240), arialFont(9.75), kLabelTextColour);
    }
}

void Builder::progressFrame(MainLayout &l) const
{
    QFrame *frame = makeFrame("Frame7", 3240, 3630, 1380, 3990);

    auto *termometer = new PictureBox(frame);
    termometer->setObjectName(QStringLiteral("Termometer"));
    termometer->setGeometry(twipRect(150, 240, 1080, 3600));
    termometer->surface().backColor = kPanelColour;
    termometer->surface().resize(termometer->width(), termometer->height());
    drawTermometerScale(termometer->surface());

    l.progressBar = new PictureBox(termometer, Surface::Units::Pixels);
    l.progressBar->setObjectName(QStringLiteral("Bar"));
    l.progressBar->setGeometry(twipRect(420, 180, 210, 3000));
    l.progressBar->surface().backColor = QColor(progress::kBackground);
    l.progressBar->surface().resize(l.progressBar->width(), l.progressBar->height());
    progress::draw(l.progressBar->surface(), 0);
}

void Builder::dateFrame(MainLayout &l) const
{
    QFrame *frame = makeFrame("Frame4", 4720, 30, 4755, 510);
    // Computed once: the line is not renewed when the date changes while the program runs.
    captionLabel(frame, QStringLiteral("DatumLabel"), DatumTekst(QDate::currentDate()),
                                QPoint(135, 205), arialFont(8.25), kLabelTextColour);
    l.clock = captionLabel(frame, QStringLiteral("KlokLabel"), QStringLiteral("00:00:00"), QPoint(3990, 205),
                       arialFont(8.25), kLabelTextColour);
}

void Builder::viewerFrame(MainLayout &l) const
{
    QFrame *frame = makeFrame("Frame3", 4720, 570, 4755, 7050);

    l.viewerBackground = panelLabel(frame, QStringLiteral("Label1"), QRect(150, 240, 4440, 6165), Qt::white);

    l.viewer = new PictureBox(frame);
    l.viewer->setObjectName(QStringLiteral("Pic"));
    l.viewer->setGeometry(twipRect(240, 330, sheet::kCellWidth, sheet::kCellHeight));
    l.viewer->surface().resize(l.viewer->width(), l.viewer->height());

    l.helpText = new QLabel(helpTekst(), frame);
    l.helpText->setObjectName(QStringLiteral("HelpScherm"));
    l.helpText->setGeometry(twipRect(300, 390, 4275, 6000));
    QFont comic(QStringLiteral("Comic Sans MS"));
    comic.setPixelSize(fontPixels(9.75));
    l.helpText->setFont(comic);
    l.helpText->setTextFormat(Qt::PlainText);
    l.helpText->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    l.helpText->setWordWrap(true);
    setColours(l.helpText, kListTextColour, kListColour);
    l.helpText->hide();

    viewerOverlay(l);

    panelLabel(frame, QStringLiteral("Label2"), QRect(150, 6495, 4470, 405), QColor(128, 128, 128));
    for (int i = 0; i < sheet::kColumns; ++i) {
        auto *knop = new RankButton(sheet::rankLabel(i), frame);
        knop->setObjectName(arrayName("Knop", i));
        knop->setGeometry(twipRect(180 + 315 * i, 6525, 315, 345));
        knop->setFont(arialFont(8, true));
        knop->setToolTip(sheet::rankTooltip(i));
        knop->setFocusPolicy(Qt::TabFocus);
        l.rankButtons[static_cast<std::size_t>(i)] = knop;
    }
}

// The overlay over the viewer: the guide lines, the picture area and the rank.
void Builder::viewerOverlay(MainLayout &l) const
{
    l.rankCaption = captionLabel(l.viewer, QStringLiteral("KaartLabel"), sheet::rankLabel(0), QPoint(1830, 2400),
                                arialFont(48, true), QColor(192, 192, 192));
    l.rankCaption->setAttribute(Qt::WA_TransparentForMouseEvents);

    l.pictureArea = new ShapeWidget(ShapeWidget::Kind::Rectangle, QColor(255, 128, 128), l.viewer);
    l.pictureArea->setObjectName(QStringLiteral("BinnenImage"));
    l.pictureArea->setGeometry(twipRect(900, 900, 2475, 4200));

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
        auto *line = new ShapeWidget(ShapeWidget::Kind::Line, kGridColour, l.viewer);
        line->setObjectName(QStringLiteral("Line%1").arg(i + 1));
        line->setLine(ends[i].from, ends[i].to);
        l.gridLines[static_cast<std::size_t>(i)] = line;
    }
}

void Builder::suitRowFrame(MainLayout &l) const
{
    QFrame *frame = makeFrame("Frame5", 9600, 30, 3315, 3600);
    for (int i = 0; i < sheet::kRows; ++i) {
        const int top = 270 + 810 * i;
        ImageButton *img =
            imageButton(frame, arrayName("Img", i), QRect(210, top, 750, 750), QStringLiteral("suit-%1.png").arg(i));
        img->setToolTip(sheet::suitRowTooltip(i));
        l.suitRowButtons[static_cast<std::size_t>(i)] = img;
        captionLabel(frame, arrayName("ImgLabel", i), sheet::suitRowLabel(i), QPoint(1020, top + 210), arialFont(9.75),
                     kLabelTextColour);
    }
    l.suitRowMark = new QLabel(frame);
    l.suitRowMark->setObjectName(QStringLiteral("Vinkje"));
    l.suitRowMark->setGeometry(twipRect(2430, 270, 750, 750));
    l.suitRowMark->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    const QPixmap vinkje = artwork(QStringLiteral("vinkje.png"));
    if (!vinkje.isNull())
        l.suitRowMark->setPixmap(vinkje);
}

void Builder::logoFrame() const
{
    QFrame *frame = makeFrame("Frame6", 9600, 3660, 3315, 3315);
    auto *logo = new QLabel(frame);
    logo->setObjectName(QStringLiteral("Logo"));
    logo->setGeometry(twipRect(150, 180, 3000, 3000));
    logo->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    const QPixmap image = artwork(QStringLiteral("logo.png"));
    if (!image.isNull())
        logo->setPixmap(image);
}

void Builder::webAddressFrame() const
{
    QFrame *frame = makeFrame("Frame8", 9600, 7005, 3315, 630);
    QLabel *label = captionLabel(frame, QStringLiteral("Label3"), webAddress(), QPoint(240, 135), arialFont(16, true),
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

QStringList MainLayout::artworkInOrder()
{
    return {QStringLiteral("ok.png"),     QStringLiteral("picture-0.png"), QStringLiteral("picture-1.png"),
            QStringLiteral("picture-2.png"), QStringLiteral("picture-3.png"), QStringLiteral("picture-4.png"),
            QStringLiteral("suit-0.png"),  QStringLiteral("suit-1.png"),    QStringLiteral("suit-2.png"),
            QStringLiteral("suit-3.png"),  QStringLiteral("vinkje.png"),    QStringLiteral("logo.png")};
}

MainLayout MainLayout::build(QWidget *panel, const QWidget *window, const ArtworkShelf &artwork, Pacer &pacer,
                             const QCursor &pointer)
{
    MainLayout layout;
    const Builder builder(panel, window, artwork, pacer, pointer);
    builder.symbolStyleFrame(layout);
    builder.picturePlacementFrame(layout);
    builder.progressFrame(layout);
    builder.dateFrame(layout);
    builder.viewerFrame(layout);
    builder.suitRowFrame(layout);
    builder.logoFrame();
    builder.webAddressFrame();
    return layout;
}

void MainLayout::showRankCaption(int column)
{
    rankCaption->setText(sheet::rankLabel(column));
    rankCaption->adjustSize();
    rankCaption->move(px(column == 9 ? 1560 : 1830), px(2400));
}

void MainLayout::showHelpText(bool on)
{
    viewer->setVisible(!on);
    helpText->setVisible(on);
    setColours(viewerBackground, kLabelTextColour, on ? kListColour : QColor(Qt::white));
}

void MainLayout::showOverlay(bool on)
{
    for (ShapeWidget *line : gridLines)
        line->setVisible(on);
    pictureArea->setVisible(on);
    rankCaption->setVisible(on);
}

} // namespace vellora
