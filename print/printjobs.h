#pragma once

#include "print/pagetables.h"

#include <QImage>
#include <QString>

namespace vellora {

class PrintQueues;
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

// Prints one face page as one landscape job on the default printer: the working picture is rebuilt from the
// sheet, then painted stretched to the page's printed size at (left margin, top margin). Margins are the
// texts of the two margin boxes.
PrintOutcome printFacePage(const QImage &sheet, const FacePage &page, const QString &topMargin,
                           const QString &leftMargin, Surface &workingPicture, const PrintQueues &queues);

// Prints a back as one portrait job on the default printer, stretched to 12000 x 16900 twips at (left margin,
// top margin).
PrintOutcome printBack(const QImage &back, const QString &topMargin, const QString &leftMargin,
                       const PrintQueues &queues);

} // namespace print
} // namespace vellora
