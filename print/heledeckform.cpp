#include "print/heledeckform.h"

#include "print/deckchoices.h"
#include "print/printjobs.h"
#include "print/printwidgets.h"
#include "print/workstrip.h"
#include "surface/photoloader.h"
#include "surface/platform.h"
#include "surface/twips.h"
#include "surface/userfolders.h"
#include "surface/widgets/dialogparts.h"
#include "surface/widgets/imagebutton.h"
#include "surface/widgets/picturebox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <algorithm>

namespace vellora {

namespace {

QString ownBacksFolder() { return UserFolders::ofThisUser().backgrounds(); }

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
    : QDialog(parent), m_deck{sheet, {}, projectName, {}}, m_prompter(prompter), m_queues(queues),
      m_dialogs(dialogs), m_gallery(folder, ownBacksFolder()),
      // An own back is read as a photo is: every format the photo dialog takes, within its budget.
      m_readPicture([](const QString &path) -> Result<QImage> {
          const PhotoLoad photo = PhotoLoader::load(path);
          if (!photo.ok())
              return photo.outcome();
          return photo->image;
      })
{
    setObjectName(QStringLiteral("HeleDeckForm"));
    setWindowTitle(QCoreApplication::translate("Print", print::kDeckTitle));
    // Room below the buttons for the strip of the work in the background.
    setFixedSize(px(QSize(6600, 8170)));
    setPanelColour(this);

    buildPreviews();
    buildBackChooser();
    buildChoices(settings);
    buildButtons(pacer, folder);
    m_work = new WorkStrip(this, pacer, prompter, queues, QRect(180, 7430, 6240, 390));
    m_screenResolution = print::screenResolutionLine(this, QRect(180, 7620, 6240, 480));
    showEdgeWarning();

    // The first back when there is one, as the deck is mostly printed with its backs.
    m_backScroll->setValue(std::min(1, m_gallery.count()));
    showBack(m_backScroll->value());
}

void HeleDeckForm::setPrintRecord(PrintRecord record)
{
    m_deck.record = std::move(record);
    print::showScreenResolution(m_screenResolution, m_deck.record);
}

void HeleDeckForm::buildPreviews()
{
    panelLabel(this, QStringLiteral("Label1"), QRect(150, 180, 4215, 2715), QColor(55, 55, 55));
    m_sheetPreview = new PictureBox(this);
    m_sheetPreview->setObjectName(QStringLiteral("Pic"));
    m_sheetPreview->setGeometry(twipRect(210, 240, 4080, 2580));
    Surface &preview = m_sheetPreview->surface();
    preview.resize(px(4080), px(2580));
    preview.paintPicture(m_deck.sheet, QRectF(45, 480, 3990, 1600),
                         QRectF(0, 0, sheet::kWidth, sheet::kHeight));
    m_sheetPreview->refresh();

    panelLabel(this, QStringLiteral("Label2"), QRect(4500, 180, 1335, 1890), QColor(55, 55, 55));
    m_backPreview = new PictureBox(this);
    m_backPreview->setObjectName(QStringLiteral("RugPic"));
    m_backPreview->setGeometry(twipRect(4560, 240, 1215, 1770));
}

void HeleDeckForm::buildBackChooser()
{
    m_backScroll = new QScrollBar(Qt::Vertical, this);
    m_backScroll->setObjectName(QStringLiteral("VScroll1"));
    m_backScroll->setGeometry(twipRect(5910, 180, 285, 1890));
    // 0 is no back at all; 1 to count are the backs as their counter numbers them.
    m_backScroll->setRange(0, m_gallery.count());
    m_backScroll->setPageStep(1);
    m_backCounter = printui::label(this, "Label3", QString(), 4500, 2160);
    m_backCounter->setMinimumWidth(px(2000));
    connect(m_backScroll, &QScrollBar::valueChanged, this, [this](int n) { showBack(n); });
    connect(button(this, "EigenRugKnop", QCoreApplication::translate("Print", "Eigen rug…"),
                   QRect(4500, 2520, 1700, 400)),
            &QPushButton::clicked, this, [this] { addOwnBack(); });
}

void HeleDeckForm::buildChoices(QSettings &settings)
{
    const auto option = [this](auto *button, const char *name, int left, int top) {
        button->setObjectName(QLatin1String(name));
        button->setGeometry(twipRect(left, top, 2000, 270));
        QPalette p = button->palette();
        p.setColor(QPalette::WindowText, kOptionTextColour);
        button->setPalette(p);
        return button;
    };
    m_duplex = option(new QRadioButton(QCoreApplication::translate("Print", "Dubbelzijdig"), this),
                      "Option1(0)", 180, 3090);
    m_facesFirst = option(new QRadioButton(QCoreApplication::translate("Print", "Eerst voorkanten"), this),
                          "Option1(1)", 180, 3390);
    m_cutMarks =
        option(new QCheckBox(QCoreApplication::translate("Print", "Snijtekens"), this), "Check1", 2400, 3090);
    m_scaleBar =
        option(new QCheckBox(QCoreApplication::translate("Print", "Maatstreep"), this), "Check2", 2400, 3390);
    m_duplex->setChecked(true);
    m_cutMarks->setChecked(true);
    m_scaleBar->setChecked(true);

    m_topMargin = printui::marginBox(this, "Combo1", 4500, 3090, print::DeckOptions().topMargin);
    printui::label(this, "Label4", QCoreApplication::translate("Print", "Topmargin"), 5310, 3150);
    m_leftMargin = printui::marginBox(this, "Combo2", 4500, 3450, print::DeckOptions().leftMargin);
    printui::label(this, "Label5", QCoreApplication::translate("Print", "Leftmargin"), 5310, 3510);

    m_choices = new DeckChoices(this, settings, 3840);
    m_edgeWarning = new QLabel(this);
    m_edgeWarning->setObjectName(QStringLiteral("RandWaarschuwing"));
    m_edgeWarning->setGeometry(twipRect(180, 5980, 6240, 420));
    m_edgeWarning->setWordWrap(true);
    setColours(m_edgeWarning, QColor(150, 20, 20));
    connect(m_choices, &DeckChoices::changed, this, [this] { showEdgeWarning(); });
    for (QComboBox *margin : {m_topMargin, m_leftMargin})
        connect(margin, &QComboBox::editTextChanged, this, [this] { showEdgeWarning(); });
}

void HeleDeckForm::buildButtons(Pacer &pacer, const AppFolder &folder)
{
    m_pdfButton = button(this, "PdfKnop", QCoreApplication::translate("Print", "Opslaan als PDF…"),
                         QRect(180, 6470, 2100, 435));
    m_printButton = button(this, "PrintKnop", QCoreApplication::translate("Print", "Afdrukken…"),
                           QRect(2400, 6470, 1800, 435));
    cancelButton(this, pacer, folder, QRect(5550, 6470, 765, 435));
    // On the row of the bleed and CMYK it takes.
    connect(button(this, "DrukkerijKnop", QCoreApplication::translate("Print", "Drukkerij-PDF…"),
                   QRect(4500, 5050, 1815, 435)),
            &QPushButton::clicked, this, [this] { saveShopPdf(); });
    connect(m_pdfButton, &QPushButton::clicked, this, [this] { savePdf(); });
    connect(m_printButton, &QPushButton::clicked, this, [this] { print(); });
    connect(button(this, "KaartenKnop", QCoreApplication::translate("Print", "Kaarten als afbeeldingen…"),
                   QRect(180, 6950, 2700, 435)),
            &QPushButton::clicked, this, [this] { writeCardImages(); });
    connect(button(this, "UitlijnKnop", QCoreApplication::translate("Print", "Uitlijnpagina…"),
                   QRect(3000, 6950, 1900, 435)),
            &QPushButton::clicked, this, [this] { writeCalibration(); });
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

int HeleDeckForm::backNumber() const
{
    return m_backScroll->value();
}

QString HeleDeckForm::suggestedPdfPath() const
{
    const QString name = m_deck.name.isEmpty() ? QStringLiteral("Vellora") : m_deck.name;
    // A fresh account may have no Documents folder yet; the dialog would then start wherever the program
    // was started from, so the home folder stands in.
    return QDir(UserFolders::ofThisUser().documents).filePath(name + QStringLiteral(".pdf"));
}

void HeleDeckForm::showBack(int n)
{
    m_backCounter->setText(n == 0 ? print::noBackChosen()
                                  : BackGallery::counterText(n - 1, m_gallery.count()));
    const QImage back = n == 0 ? QImage() : m_gallery.load(n - 1);
    Surface &preview = m_backPreview->surface();
    preview.resize(px(1215), px(1770));
    if (!back.isNull())
        preview.paintPicture(back, QRectF(0, 0, 1215, 1770),
                             QRectF(0, 0, twipsOf(back.width()), twipsOf(back.height())));
    m_backPreview->refresh();
}

void HeleDeckForm::failed(const QString &text)
{
    m_prompter.message(text, windowTitle(), Prompter::Icon::Critical);
}

std::optional<print::BackChoice> HeleDeckForm::chosenBack(bool forShop)
{
    print::BackChoice back;
    if (const int n = backNumber(); n > 0) {
        back = m_gallery.choice(n - 1, forShop);
        if (back.image.isNull()) {
            failed(QCoreApplication::translate("Print", "Rugzijde %1 kan niet worden gelezen.").arg(n));
            return std::nullopt;
        }
    }
    return back;
}

void HeleDeckForm::finished(const Result<int> &job, const QString &printer)
{
    if (job)
        m_work->watchJob(printer, *job);
    else if (job.outcome().how() == Outcome::Failure::Unreached)
        m_work->printerFailed();
    else if (!job.outcome().isCalledOff())
        failed(job.outcome().text());
}

void HeleDeckForm::exportTo(print::ExportKind kind, const QString &path)
{
    const print::ExportTarget target{kind, QFile::encodeName(path)};
    // Refused at once, rather than after the work has started; exportDeck asks again.
    if (const Outcome why = print::exportRefusal(m_deck, target); !why)
        return exported(kind, why);
    const std::optional<double> bleed = m_choices->bleedMm();
    if (!bleed && (kind == print::ExportKind::CardImages || kind == print::ExportKind::ShopPdf))
        return failed(print::bleedRefused());
    print::ExportOptions chosen{options(), {}, bleed.value_or(print::kDefaultBleedMm),
                                {m_choices->cmyk(), print::kDefaultInkPercent}, m_choices->cut()};
    if (kind == print::ExportKind::Calibration) {
        chosen.deck.paper =
            chosen.deck.layout == print::DeckLayout::Pages ? print::Paper::A4 : chosen.deck.paper;
    } else {
        const std::optional<print::BackChoice> back =
            chosenBack(kind == print::ExportKind::CardImages || kind == print::ExportKind::ShopPdf);
        if (!back)
            return;
        chosen.back = *back;
    }
    m_work->run<Outcome>(
        [deck = m_deck, chosen, target](std::stop_token stop, const print::PageProgress &progress) {
            return print::exportDeck(deck, chosen, target, progress, stop);
        },
        [this, kind](const Outcome &outcome) { exported(kind, outcome); });
}

void HeleDeckForm::exported(print::ExportKind kind, const Outcome &outcome)
{
    if (outcome || outcome.isCalledOff())
        return;
    // The card images' reasons say it all; a PDF's failure also says that an older file is kept.
    const bool pdf = kind == print::ExportKind::DeckPdf || kind == print::ExportKind::ShopPdf;
    const bool framed =
        kind == print::ExportKind::Calibration || (pdf && outcome.how() != Outcome::Failure::NotMade);
    failed(framed ? print::pdfFailedText(outcome.text()) : outcome.text());
}

void HeleDeckForm::savePdf()
{
    if (m_work->busy())
        return;
    if (const std::optional<QString> path = m_dialogs.pdfPath(this, suggestedPdfPath()))
        exportTo(print::ExportKind::DeckPdf, *path);
}

void HeleDeckForm::saveShopPdf()
{
    if (m_work->busy())
        return;
    // The suggested names are the user's to keep, so they are in the user's language.
    const QString name = QCoreApplication::translate("Print", "%1-drukkerij.pdf")
                             .arg(QFileInfo(suggestedPdfPath()).completeBaseName());
    if (const std::optional<QString> path =
            m_dialogs.pdfPath(this, QFileInfo(suggestedPdfPath()).dir().filePath(name)))
        exportTo(print::ExportKind::ShopPdf, *path);
}

void HeleDeckForm::print()
{
    if (m_work->busy())
        return;
    // The default printer is asked for before the print dialog, which would otherwise wait on a print server
    // that does not answer.
    m_work->run<Result<QString>>(
        [&queues = m_queues](std::stop_token stop, const print::PageProgress &) {
            return print::readyDefaultPrinter(queues, stop);
        },
        [this](const Result<QString> &ready) {
            if (!ready)
                m_work->printerFailed();
            else if (const std::optional<PrintChoice> choice = m_dialogs.printer(this, *ready))
                printOn(*choice);
        });
}

void HeleDeckForm::printOn(const PrintChoice &choice)
{
    if (!choice.pdfFile.isEmpty())
        return exportTo(print::ExportKind::DeckPdf, choice.pdfFile);
    const std::optional<print::BackChoice> back = chosenBack();
    if (!back)
        return;
    print::DeckOptions deck = options();
    deck.paper = choice.paper.value_or(deck.paper);
    m_work->run<Result<int>>(
        [&queues = m_queues, choice, snapshot = m_deck, back = *back,
         options = deck](std::stop_token stop, const print::PageProgress &progress) {
            // The action's deadline runs from the press: the deck drawn first counts against it.
            const std::shared_ptr<const PrintQueues> action = queues.action(stop);
            return print::printSnapshot(*action, choice.printer, choice.options, snapshot, back, options,
                                        progress, stop);
        },
        [this, printer = choice.printer](const Result<int> &job) { finished(job, printer); });
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
    if (folder)
        exportTo(print::ExportKind::CardImages, *folder);
}

void HeleDeckForm::writeCalibration()
{
    if (m_work->busy())
        return;
    const QString suggested = QFileInfo(suggestedPdfPath())
                                  .dir()
                                  .filePath(QCoreApplication::translate("Print", "Uitlijnpagina.pdf"));
    if (const std::optional<QString> path = m_dialogs.pdfPath(this, suggested))
        exportTo(print::ExportKind::Calibration, *path);
}

void HeleDeckForm::addOwnBack()
{
    const std::optional<QString> path = m_dialogs.backPicture(this);
    if (!path)
        return;
    const Result<int> n = m_gallery.addOwn(*path, m_readPicture);
    if (!n)
        return failed(QCoreApplication::translate("Print", "%1 kan geen rugzijde zijn:\n%2")
                          .arg(QFileInfo(*path).fileName(), n.outcome().text()));
    m_backScroll->setRange(0, m_gallery.count());
    m_backScroll->setValue(*n + 1);
}

void HeleDeckForm::reject()
{
    if (!m_work->holdClose())
        QDialog::reject();
}

} // namespace vellora
