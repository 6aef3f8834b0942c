#pragma once

#include "placement/photoframing.h"
#include "placement/photoworker.h"
#include "sheet/cardpaste.h"
#include "sheet/cardsheet.h"
#include "surface/appfolder.h"

#include <QDialog>
#include <QHash>
#include <QTimer>

#include <optional>

class QCheckBox;
class QComboBox;
class QLabel;
class QListWidget;
class QProgressBar;
class QMouseEvent;
class QScrollBar;

namespace vellora {

class ImageButton;
class Pacer;
class PhotoPlace;
class PhotoView;
class PictureBox;
class Prompter;
class ShapeWidget;
class Surface;
class TargetOptions;

// The picture import dialog: the user finds a photo on any drive, zooms and drags it, clicks the top-left
// corner of the card-sized frame, and pastes the framed part into the picture area of the aces, the court
// cards or the jokers (by `soort`) of the card sheet. Built anew for every opening and run with exec().
class Dialogform : public QDialog
{
    Q_OBJECT
public:
    Dialogform(KaartSoort soort, PhotoPlace &place, Pacer &pacer, Prompter &prompter, const AppFolder &folder,
               QWidget *parent = nullptr);
    ~Dialogform() override;

    const PhotoFraming &framing() const { return m_framing; }
    // What Ok chose; nothing after Cancel.
    const std::optional<CardPaste> &chosen() const { return m_chosen; }
    // The folder whose pictures List1 shows.
    const QString &folder() const { return m_folder; }
    // Photos decode on a thread of their own; the pick shown stays until the newest is ready.
    bool loading() const { return m_worker->busy(); }
    void setDecoder(PhotoWorker::Decoder decoder) { m_worker->setDecoder(std::move(decoder)); }

    // What the controls do.
    void showDrive(int index);
    void showFolder(const QString &path);
    void loadPhoto(int row);
    void zoomTo(int value);
    void pressOnPhoto(QMouseEvent *event);
    void dragPhoto(QMouseEvent *event);
    void toggleBorder();
    void toggleDoubleHeaded(bool on);
    void placeOnCards();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildLayout(const AppFolder &folder, Pacer &pacer);
    void buildBrowser();
    void buildPhotoPanel();
    void buildPlacementPanel(const AppFolder &folder, Pacer &pacer);
    void showFolderTree();
    void showSlide();
    void showPhoto(const QString &path, const PhotoLoad &photo);
    void loadEnded();
    QLabel *label(const char *name, const QString &text, QRect geometry);

    std::optional<CardPaste> m_chosen;
    KaartSoort m_soort;
    PhotoPlace &m_place;
    Prompter &m_prompter;
    PhotoFraming m_framing;
    QString m_folder;
    QString m_pickedFolder;                 // the folder of the newest photo picked
    QHash<QString, QString> m_driveFolders; // the folder each drive was last left in

    QComboBox *m_driveBox = nullptr;
    QListWidget *m_folderList = nullptr;
    QListWidget *m_fileList = nullptr;
    QWidget *m_photoViewport = nullptr;
    PhotoView *m_photoView = nullptr;
    ShapeWidget *m_frameOutline = nullptr;
    QScrollBar *m_zoomScroll = nullptr;
    QLabel *m_zoomLabel = nullptr;
    PictureBox *m_preview = nullptr;
    ShapeWidget *m_previewBorder = nullptr;
    QCheckBox *m_borderCheck = nullptr;
    QCheckBox *m_doubleHeadedCheck = nullptr; // Check2, court cards only
    TargetOptions *m_targets = nullptr;
    PhotoWorker *m_worker = nullptr;
    QProgressBar *m_busy = nullptr; // shown only when a decode takes long enough to be noticed
    QTimer m_busyDelay;
    int m_rowAtPress = -1; // the file list's current row when the mouse went down on it
};

} // namespace vellora
