#pragma once

#include "print/backgallery.h"
#include "print/deckexport.h"
#include "print/printpage.h"
#include "print/printqueues.h"

#include "sheet/printmaster.h"

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

// Where the deck goes once the user has chosen: a printer with its job options, or a file when the print
// dialog was told to print to one.
struct PrintChoice
{
    QString printer;
    JobOptions options;
    QString pdfFile;
    // The printer's paper when it is one the cards can be laid out for; the cards then go on it.
    std::optional<print::Paper> paper = {};
};

// The two questions the whole-deck window asks through the platform's own dialogs; tests answer in their
// place.
class DeckDialogs
{
public:
    virtual ~DeckDialogs() = default;
    // The file to save the PDF as, starting from `suggested`; nothing when cancelled.
    virtual std::optional<QString> pdfPath(QWidget *parent, const QString &suggested) = 0;
    // The printer and its options, starting from `printer`; nothing when cancelled.
    virtual std::optional<PrintChoice> printer(QWidget *parent, const QString &printer) = 0;
    // The folder for the cards as pictures; nothing when cancelled.
    virtual std::optional<QString> cardFolder(QWidget *, const QString &) { return std::nullopt; }
    // A picture of the user's own to use as a back; nothing when cancelled.
    virtual std::optional<QString> backPicture(QWidget *) { return std::nullopt; }
};

// The save dialog and Qt's print dialog.
class QtDeckDialogs final : public DeckDialogs
{
public:
    std::optional<QString> pdfPath(QWidget *parent, const QString &suggested) override;
    std::optional<PrintChoice> printer(QWidget *parent, const QString &printer) override;
    std::optional<QString> cardFolder(QWidget *parent, const QString &suggested) override;
    std::optional<QString> backPicture(QWidget *parent) override;
};

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

    // The deck is printed from this record's master, drawn on the worker; without one from the sheet.
    void setPrintRecord(PrintRecord record) { m_record = std::move(record); }

    print::DeckOptions options() const;
    // The back chosen: 0 for none, else n as the counter shows it.
    int backNumber() const;
    // The file name the save dialog starts from.
    QString suggestedPdfPath() const;
    // How "Eigen rug…" reads a picture; the program's own picture files until told otherwise.
    void setPictureReader(BackGallery::PictureReader read) { m_readPicture = std::move(read); }

public Q_SLOTS:
    // Closing while the deck is being made or handed over calls that off first.
    void reject() override;

private:
    void showBack(int n);
    // The back chosen, read from its file; nothing, said to the user, when it cannot be read.
    std::optional<print::BackChoice> chosenBack();
    void writePdf(const QString &path);
    void savePdf();
    void print();
    void printOn(const PrintChoice &choice);
    void finished(const print::DeckOutcome &outcome, const QString &printer);
    void failed(const QString &text);
    void writeCardImages();
    void writeCalibration();
    void addOwnBack();
    void showEdgeWarning();

    QImage m_sheet;
    PrintRecord m_record;
    QString m_projectName;
    Prompter &m_prompter;
    const PrintQueues &m_queues;
    DeckDialogs &m_dialogs;
    BackGallery m_gallery;
    BackGallery::PictureReader m_readPicture;
    PictureBox *m_pic;
    PictureBox *m_backPic;
    QScrollBar *m_scroll;
    QLabel *m_counter;
    QRadioButton *m_duplex;
    QRadioButton *m_facesFirst;
    QCheckBox *m_cutMarks;
    QCheckBox *m_scaleBar;
    QComboBox *m_topMargin;
    QComboBox *m_leftMargin;
    QPushButton *m_pdfButton;
    QPushButton *m_printButton;
    DeckChoices *m_choices;
    QLabel *m_edgeWarning;
    WorkStrip *m_work;
};

namespace print {
inline constexpr char16_t kDeckTitle[] = u"Hele deck afdrukken";
inline constexpr char16_t kNoBackChosen[] = u"Geen rugzijde";
} // namespace print

} // namespace vellora
