#pragma once

#include "print/decklayout.h"
#include "print/printqueues.h"
#include "sheet/printmaster.h"

#include <QCoreApplication>
#include <QString>
#include <optional>

class QLabel;
class QRect;
class QWidget;

namespace vellora {

// Where the deck goes once the user has chosen: a printer with its job options, or a file when the print
// dialog was told to print to one.
struct PrintChoice
{
    QString printer;
    JobOptions options;
    QString pdfFile;
    // The printer's paper when it is one the cards can be laid out for; the cards then go on it.
    std::optional<print::Paper> paper = {};
};

// The two questions the whole-deck window asks through the platform's own dialogs; tests answer in their
// place.
class DeckDialogs
{
public:
    virtual ~DeckDialogs() = default;
    // The file to save the PDF as, starting from `suggested`; nothing when cancelled.
    virtual std::optional<QString> pdfPath(QWidget *parent, const QString &suggested) = 0;
    // The printer and its options, starting from `printer`; nothing when cancelled.
    virtual std::optional<PrintChoice> printer(QWidget *parent, const QString &printer) = 0;
    // The folder for the cards as pictures; nothing when cancelled.
    virtual std::optional<QString> cardFolder(QWidget *, const QString &) { return std::nullopt; }
    // A picture of the user's own to use as a back; nothing when cancelled.
    virtual std::optional<QString> backPicture(QWidget *) { return std::nullopt; }
};

// The save dialog and Qt's print dialog.
class QtDeckDialogs final : public DeckDialogs
{
public:
    std::optional<QString> pdfPath(QWidget *parent, const QString &suggested) override;
    std::optional<PrintChoice> printer(QWidget *parent, const QString &printer) override;
    std::optional<QString> cardFolder(QWidget *parent, const QString &suggested) override;
    std::optional<QString> backPicture(QWidget *parent) override;
};

namespace print {
inline QString screenResolutionText()
{
    return QCoreApplication::translate(
        "Print", "Afdrukken op schermresolutie: het drukbestand hoort niet bij dit project");
}
// The line a print window shows for a deck printed from its sheet alone, at `twips`; hidden until
// showScreenResolution() is told of such a record.
QLabel *screenResolutionLine(QWidget *window, const QRect &twips);
void showScreenResolution(QLabel *line, const PrintRecord &record);
} // namespace print

} // namespace vellora
