#pragma once

#include "surface/appfolder.h"

#include <QPixmap>

class QWidget;

namespace vellora {

// The program's own pictures (buttons, logo, check mark), sharp on a scaled screen: beside each "name.png"
// in Artwork lies "name@2x.png", drawn at twice the size. At a scale of 1 the plain file is used as it is;
// above it the double-size drawing is brought to the screen's own pixels, so that nothing is stretched.
// A missing or damaged double-size file falls back to the plain one.
QPixmap artworkPixmap(const AppFolder &folder, const QString &name, qreal scale);

// For the screen `where` is shown on.
QPixmap artworkPixmap(const AppFolder &folder, const QString &name, const QWidget *where);

} // namespace vellora
