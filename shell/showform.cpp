#include "shell/showform.h"

#include "surface/appfolder.h"
#include "surface/platform.h"
#include "surface/twips.h"
#include "surface/widgets/dialogparts.h"
#include "surface/widgets/picturebox.h"

#include <QCoreApplication>
#include <QLabel>
#include <QMouseEvent>
#include <cmath>
#include <cstdlib>

namespace vellora {

namespace overview {

namespace {

// Whole twips, halves to the even neighbour, as every position of the window is kept.
int whole(double twips) { return static_cast<int>(std::nearbyint(twips)); }

int clampToRange(int position, int range)
{
    // First the start edge, then the far edge: with a picture smaller than the viewport the far edge wins.
    if (position >= 0)
        position = 0;
    if (position <= -range)
        position = -range;
    return position;
}

} // namespace

DragRange dragRange(QSize viewportTwips, QSize pictureTwips)
{
    return {std::abs(viewportTwips.width() - pictureTwips.width()),
            std::abs(viewportTwips.height() - pictureTwips.height())};
}

QPoint pressPoint(QPointF pointerTwips) { return {whole(pointerTwips.x()), whole(pointerTwips.y())}; }

QPoint dragStep(QPointF pointerTwips, QPoint press, QPoint present, DragRange range)
{
    const int left = whole(pointerTwips.x() - press.x() + present.x());
    const int top = whole(pointerTwips.y() - press.y() + present.y());
    return {clampToRange(left, range.horizontal), clampToRange(top, range.vertical)};
}

QImage halfSizeSheet(const QImage &sheet)
{
    return sheet.scaled(kHalfSheet, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

} // namespace overview

namespace {

QPointF pointerTwips(const QMouseEvent *event) { return event->position() * kTwipsPerPixel; }

} // namespace

Showform::Showform(const QImage &sheet, Pacer &pacer, const AppFolder &folder, const QCursor &pointer,
                   QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("Showform"));
    setWindowTitle(QCoreApplication::translate("Main", "Show alle Vellora"));
    setFixedSize(px(QSize(9120, 4560)));
    setPanelColour(this);

    panelLabel(this, QStringLiteral("Label1"), QRect(180, 180, 8715, 3135), QColor(64, 0, 0));

    // Children are clipped to their parent: PicCont shows only the part of SlidePic inside it.
    auto *picCont = new QWidget(this);
    picCont->setObjectName(QStringLiteral("PicCont"));
    picCont->setGeometry(px(QRect(QPoint(240, 240), overview::kViewport)));

    auto *label3 = new QLabel(
        QCoreApplication::translate("Main", "Beweeg de muiscursor met ingedrukte linkermuisknop over "
                                            "de afbeelding heen om alle 56 kaarten\r\nte bekijken."),
        this);
    label3->setObjectName(QStringLiteral("Label3"));
    label3->setTextFormat(Qt::PlainText);
    label3->setFont(arialFont(8.25));
    QPalette text = label3->palette();
    text.setColor(QPalette::WindowText, kLabelTextColour);
    label3->setPalette(text);
    label3->move(px(QPoint(180, 3450)));
    label3->adjustSize();

    m_slidePic = new PictureBox(picCont);
    m_slidePic->setObjectName(QStringLiteral("SlidePic"));
    m_slidePic->setAutoSize(true);
    m_slidePic->move(0, 0);
    m_slidePic->setCursor(pointer);

    // Scaled once here; a drag only moves SlidePic. An empty sheet leaves a blank picture of the same size.
    // Only one of the two is made: a blank BackPic painted over at once would double the memory that every
    // opening takes fresh from the system.
    if (sheet.isNull())
        m_backPic.resize(overview::kHalfSheet.width(), overview::kHalfSheet.height());
    else
        m_backPic.setPicture(overview::halfSizeSheet(sheet));
    m_slidePic->setPicture(m_backPic.image());

    // The window changes nothing, so leaving it is all its one button does.
    makeCancelButton(pictureButton(this, pacer, folder, QStringLiteral("ExitKnop"),
                                   QStringLiteral("exit.png"), QRect(8070, 3510, 765, 435), pointer),
                     this);

    m_range = overview::dragRange(overview::kViewport, QSize(twipsOf(m_slidePic->width()),
                                                             twipsOf(m_slidePic->height())));

    connect(m_slidePic, &PictureBox::mousePressed, this, &Showform::pressOnSheet);
    connect(m_slidePic, &PictureBox::mouseMoved, this, &Showform::dragSheet);
}

Showform::~Showform() = default;

void Showform::pressOnSheet(QMouseEvent *event)
{
    // Any button sets the press point; only the left one drags.
    m_press = overview::pressPoint(pointerTwips(event));
}

void Showform::dragSheet(QMouseEvent *event)
{
    if (event->buttons() != Qt::LeftButton)
        return;
    m_position = overview::dragStep(pointerTwips(event), m_press, m_position, m_range);
    m_slidePic->move(px(m_position));
}

} // namespace vellora
