#include "print/heledeckform.h"

#include "print/calibration.h"
#include "print/cardimages.h"
#include "print/deckchoices.h"
#include "print/deckexport.h"
#include "print/masterpicture.h"
#include "surface/widgets/dialogparts.h"
#include "surface/widgets/imagebutton.h"
#include "surface/widgets/picturebox.h"
#include "print/pdfdocument.h"
#include "surface/picturefile.h"
#include "surface/platform.h"
#include "print/printjobs.h"
#include "print/printwidgets.h"
#include "print/workstrip.h"
#include "surface/twips.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStandardPaths>

#include <algorithm>

namespace vellora {

std::optional<QString> QtDeckDialogs::pdfPath(QWidget *parent, const QString &suggested)
{
    const QString path = QFileDialog::getSaveFileName(parent, QStringLiteral("Opslaan als PDF"), suggested,
                                                      QStringLiteral("PDF (*.pdf)"));
    if (path.isEmpty())
        return std::nullopt;
    return path.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive) ? path : path + QStringLiteral(".pdf");
}

std::optional<PrintChoice> QtDeckDialogs::printer(QWidget *parent, const QString &printer)
{
    QPrinter qprinter(QPrinterInfo::printerInfo(printer), QPrinter::HighResolution);
    qprinter.setDocName(QStringLiteral("Vellora"));
    QPrintDialog dialog(&qprinter, parent);
    // The pages are laid out already; only where they go, how often and on which sides is asked.
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    PrintChoice choice;
    choice.printer = qprinter.printerName();
    choice.options.copies = qprinter.copyCount();
    if (qprinter.duplex() != QPrinter::DuplexNone)
        choice.options.sides =
            qprinter.duplex() == QPrinter::DuplexShortSide ? "two-sided-short-edge" : "two-sided-long-edge";
    if (qprinter.outputFormat() == QPrinter::PdfFormat)
        choice.pdfFile = qprinter.outputFileName();
    const QPageSize::PageSizeId paper = qprinter.pageLayout().pageSize().id();
    if (paper == QPageSize::A4 || paper == QPageSize::Letter)
        choice.paper = paper == QPageSize::A4 ? print::Paper::A4 : print::Paper::Letter;
    return choice;
}

std::optional<QString> QtDeckDialogs::cardFolder(QWidget *parent, const QString &suggested)
{
    const QString folder =
        QFileDialog::getExistingDirectory(parent, QStringLiteral("Kaarten als afbeeldingen"), suggested);
    return folder.isEmpty() ? std::nullopt : std::optional(folder);
}

std::optional<QString> QtDeckDialogs::backPicture(QWidget *parent)
{
    const QString path = QFileDialog::getOpenFileName(
        parent, QStringLiteral("Eigen rug"),
        QStandardPaths::writableLocation(QStandardPaths::PicturesLocation),
        QStringLiteral("Afbeeldingen (*.bmp *.jpg *.jpeg *.gif *.png *.webp *.heic *.heif)"));
    return path.isEmpty() ? std::nullopt : std::optional(path);
}

namespace {

QString ownBacksFolder()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation))
        .filePath(QStringLiteral("Backgrounds"));
}

QPushButton *button(QWidget *window, const char *name, const QString &text, const QRect &twips)
{
    auto *b = new QPushButton(text, window);
    b->setObjectName(QLatin1String(name));
    b->setGeometry(px(twips));
    return b;
}

} // namespace

