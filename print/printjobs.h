#pragma once

#include "print/pagetables.h"

#include <QImage>
#include <QString>

namespace vellora {

class PrintTarget;
class Surface;

namespace print {

// The one message every print failure ends in, whatever went wrong.
inline constexpr char16_t kFailureText[] = u"No printer or printer offline!";
inline constexpr char16_t kFailureTitle[] = u" Error";
// A printer that is fine must not be blamed when there is simply no back to print.
inline constexpr char16_t kNoBackText[] = u"Geen rugzijde gevonden in Backgrounds.";

// What one press of Ok came to. Only `printed` decides what the user sees; `reason` says why for tests.
struct PrintOutcome
{
    bool printed = false;
    QString reason;
};

// The working picture of a face page: the page's sheet rectangle copied at its own size onto a fresh surface
// of the page's width and 12000 twips high, cut off at its right edge.
void composeFacePage(const QImage &sheet, const FacePage &page, Surface &workingPicture);

// Prints one face page as one landscape document: the working picture is rebuilt from the sheet, then
// painted stretched to the page's printed size at (left margin, top margin). Margins are the texts of the
// two margin boxes.
PrintOutcome printFacePage(const QImage &sheet, const FacePage &page, const QString &topMargin,
                           const QString &leftMargin, Surface &workingPicture, PrintTarget &target);

// Prints a back as one portrait document, stretched to 12000 x 16900 twips at (left margin, top margin).
PrintOutcome printBack(const QImage &back, const QString &topMargin, const QString &leftMargin,
                       PrintTarget &target);

} // namespace print
} // namespace vellora
