#include "placement/targetoptions.h"

#include "placement/cardtargets.h"
#include "surface/appfolder.h"
#include "surface/twips.h"
#include "surface/widgets/artwork.h"
#include "surface/widgets/imagebutton.h"

#include <QPixmap>

namespace vellora {

TargetOptions::TargetOptions(QWidget *parent, const AppFolder &folder, int left, int firstTop) : QObject(parent)
{
    for (int i = 0; i < targets::kOptions; ++i) {
        auto *button = new ImageButton(parent);
        button->setObjectName(QStringLiteral("Image1(%1)").arg(i));
        const QPixmap picture = artworkPixmap(folder, targets::artwork(i), parent);
        button->setPixmap(picture);
        button->setToolTip(targets::tooltip(i));
        button->setAlignment(Qt::AlignCenter);
        // Room for the border on every side, so the picture stays put when it is chosen.
        const QSize size = picture.isNull() ? QSize(i == 0 ? 88 : 22, 21) : picture.deviceIndependentSize().toSize();
        button->setGeometry(QRect(px(QPoint(left, firstTop + 420 * i)), size + QSize(2, 2)));
        button->setCursor(Qt::PointingHandCursor);
        m_options[std::size_t(i)] = button;
        connect(button, &ImageButton::clicked, this, [this, i] { choose(i); });
    }
}

void TargetOptions::choose(int option)
{
    for (ImageButton *button : m_options)
        button->setFrameStyle(QFrame::NoFrame);
    m_chosen = option;
    if (option >= 0 && option < targets::kOptions) {
        m_options[std::size_t(option)]->setFrameStyle(QFrame::Box | QFrame::Plain);
        m_options[std::size_t(option)]->setLineWidth(1);
    }
}

} // namespace vellora
