#include "placement/dialogform.h"

#include "placement/cardtargets.h"
#include "placement/courtfigures.h"
#include "placement/folderlisting.h"
#include "placement/photoplace.h"
#include "placement/photoview.h"
#include "placement/targetoptions.h"
#include "surface/platform.h"
#include "surface/surface.h"
#include "surface/twips.h"
#include "surface/widgets/dialogparts.h"
#include "surface/widgets/imagebutton.h"
#include "surface/widgets/picturebox.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QProgressBar>
#include <QScrollBar>
#include <QStyle>

namespace vellora {

namespace {

// Below this a decode passes unremarked; beyond it the dialog shows that it is working.
constexpr int kBusyAfterMs = 500;

// Where the font runs a little wider than the one the boxes were measured for, a box grows downwards into the
// free panel below it rather than cutting off the last line of its instructions.
void growToFit(QLabel *label)
{
    label->resize(label->width(), qMax(label->height(), label->heightForWidth(label->width())));
}

QPointF mouseTwips(const QMouseEvent *event) { return event->position() * kTwipsPerPixel; }

} // namespace

Dialogform::Dialogform(KaartSoort soort, PhotoPlace &place, Pacer &pacer, Prompter &prompter,
                       const AppFolder &folder, QWidget *parent)
    : QDialog(parent), m_soort(soort), m_place(place), m_prompter(prompter),
      m_framing(QApplication::palette().color(QPalette::Base))
{
    setObjectName(QStringLiteral("Dialogform"));
    setWindowTitle(PhotoFraming::caption(soort));
    setFixedSize(px(QSize(12180, 6960)));
    setPanelColour(this);
    // The texts are laid out for a small sans serif of 8.25 points; the desktop's larger default would not
    // fit the fixed label boxes.
    setFont(arialFont(8.25));

    m_worker = new PhotoWorker(this);
    connect(m_worker, &PhotoWorker::loaded, this, &Dialogform::showPhoto);
    connect(m_worker, &PhotoWorker::idle, this, &Dialogform::loadEnded);
    m_busyDelay.setSingleShot(true);
    m_busyDelay.setInterval(kBusyAfterMs);
    connect(&m_busyDelay, &QTimer::timeout, this, [this] { m_busy->show(); });

    buildLayout(folder, pacer);

    const QString start = m_place.startFolder();
    m_driveFolders.insert(folders::driveOf(start), start);
    m_driveBox->addItems(folders::drives(m_place.home()));
    m_driveBox->setCurrentIndex(qMax(0, m_driveBox->findText(folders::driveOf(start))));
    connect(m_driveBox, &QComboBox::currentIndexChanged, this, &Dialogform::showDrive);
    showFolder(start);
}

Dialogform::~Dialogform() = default;

QLabel *Dialogform::label(const char *name, const QString &text, QRect geometry)
{
    auto *l = new QLabel(text, this);
    l->setObjectName(QString::fromLatin1(name));
    l->setGeometry(geometry);
    return l;
}

void Dialogform::buildLayout(const AppFolder &folder, Pacer &pacer)
{
    buildBrowser();
    buildPhotoPanel();
    buildPlacementPanel(folder, pacer);
    showSlide();
}

// The drive, its folders and the pictures of the folder shown, down the left.
void Dialogform::buildBrowser()
{
    m_driveBox = new QComboBox(this);
    m_driveBox->setObjectName(QStringLiteral("Drive1"));
    m_driveBox->setGeometry(QRect(px(QPoint(150, 180)), QSize(px(3300), m_driveBox->sizeHint().height())));
    setColours(m_driveBox, kListTextColour, kDeepListColour, kDeepListColour);

    m_folderList = new QListWidget(this);
    m_folderList->setObjectName(QStringLiteral("Dir1"));
    m_folderList->setGeometry(twipRect(150, 585, 3300, 2730));
    setColours(m_folderList, kListTextColour, kDeepListColour, kDeepListColour);
    connect(m_folderList, &QListWidget::itemActivated, this,
            [this](QListWidgetItem *item) { showFolder(item->data(Qt::UserRole).toString()); });

    m_fileList = new QListWidget(this);
    m_fileList->setObjectName(QStringLiteral("List1"));
    m_fileList->setGeometry(twipRect(150, 3360, 3300, 3000));
    setColours(m_fileList, kListTextColour, kDeepListColour, kDeepListColour);
    // Moving the selection loads its photo, by mouse or by the arrow keys alike; a click on the file already
    // selected loads it afresh, at 100 %.
    connect(m_fileList, &QListWidget::currentRowChanged, this, &Dialogform::loadPhoto);
    connect(m_fileList, &QListWidget::itemClicked, this, [this](QListWidgetItem *item) {
        if (m_fileList->row(item) == m_rowAtPress)
            loadPhoto(m_rowAtPress);
    });
    m_fileList->viewport()->installEventFilter(this);
}

// The photo in its viewport with the card-sized frame over it, its zoom below and the bar that shows a slow
// decode.
void Dialogform::buildPhotoPanel()
{
    panelLabel(this, QStringLiteral("Label1"), QRect(3600, 180, 3870, 5575), kDeepListColour);

    m_photoViewport = new QWidget(this);
    m_photoViewport->setObjectName(QStringLiteral("PicCont"));
    m_photoViewport->setGeometry(
        twipRect(3690, 270, PhotoFraming::kViewport.width(), PhotoFraming::kViewport.height()));
    setColours(m_photoViewport, Qt::black, QColor(224, 224, 224), QColor(224, 224, 224));

    m_photoView = new PhotoView(m_photoViewport);
    m_photoView->setObjectName(QStringLiteral("SlidePic"));
    connect(m_photoView, &PhotoView::mousePressed, this, &Dialogform::pressOnPhoto);
    connect(m_photoView, &PhotoView::mouseMoved, this, &Dialogform::dragPhoto);

    m_frameOutline = new ShapeWidget(ShapeWidget::Kind::Rectangle, QColor(224, 224, 224), m_photoView);
    m_frameOutline->setObjectName(QStringLiteral("LayerW"));
    m_frameOutline->resize(px(PhotoFraming::kFrame));

    panelLabel(this, QStringLiteral("Label2"), QRect(3600, 6000, 2595, 345), Qt::black);

    m_zoomScroll = new QScrollBar(Qt::Horizontal, this);
    m_zoomScroll->setObjectName(QStringLiteral("ZoomScroll"));
    m_zoomScroll->setGeometry(twipRect(3630, 6030, 2535, 285));
    m_zoomScroll->setRange(0, PhotoFraming::kMaxZoom);
    m_zoomScroll->setSingleStep(1);
    m_zoomScroll->setPageStep(1);
    m_zoomScroll->setValue(PhotoFraming::kInitialZoom);
    // The zoom follows the bar's changes, not the thumb while it is dragged.
    m_zoomScroll->setTracking(false);
    connect(m_zoomScroll, &QScrollBar::valueChanged, this, &Dialogform::zoomTo);

    m_zoomLabel = label("Label4", PhotoFraming::initialZoomLabel(), QRect(px(QPoint(6270, 6060)), QSize()));
    m_zoomLabel->adjustSize();

    // An endless bar along the foot of the viewport, over the photo that stays shown meanwhile.
    m_busy = new QProgressBar(this);
    m_busy->setObjectName(QStringLiteral("LoadBusy"));
    m_busy->setGeometry(twipRect(3690, 5445, PhotoFraming::kViewport.width(), 225));
    m_busy->setRange(0, 0);
    m_busy->setTextVisible(false);
    m_busy->hide();
}

// What the frame holds as the card will show it, the cards to paste it on, the border and the buttons.
void Dialogform::buildPlacementPanel(const AppFolder &folder, Pacer &pacer)
{
    panelLabel(this, QStringLiteral("Label6"), QRect(7650, 180, 2595, 4335), QColor(0, 0, 64));

    m_preview = new PictureBox(this);
    m_preview->setObjectName(QStringLiteral("Picture1"));
    m_preview->setGeometry(twipRect(7710, 240, targets::kPictureArea.width(), targets::kPictureArea.height()));
    m_preview->surface().backColor = m_framing.preview().backColor;
    m_preview->setPicture(m_framing.preview().image());

    m_previewBorder = new ShapeWidget(ShapeWidget::Kind::Rectangle,
                                      QApplication::palette().color(QPalette::WindowText), m_preview);
    m_previewBorder->setObjectName(QStringLiteral("Shape1"));
    m_previewBorder->setGeometry(QRect(QPoint(0, 0), px(targets::kPictureArea)));
    m_previewBorder->hide();

    QLabel *instructions = label(
        "Label8",
        QCoreApplication::translate("Placement", "Beweeg de afbeelding met ingedrukte linkermuisknop. "
                                                 "Klik dan om de linkerbovenhoek van de rechthoek te\n"
                                                 "positioneren. Het resultaat is dan hierboven te zien."),
        twipRect(7680, 4800, 3900, 690));
    instructions->setWordWrap(true);
    instructions->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    growToFit(instructions);

    QLabel *placeOnCaption = label("Label3", QCoreApplication::translate("Placement", "Plaatsen op..."),
                                   QRect(px(QPoint(10410, 300)), QSize()));
    placeOnCaption->adjustSize();

    m_targets = new TargetOptions(this, folder, 10410, 660);

    QLabel *chooseHint =
        label("Label5",
              QCoreApplication::translate("Placement", "Klik één van de vijf keuze mogelijkheden "
                                                       "hierboven aan, druk dan op de 'Ok' knop."),
              twipRect(10410, 2850, 1530, 990));
    chooseHint->setWordWrap(true);
    chooseHint->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    growToFit(chooseHint);

    m_borderCheck = new QCheckBox(QCoreApplication::translate("Placement", "Border"), this);
    m_borderCheck->setObjectName(QStringLiteral("Check1"));
    m_borderCheck->setGeometry(QRect(px(QPoint(10410, 4050)), QSize(px(900), m_borderCheck->sizeHint().height())));
    setColours(m_borderCheck, Qt::black, kPanelColour, kPanelColour);
    connect(m_borderCheck, &QCheckBox::toggled, this, &Dialogform::toggleBorder);

    // Court cards only: a photo as a court figure stands, once upright and once turned round.
    m_doubleHeadedCheck = new QCheckBox(QCoreApplication::translate("Placement", "Dubbelkoppig"), this);
    m_doubleHeadedCheck->setObjectName(QStringLiteral("Check2"));
    m_doubleHeadedCheck->setGeometry(
        QRect(px(QPoint(10410, 4380)), QSize(px(1500), m_doubleHeadedCheck->sizeHint().height())));
    setColours(m_doubleHeadedCheck, Qt::black, kPanelColour, kPanelColour);
    m_doubleHeadedCheck->setVisible(courts::isCourt(m_soort));
    connect(m_doubleHeadedCheck, &QCheckBox::toggled, this, &Dialogform::toggleDoubleHeaded);

    cancelButton(this, pacer, folder, QRect(10260, 5900, 765, 435));
    ImageButton *okKnop = pictureButton(this, pacer, folder, QStringLiteral("OkKnop"),
                                        QStringLiteral("ok.png"), QRect(11100, 5900, 765, 435));
    connect(okKnop, &ImageButton::clicked, this, &Dialogform::placeOnCards);
}

bool Dialogform::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_fileList->viewport() && event->type() == QEvent::MouseButtonPress)
        m_rowAtPress = m_fileList->currentRow();
    return QDialog::eventFilter(watched, event);
}

