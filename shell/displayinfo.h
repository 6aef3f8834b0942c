#pragma once

#include "surface/platform.h"

#include <QCoreApplication>
#include <QString>

namespace vellora {

inline QString beeldschermTitel()
{
    return QCoreApplication::translate("Main", " Beeldscherm");
}

// A screen length in twips as the message reports it: divided by 15 whatever the real twips per pixel, so a
// screen at another resolution than 96 dpi shows sizes that are not its pixel counts. No decimals for a
// whole number, otherwise as many as the figure has (to 15 significant digits).
QString schermFiguur(int twips);

// The "Resolutie Opvragen" message: seven lines with CR LF between them and none after the last.
QString beeldschermTekst(const ScreenMetrics &screen);

} // namespace vellora
