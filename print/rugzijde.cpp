#include "print/rugzijde.h"

#include "print/printjobs.h"
#include "print/printwidgets.h"
#include "print/workstrip.h"
#include "surface/platform.h"
#include "surface/twips.h"
#include "surface/widgets/dialogparts.h"
#include "surface/widgets/imagebutton.h"
#include "surface/widgets/picturebox.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QScrollBar>
#include <algorithm>

namespace vellora {

Rugzijde::Rugzijde(Pacer &pacer, Prompter &prompter, const AppFolder &folder, const PrintQueues &queues,
                   QWidget *parent)
    : QDialog(parent), m_prompter(prompter), m_gallery(folder)
{
    setObjectName(QStringLiteral("Rugzijde"));
    setWindowTitle(QCoreApplication::translate("Print", " Afdrukken Rugzijde"));
    setFixedSize(px(QSize(6600, 4470)));
    setPanelColour(this);

    panelLabel(this, QStringLiteral("Label1"), QRect(180, 210, 2415, 3315), QColor(55, 55, 55));
    m_pic = new PictureBox(this);
    m_pic->setObjectName(QStringLiteral("Pic"));
    m_pic->setGeometry(twipRect(240, 270, 2280, 3180));

    panelLabel(this, QStringLiteral("Label2"), QRect(2640, 210, 345, 3315), QColor(55, 55, 55));
    m_scroll = new QScrollBar(Qt::Vertical, this);
    m_scroll->setObjectName(QStringLiteral("VScroll1"));
    m_scroll->setGeometry(twipRect(2670, 240, 285, 3255));
    // With no backs at all the bar stays at 0 rather than running from 0 down to -1.
    m_scroll->setRange(0, std::max(0, m_gallery.count() - 1));
    m_scroll->setValue(0);
    // One back per click in the trough, as the platform's own scroll bars move through a short list.
    m_scroll->setPageStep(1);

    m_counter = printui::label(this, "Label3", BackGallery::counterText(0, m_gallery.count()), 210, 3600);
    m_counter->setMinimumWidth(px(2415));

    m_topMargin = printui::marginBox(this, "Combo1", 3300, 300, QStringLiteral("0"));
    printui::label(this, "Label4", QCoreApplication::translate("Print", "Topmargin"), 4140, 345);
    m_leftMargin = printui::marginBox(this, "Combo2", 3300, 750, QStringLiteral("0"));
    printui::label(this, "Label5", QCoreApplication::translate("Print", "Leftmargin"), 4140, 794);

    cancelButton(this, pacer, folder, QRect(4710, 3390, 765, 435));
    ImageButton *printButton = pictureButton(this, pacer, folder, QStringLiteral("PrintKnop"),
                                             QStringLiteral("ok.png"), QRect(5550, 3390, 765, 435));
    connect(printButton, &ImageButton::clicked, this, [this] { print(); });
    m_work = new WorkStrip(this, pacer, prompter, queues, QRect(180, 3960, 6240, 390));

    // Opening shows back 0 without touching the counter's count; a missing file leaves both surfaces empty.
    m_backPic.setPicture(m_gallery.load(0));
    m_pic->setPicture(m_backPic.image());
    connect(m_scroll, &QScrollBar::valueChanged, this, [this](int n) { showBack(n); });
}

void Rugzijde::showBack(int n)
{
    // A number without a readable file keeps the back shown before, while the counter moves on.
    const QImage back = m_gallery.load(n);
    if (!back.isNull())
        m_backPic.setPicture(back);
    m_pic->setPicture(m_backPic.image());
    m_counter->setText(BackGallery::counterText(n, m_gallery.count()));
}

void Rugzijde::print()
{
    if (m_work->busy())
        return;
    if (m_backPic.image().isNull()) {
        // The printer is fine; there is simply nothing to print.
        m_prompter.message(print::noBackText(), windowTitle(), Prompter::Icon::Warning);
        return;
    }
    m_work->printOnDefault([back = m_backPic.image(), top = m_topMargin->currentText(),
                            left = m_leftMargin->currentText()](std::stop_token, const print::PageProgress &) {
        return print::backJob(back, top, left);
    });
}

void Rugzijde::reject()
{
    if (!m_work->holdClose())
        QDialog::reject();
}

} // namespace vellora