void Dialogform::showDrive(int index)
{
    const QString drive = m_driveBox->itemText(index);
    const QString target = m_driveFolders.value(drive, drive);
    // An unreadable drive (an empty card reader) leaves the folder list where it was.
    if (!folders::canList(target))
        return;
    showFolder(target);
}

void Dialogform::showFolder(const QString &path)
{
    m_folder = path;
    m_driveFolders.insert(folders::driveOf(path), path);
    showFolderTree();
    m_fileList->clear();
    m_fileList->addItems(folders::pictureFiles(path));
}

void Dialogform::showFolderTree()
{
    m_folderList->clear();
    const QIcon open = style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon closed = style()->standardIcon(QStyle::SP_DirClosedIcon);
    for (const folders::Entry &entry : folders::folderTree(m_folder)) {
        auto *item = new QListWidgetItem(entry.open ? open : closed, QString(entry.depth * 2, u' ') + entry.name,
                                         m_folderList);
        item->setData(Qt::UserRole, entry.path);
        if (entry.open && entry.path == QFileInfo(m_folder).absoluteFilePath())
            m_folderList->setCurrentItem(item);
    }
}

void Dialogform::loadPhoto(int row)
{
    const QListWidgetItem *item = m_fileList->item(row);
    if (!item)
        return;
    // The user may pick on while it decodes: the newest pick wins, and the photo shown stays until then.
    m_pickedFolder = m_folder;
    m_worker->pick(m_folder + u'/' + item->text(), PhotoLoader::shownBytes(m_framing.photo()));
    setCursor(Qt::BusyCursor);
    if (!m_busyDelay.isActive() && m_busy->isHidden())
        m_busyDelay.start();
}

