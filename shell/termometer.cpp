#include "shell/termometer.h"

#include "surface/surface.h"

#include <QColor>
#include <QCoreApplication>

namespace vellora {

void drawTermometerScale(Surface &termometer)
{
    termometer.foreColor = QColor(120, 0, 0);
    termometer.current = QPointF(150, 3240);
    termometer.print(QCoreApplication::translate("Main", "Voortgang"));

    for (int y = 300; y <= 3000; y += 100)
        termometer.line(QPointF(330, y), QPointF(720, y), QColor(80, 80, 80));

    termometer.foreColor = QColor(0, 0, 120);
    for (int n = 9; n >= 0; --n) {
        const int y = 210 + (9 - n) * 300;
        // A number prints with a blank where its sign would stand.
        const QString cijfer = QLatin1Char(' ') + QString::number(n);
        termometer.current = QPointF(135, y);
        termometer.print(cijfer);
        termometer.current = QPointF(735, y);
        termometer.print(cijfer);
    }
}

} // namespace vellora
