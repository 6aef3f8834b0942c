#pragma once

#include "surface/surface.h"

#include <QCursor>
#include <QDialog>
#include <QImage>
#include <QPoint>
#include <QPointF>
#include <QSize>

class QMouseEvent;

namespace vellora {

class AppFolder;
class Pacer;
class PictureBox;

namespace overview {

inline constexpr QSize kViewport{8580, 3000};      // PicCont, twips
inline constexpr QSize kHalfSheet{1995, 800};      // BackPic, pixels
inline constexpr QSize kHalfSheetTwips{29925, 12000};

// How far SlidePic may travel left and up: |viewport - picture| each way, in twips.
struct DragRange
{
    int horizontal = 0;
    int vertical = 0;
    friend bool operator==(const DragRange &, const DragRange &) = default;
};
DragRange dragRange(QSize viewportTwips, QSize pictureTwips);

// Where a press lands, in SlidePic's own twips, whole numbers (halves to even).
QPoint pressPoint(QPointF pointerTwips);

// One step of a left-button drag: the pointer, in SlidePic's twips, has moved away from the press point, so
// SlidePic follows by that much from where it stands; kept between 0 and minus the range on each axis.
QPoint dragStep(QPointF pointerTwips, QPoint press, QPoint present, DragRange range);

// The sheet at half size in both directions, in one smooth scaling.
QImage halfSizeSheet(const QImage &sheet);

} // namespace overview

// "Show alle Vellora": the whole card sheet at half size in a small viewport, dragged with the left mouse
// button. Built from the sheet as it is at every opening and run with exec(); it changes nothing.
class Showform : public QDialog
{
    Q_OBJECT
public:
    // `pointer` is the custom mouse pointer of the program's picture controls.
    Showform(const QImage &sheet, Pacer &pacer, const AppFolder &folder, const QCursor &pointer,
             QWidget *parent = nullptr);
    ~Showform() override;

    // SlidePic's left and top within PicCont, twips: from (0, 0) to minus the drag range.
    QPoint slidePosition() const { return m_position; }
    overview::DragRange range() const { return m_range; }

    // What the controls do.
    void pressOnSheet(QMouseEvent *event);
    void dragSheet(QMouseEvent *event);

private:
    Surface m_backPic; // the half-size sheet, rebuilt at every opening
    PictureBox *m_slidePic = nullptr;
    QPoint m_press;    // twips of SlidePic, (0, 0) until the first press
    QPoint m_position; // twips
    overview::DragRange m_range;
};

} // namespace vellora
