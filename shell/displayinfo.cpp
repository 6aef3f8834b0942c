#include "shell/displayinfo.h"

#include <QCoreApplication>
#include <QStringList>

namespace vellora {

QString schermFiguur(int twips)
{
    // 15 significant digits: enough for every decimal a division by 15 gives, without the binary noise in
    // the last place (16391 / 15 reads 1092.73333333333, not 1092.7333333333334).
    return QString::number(twips / 15.0, 'g', 15);
}

QString beeldschermTekst(const ScreenMetrics &screen)
{
    const QStringList lines{
        QCoreApplication::translate("Main", "Schermresolutie... : %1 Dpi (Dots / Inch)")
            .arg(screen.dotsPerInch()),
        QCoreApplication::translate("Main", "Schermgrootte..... : %1 x %2 Pixels")
            .arg(schermFiguur(screen.sizeTwips.width()), schermFiguur(screen.sizeTwips.height())),
        QString(42, u'-'),
        QCoreApplication::translate("Main", "Is de Schermresolutie ongelijk dan 96 Dpi,"),
        QCoreApplication::translate("Main", "kijk dan onder Help/Beeldscherm voor het"),
        QCoreApplication::translate("Main", "wijzigen van de Schermresolutie voor de"),
        QCoreApplication::translate("Main", "versies Windows XP en Windows 7 en 8."),
    };
    return lines.join(QStringLiteral("\r\n"));
}

} // namespace vellora