HeleDeckForm::HeleDeckForm(const QImage &sheet, const QString &projectName, Pacer &pacer, Prompter &prompter,
                           const AppFolder &folder, const PrintQueues &queues, DeckDialogs &dialogs,
                           QSettings &settings, QWidget *parent)
    : QDialog(parent), m_sheet(sheet), m_projectName(projectName), m_prompter(prompter), m_queues(queues),
      m_dialogs(dialogs), m_gallery(folder, ownBacksFolder()),
      m_readPicture([](const QString &path, QString *error) {
          const PictureLoad load = PictureFile::load(path);
          if (error)
              *error = load.error;
          return load.image;
      })
{
    setObjectName(QStringLiteral("HeleDeckForm"));
    setWindowTitle(QString::fromUtf16(print::kDeckTitle));
    // Room below the buttons for the strip of the work in the background.
    setFixedSize(px(QSize(6600, 7000)));
    setPanelColour(this);

    panelLabel(this, QStringLiteral("Label1"), QRect(150, 180, 4215, 2715), QColor(55, 55, 55));
    m_pic = new PictureBox(this);
    m_pic->setObjectName(QStringLiteral("Pic"));
    m_pic->setGeometry(twipRect(210, 240, 4080, 2580));
    Surface &preview = m_pic->surface();
    preview.resize(px(4080), px(2580));
    preview.paintPicture(m_sheet, QRectF(45, 480, 3990, 1600), QRectF(0, 0, 59850, 24000));
    m_pic->refresh();

    panelLabel(this, QStringLiteral("Label2"), QRect(4500, 180, 1335, 1890), QColor(55, 55, 55));
    m_backPic = new PictureBox(this);
    m_backPic->setObjectName(QStringLiteral("RugPic"));
    m_backPic->setGeometry(twipRect(4560, 240, 1215, 1770));
    m_scroll = new QScrollBar(Qt::Vertical, this);
    m_scroll->setObjectName(QStringLiteral("VScroll1"));
    m_scroll->setGeometry(twipRect(5910, 180, 285, 1890));
    // 0 is no back at all; 1 to count are the backs as their counter numbers them.
    m_scroll->setRange(0, m_gallery.count());
    m_scroll->setPageStep(1);
    m_counter = printui::label(this, "Label3", QString(), 4500, 2160);
    m_counter->setMinimumWidth(px(2000));
    connect(m_scroll, &QScrollBar::valueChanged, this, [this](int n) { showBack(n); });
    connect(button(this, "EigenRugKnop", QStringLiteral("Eigen rug…"), QRect(4500, 2520, 1700, 400)),
            &QPushButton::clicked, this, [this] { addOwnBack(); });

    const auto option = [this](auto *button, const char *name, int left, int top) {
        button->setObjectName(QLatin1String(name));
        button->setGeometry(twipRect(left, top, 2000, 270));
        QPalette p = button->palette();
        p.setColor(QPalette::WindowText, kOptionTextColour);
        button->setPalette(p);
        return button;
    };
    m_duplex = option(new QRadioButton(QStringLiteral("Dubbelzijdig"), this), "Option1(0)", 180, 3090);
    m_facesFirst = option(new QRadioButton(QStringLiteral("Eerst voorkanten"), this), "Option1(1)", 180, 3390);
    m_cutMarks = option(new QCheckBox(QStringLiteral("Snijtekens"), this), "Check1", 2400, 3090);
    m_scaleBar = option(new QCheckBox(QStringLiteral("Maatstreep"), this), "Check2", 2400, 3390);
    m_duplex->setChecked(true);
    m_cutMarks->setChecked(true);
    m_scaleBar->setChecked(true);

    m_topMargin = printui::marginBox(this, "Combo1", 4500, 3090, print::DeckOptions().topMargin);
    printui::label(this, "Label4", QStringLiteral("Topmargin"), 5310, 3150);
    m_leftMargin = printui::marginBox(this, "Combo2", 4500, 3450, print::DeckOptions().leftMargin);
    printui::label(this, "Label5", QStringLiteral("Leftmargin"), 5310, 3510);

    m_choices = new DeckChoices(this, settings, 3840);
    m_edgeWarning = new QLabel(this);
    m_edgeWarning->setObjectName(QStringLiteral("RandWaarschuwing"));
    m_edgeWarning->setGeometry(twipRect(180, 5130, 6240, 420));
    m_edgeWarning->setWordWrap(true);
    setColours(m_edgeWarning, QColor(150, 20, 20));
    connect(m_choices, &DeckChoices::changed, this, [this] { showEdgeWarning(); });
    for (QComboBox *margin : {m_topMargin, m_leftMargin})
        connect(margin, &QComboBox::editTextChanged, this, [this] { showEdgeWarning(); });

    m_pdfButton = button(this, "PdfKnop", QStringLiteral("Opslaan als PDF…"), QRect(180, 5600, 2100, 435));
    m_printButton = button(this, "PrintKnop", QStringLiteral("Afdrukken…"), QRect(2400, 5600, 1800, 435));
    cancelButton(this, pacer, folder, QRect(5550, 5600, 765, 435));
    connect(m_pdfButton, &QPushButton::clicked, this, [this] { savePdf(); });
    connect(m_printButton, &QPushButton::clicked, this, [this] { print(); });
    connect(
        button(this, "KaartenKnop", QStringLiteral("Kaarten als afbeeldingen…"), QRect(180, 6080, 2700, 435)),
        &QPushButton::clicked, this, [this] { writeCardImages(); });
    connect(button(this, "UitlijnKnop", QStringLiteral("Uitlijnpagina…"), QRect(3000, 6080, 1900, 435)),
            &QPushButton::clicked, this, [this] { writeCalibration(); });
    m_work = new WorkStrip(this, pacer, prompter, queues, QRect(180, 6560, 6240, 390));
    showEdgeWarning();

    // The first back when there is one, as the deck is mostly printed with its backs.
    m_scroll->setValue(std::min(1, m_gallery.count()));
    showBack(m_scroll->value());
}