void Dialogform::showPhoto(const QString &, const PhotoLoad &photo)
{
    if (!photo || !m_framing.setPhoto(photo->image))
        return;
    m_place.chosen(m_pickedFolder); // only the newest pick arrives
    setWindowTitle(PhotoFraming::captionWithSize(m_soort, m_framing.photo().size()));
    showSlide();
    // Only a bar that held another value runs the zoom; at 100 % already the label is written here, so that
    // it never names the size of the photo shown before.
    if (m_zoomScroll->value() == PhotoFraming::kInitialZoom) {
        m_zoomLabel->setText(PhotoFraming::zoomLabel(PhotoFraming::kInitialZoom, m_framing.view().size()));
        m_zoomLabel->adjustSize();
    }
    m_zoomScroll->setValue(PhotoFraming::kInitialZoom);
}

// A file that could not be read leaves everything as it was, without a message.
void Dialogform::loadEnded()
{
    m_busyDelay.stop();
    m_busy->hide();
    unsetCursor();
}

void Dialogform::zoomTo(int value)
{
    m_framing.setZoom(value);
    m_zoomLabel->setText(PhotoFraming::zoomLabel(value, m_framing.view().size()));
    m_zoomLabel->adjustSize();
    showSlide();
}

void Dialogform::showSlide()
{
    m_photoView->setView(&m_framing.view());
    m_photoView->setGeometry(QRect(px(m_framing.slidePosition()), px(m_framing.slideSize())));
    m_frameOutline->move(px(m_framing.framePosition()));
}

