#include "print/afdrukform.h"

#include "print/deckdialogs.h"
#include "print/exportpath.h"
#include "print/pagetables.h"
#include "print/printjobs.h"
#include "print/printwidgets.h"
#include "print/workstrip.h"
#include "surface/appfolder.h"
#include "surface/platform.h"
#include "surface/surface.h"
#include "surface/twips.h"
#include "surface/widgets/dialogparts.h"
#include "surface/widgets/imagebutton.h"
#include "surface/widgets/picturebox.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QRadioButton>

namespace vellora {

AfdrukForm::AfdrukForm(const QImage &sheet, Pacer &pacer, Prompter &prompter, const AppFolder &folder,
                       const PrintQueues &queues, QWidget *parent)
    : QDialog(parent), m_sheet(sheet), m_prompter(prompter)
{
    setObjectName(QStringLiteral("AfdrukForm"));
    setWindowTitle(QCoreApplication::translate("Print", "Vellora Afdrukken"));
    setFixedSize(px(QSize(6600, 4800)));
    setPanelColour(this);

    panelLabel(this, QStringLiteral("Label1"), QRect(150, 180, 4215, 2715), QColor(55, 55, 55));
    m_pic = new PictureBox(this);
    m_pic->setObjectName(QStringLiteral("Pic"));
    m_pic->setGeometry(twipRect(210, 240, 4080, 2580));

    printui::label(this, "Label2", QCoreApplication::translate("Print", "6 Pagina's (A4)"), 4650, 240);
    for (int i = 0; i < print::kPageCount; ++i) {
        auto *option = new QRadioButton(print::facePages()[i].caption, this);
        option->setObjectName(QStringLiteral("Option1(%1)").arg(i));
        option->setGeometry(twipRect(4800, 750 + 285 * i, 2700, 270));
        QPalette p = option->palette();
        p.setColor(QPalette::Window, kPanelColour);
        p.setColor(QPalette::WindowText, kOptionTextColour);
        option->setPalette(p);
        m_options[i] = option;
        connect(option, &QRadioButton::toggled, this, [this, i](bool on) {
            if (on)
                showPreview(i + 1);
        });
    }

    m_topMargin = printui::marginBox(this, "Combo1", 180, 3090, QStringLiteral("40"));
    printui::label(this, "Label3", QCoreApplication::translate("Print", "Topmargin"), 990, 3150);
    m_leftMargin = printui::marginBox(this, "Combo2", 180, 3450, QStringLiteral("10"));
    printui::label(this, "Label4", QCoreApplication::translate("Print", "Leftmargin"), 990, 3510);

    cancelButton(this, pacer, folder, QRect(4710, 3390, 765, 435));
    ImageButton *okButton = pictureButton(this, pacer, folder, QStringLiteral("OkKnop"),
                                          QStringLiteral("ok.png"), QRect(5550, 3390, 765, 435));
    connect(okButton, &ImageButton::clicked, this, [this] { ok(); });
    m_work = new WorkStrip(this, pacer, prompter, queues, QRect(180, 3960, 6240, 390));
    m_screenResolution = print::screenResolutionLine(this, QRect(180, 4170, 6240, 480));

    // Checking the first option paints the first preview through the same path as a click.
    m_options[0]->setChecked(true);
}

void AfdrukForm::setPrintRecord(PrintRecord record)
{
    m_record = std::move(record);
    print::showScreenResolution(m_screenResolution, m_record);
}

int AfdrukForm::selectedPage() const
{
    for (int i = 0; i < print::kPageCount; ++i) {
        if (m_options[i]->isChecked())
            return i + 1;
    }
    return 1;
}

void AfdrukForm::showPreview(int page)
{
    const print::FacePage &p = print::facePage(page);
    Surface &preview = m_pic->surface();
    preview.resize(px(print::kFacePreviewSize.width()), px(print::kFacePreviewSize.height()));
    preview.paintPicture(m_sheet, QRectF(p.previewDestination), QRectF(p.previewSheetRect));
    m_pic->refresh();
}

void AfdrukForm::ok()
{
    if (m_work->busy())
        return;
    // The working picture is made on the worker as well: a fresh one costs the first touch of 4.5 MB.
    m_work->printOnDefault([deck = DeckSnapshot{m_sheet, m_record, {}, {}}, page = selectedPage(),
                            top = m_topMargin->currentText(),
                            left = m_leftMargin->currentText()](std::stop_token stop,
                                                                const print::PageProgress &progress) {
        return print::seriesPageJob(deck, page, top, left, progress, stop);
    });
}

void AfdrukForm::reject()
{
    if (!m_work->holdClose())
        QDialog::reject();
}

} // namespace vellora
