#pragma once

#include "print/backgallery.h"
#include "print/deckdialogs.h"
#include "print/deckexport.h"
#include "print/exportpath.h"
#include "print/printpage.h"
#include "print/printqueues.h"
#include "sheet/decksnapshot.h"

#include <QCoreApplication>
#include <QDialog>
#include <QImage>
#include <optional>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QScrollBar;
class QSettings;

namespace vellora {

class AppFolder;
class DeckChoices;
class Pacer;
class PictureBox;
class Prompter;
class WorkStrip;

// "Hele deck afdrukken": all face pages and their backs as one document, saved as a PDF or printed as one
// job, in duplex order or faces first, with cut marks and a scale bar, as the six pages or as whole cards;
// besides, the cards as pictures and the alignment sheet. Built afresh at every opening but for the turn,
// the back shift and the paper, which `settings` keeps; the user's own backs follow the program's. The
// document is made, saved and handed over in the background, with a bar and a Cancel once it takes a while;
// the print server is asked in the background too.
class HeleDeckForm : public QDialog
{
    Q_OBJECT
public:
    // `projectName` is the project last saved or opened, empty for none.
    HeleDeckForm(const QImage &sheet, const QString &projectName, Pacer &pacer, Prompter &prompter,
                 const AppFolder &folder, const PrintQueues &queues, DeckDialogs &dialogs,
                 QSettings &settings, QWidget *parent = nullptr);

    // The deck is printed from this record's master, drawn on the worker; without one from the sheet. A
    // record that is only the sheet enlarged is said in a line of its own.
    void setPrintRecord(PrintRecord record);

    print::DeckOptions options() const;
    // The back chosen: 0 for none, else n as the counter shows it.
    int backNumber() const;
    // The file name the save dialog starts from.
    QString suggestedPdfPath() const;

public Q_SLOTS:
    // Closing while the deck is being made or handed over calls that off first.
    void reject() override;

private:
    void buildPreviews();
    void buildBackChooser();
    void buildChoices(QSettings &settings);
    void buildButtons(Pacer &pacer, const AppFolder &folder);
    void showBack(int n);
    // The back chosen, read from its file, with a built-in back's full-bleed drawing `forShop`; nothing, said
    // to the user, when it cannot be read.
    std::optional<print::BackChoice> chosenBack(bool forShop = false);
    // Every file the window writes goes through print::exportDeck, refused at once when it may not be
    // replaced.
    void exportTo(print::ExportKind kind, const QString &path);
    void exported(print::ExportKind kind, const Outcome &outcome);
    void savePdf();
    void saveShopPdf();
    void print();
    void printOn(const PrintChoice &choice);
    void finished(const Result<int> &job, const QString &printer);
    void failed(const QString &text);
    void writeCardImages();
    void writeCalibration();
    void addOwnBack();
    void showEdgeWarning();

    DeckSnapshot m_deck;
    Prompter &m_prompter;
    const PrintQueues &m_queues;
    DeckDialogs &m_dialogs;
    BackGallery m_gallery;
    BackGallery::PictureReader m_readPicture;
    PictureBox *m_sheetPreview = nullptr;
    PictureBox *m_backPreview = nullptr;
    QScrollBar *m_backScroll = nullptr;
    QLabel *m_backCounter = nullptr;
    QRadioButton *m_duplex = nullptr;
    QRadioButton *m_facesFirst = nullptr;
    QCheckBox *m_cutMarks = nullptr;
    QCheckBox *m_scaleBar = nullptr;
    QComboBox *m_topMargin = nullptr;
    QComboBox *m_leftMargin = nullptr;
    QPushButton *m_pdfButton = nullptr;
    QPushButton *m_printButton = nullptr;
    DeckChoices *m_choices = nullptr;
    QLabel *m_edgeWarning = nullptr;
    QLabel *m_screenResolution = nullptr;
    WorkStrip *m_work = nullptr;
};

namespace print {
inline constexpr const char *kDeckTitle = QT_TRANSLATE_NOOP("Print", "Hele deck afdrukken");
inline QString noBackChosen()
{
    return QCoreApplication::translate("Print", "Geen rugzijde");
}
inline QString bleedRefused()
{
    return QCoreApplication::translate("Print",
                                       "De afloop is een maat in mm van 0 tot 10, zoals \"3 mm\", of in "
                                       "inch, zoals \"1/8 inch\".");
}
} // namespace print

} // namespace vellora