print::DeckOptions HeleDeckForm::options() const
{
    print::DeckOptions o;
    o.order = m_duplex->isChecked() ? print::DeckOrder::Duplex : print::DeckOrder::FacesFirst;
    o.cutMarks = m_cutMarks->isChecked();
    o.scaleBar = m_scaleBar->isChecked();
    o.topMargin = m_topMargin->currentText();
    o.leftMargin = m_leftMargin->currentText();
    m_choices->applyTo(o);
    return o;
}

int HeleDeckForm::backNumber() const { return m_scroll->value(); }

QString HeleDeckForm::suggestedPdfPath() const
{
    const QString name = m_projectName.isEmpty() ? QStringLiteral("Vellora") : m_projectName;
    // A fresh account may have no Documents folder yet; the dialog would then start wherever the program
    // was started from.
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QDir(QFileInfo(documents).isDir() ? documents : QDir::homePath()).filePath(name + QStringLiteral(".pdf"));
}

void HeleDeckForm::showBack(int n)
{
    m_counter->setText(n == 0 ? QString::fromUtf16(print::kNoBackChosen)
                              : BackGallery::counterText(n - 1, m_gallery.count()));
    const QImage back = n == 0 ? QImage() : m_gallery.load(n - 1);
    Surface &preview = m_backPic->surface();
    preview.resize(px(1215), px(1770));
    if (!back.isNull())
        preview.paintPicture(back, QRectF(0, 0, 1215, 1770), QRectF(0, 0, twipsOf(back.width()), twipsOf(back.height())));
    m_backPic->refresh();
}

void HeleDeckForm::failed(const QString &text)
{
    m_prompter.message(text, windowTitle(), Prompter::Icon::Critical);
}

std::optional<print::BackChoice> HeleDeckForm::chosenBack()
{
    print::BackChoice back;
    if (const int n = backNumber(); n > 0) {
        back = m_gallery.choice(n - 1);
        if (back.image.isNull()) {
            failed(QStringLiteral("Rugzijde %1 kan niet worden gelezen.").arg(n));
            return std::nullopt;
        }
    }
    return back;
}

void HeleDeckForm::finished(const print::DeckOutcome &outcome, const QString &printer)
{
    switch (outcome.end) {
    case print::DeckOutcome::End::Done: m_work->watchJob(printer, outcome.job); break;
    case print::DeckOutcome::End::CalledOff: break;
    case print::DeckOutcome::End::PrinterFailed: m_work->printerFailed(); break;
    case print::DeckOutcome::End::Failed: failed(outcome.text); break;
    }
}

void HeleDeckForm::writePdf(const QString &path)
{
    const std::optional<print::BackChoice> back = chosenBack();
    if (!back)
        return;
    m_work->run<print::DeckOutcome>(
        [sheet = m_sheet, record = m_record, back = *back, options = options(),
         path](std::stop_token stop, const print::PageProgress &progress) {
            const QImage picture = print::masterPicture(sheet, record, progress, stop);
            if (picture.isNull())
                return print::DeckOutcome{print::DeckOutcome::End::CalledOff, {}, 0};
            return print::saveDeckPdf(picture, back, options, path, print::afterMaster(progress), stop);
        },
        [this](const print::DeckOutcome &outcome) { finished(outcome, {}); });
}

void HeleDeckForm::savePdf()
{
    if (m_work->busy())
        return;
    if (const std::optional<QString> path = m_dialogs.pdfPath(this, suggestedPdfPath()))
        writePdf(*path);
}