void Dialogform::pressOnPhoto(QMouseEvent *event)
{
    m_framing.press(event->button(), event->buttons(), mouseTwips(event));
    m_frameOutline->move(px(m_framing.framePosition()));
    m_preview->setPicture(m_framing.preview().image());
}

void Dialogform::dragPhoto(QMouseEvent *event)
{
    if (!m_framing.drag(event->buttons(), mouseTwips(event)))
        return;
    m_photoView->move(px(m_framing.slidePosition()));
    m_frameOutline->move(px(m_framing.framePosition()));
}

void Dialogform::toggleBorder() { m_previewBorder->setVisible(m_borderCheck->isChecked()); }

void Dialogform::toggleDoubleHeaded(bool on)
{
    m_framing.setDoubleHeaded(on);
    m_frameOutline->resize(px(m_framing.frameSize()));
    m_preview->setPicture(m_framing.preview().image());
}

// Ok while a photo decodes pastes the preview shown: that is what the user framed and sees, and the photo on
// its way has not been framed yet. The decode is left to end on its own.
void Dialogform::placeOnCards()
{
    const int option = m_targets->chosen();
    if (option < 0) {
        m_prompter.message(
            QCoreApplication::translate("Placement", "Selecteer op welke kaart(en) u de foto wilt plaatsen!"),
            QGuiApplication::applicationDisplayName(), Prompter::Icon::None);
        return;
    }
    m_chosen = m_framing.framed(m_soort, option, m_borderCheck->isChecked());
    accept();
}

} // namespace vellora