void HeleDeckForm::print()
{
    if (m_work->busy())
        return;
    // The default printer is asked for before the print dialog, which would otherwise wait on a print server
    // that does not answer.
    m_work->run<print::PrintOutcome>(
        [&queues = m_queues](std::stop_token stop, const print::PageProgress &) {
            return print::readyDefaultPrinter(queues, stop);
        },
        [this](const print::PrintOutcome &ready) {
            if (!ready.printed)
                m_work->printerFailed();
            else if (const std::optional<PrintChoice> choice = m_dialogs.printer(this, ready.printer))
                printOn(*choice);
        });
}

void HeleDeckForm::printOn(const PrintChoice &choice)
{
    if (!choice.pdfFile.isEmpty()) {
        writePdf(choice.pdfFile);
        return;
    }
    const std::optional<print::BackChoice> back = chosenBack();
    if (!back)
        return;
    print::DeckOptions deck = options();
    deck.paper = choice.paper.value_or(deck.paper);
    m_work->run<print::DeckOutcome>(
        [&queues = m_queues, choice, sheet = m_sheet, record = m_record, back = *back,
         options = deck](std::stop_token stop, const print::PageProgress &progress) {
            // The action's deadline runs from the press: the deck drawn first counts against it.
            const std::shared_ptr<const PrintQueues> action = queues.action(stop);
            const QImage picture = print::masterPicture(sheet, record, progress, stop);
            if (picture.isNull())
                return print::DeckOutcome{print::DeckOutcome::End::CalledOff, {}, 0};
            return print::printDeck(*action, choice.printer, choice.options, picture, back, options,
                                    print::afterMaster(progress), stop);
        },
        [this, printer = choice.printer](const print::DeckOutcome &outcome) { finished(outcome, printer); });
}

void HeleDeckForm::showEdgeWarning()
{
    m_edgeWarning->setText(print::edgeBandWarning(options()));
}

void HeleDeckForm::writeCardImages()
{
    if (m_work->busy())
        return;
    const std::optional<QString> folder =
        m_dialogs.cardFolder(this, QFileInfo(suggestedPdfPath()).absolutePath());
    if (!folder)
        return;
    // Refused at once, rather than after the work has started.
    if (const QString why = print::cardFolderRefusal(*folder); !why.isEmpty())
        return failed(why);
    const std::optional<print::BackChoice> back = chosenBack();
    if (!back)
        return;
    m_work->run<QString>(
        [sheet = m_sheet, record = m_record, back = back->image, size = options().cardSize,
         folder = *folder](std::stop_token stop, const print::PageProgress &progress) {
            const QImage picture = print::masterPicture(sheet, record, progress, stop);
            if (picture.isNull())
                return QString();
            return print::writeCardImages(picture, back, folder, size, print::kDefaultBleedMm,
                                          print::afterMaster(progress), stop);
        },
        [this](const QString &error) {
            if (!error.isEmpty())
                failed(error);
        });
}

void HeleDeckForm::writeCalibration()
{
    if (m_work->busy())
        return;
    const QString suggested =
        QFileInfo(suggestedPdfPath()).dir().filePath(QStringLiteral("Uitlijnpagina.pdf"));
    const std::optional<QString> path = m_dialogs.pdfPath(this, suggested);
    if (!path)
        return;
    m_work->run<print::DeckOutcome>(
        [paper = options().layout == print::DeckLayout::Pages ? print::Paper::A4 : options().paper,
         path = *path](std::stop_token stop, const print::PageProgress &) {
            QString error;
            const std::optional<QByteArray> pdf = print::calibrationPdf(paper, &error);
            if (pdf && print::savePdf(*pdf, path, &error, stop))
                return print::DeckOutcome{};
            return print::DeckOutcome{print::DeckOutcome::End::Failed,
                                      QString::fromUtf16(print::kPdfFailed).arg(error), 0};
        },
        [this](const print::DeckOutcome &outcome) { finished(outcome, {}); });
}

void HeleDeckForm::addOwnBack()
{
    const std::optional<QString> path = m_dialogs.backPicture(this);
    if (!path)
        return;
    QString error;
    const std::optional<int> n = m_gallery.addOwn(*path, m_readPicture, &error);
    if (!n)
        return failed(
            QStringLiteral("%1 kan geen rugzijde zijn:\n%2").arg(QFileInfo(*path).fileName(), error));
    m_scroll->setRange(0, m_gallery.count());
    m_scroll->setValue(*n + 1);
}

void HeleDeckForm::reject()
{
    if (!m_work->holdClose())
        QDialog::reject();
}

} // namespace vellora
