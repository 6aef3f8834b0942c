#pragma once

#include "print/pdfdocument.h"
#include "print/printpage.h"

#include <QImage>
#include <QString>
#include <QStringList>

#include <optional>

namespace vellora {

class AppFolder;

namespace print {

// The whole deck as one PDF document: the pages of deckPages(), made in memory.
std::optional<QByteArray> deckPdf(const QImage &sheet, const BackChoice &back, const DeckOptions &options,
                                  QString *error, const PageProgress &progress = {});

// "vellora --export-pdf OUT.pdf [PROJECT.krt] [--back N] [--order duplex|faces-first] [--no-cut-marks]
// [--no-scale-bar]": the deck's PDF without any window. Everything is checked before anything is written, so a
// refused export leaves no file behind.
class PdfExportCommand
{
public:
    static constexpr int kExitRefused = 2;

    struct Outcome
    {
        int exitCode = 0;
        QString message; // one line for stderr; empty on success
    };

    // Whether the arguments ask for an export rather than the program's window.
    static bool requested(const QStringList &arguments);

    // The blank sheet and the backs come from the folder given.
    explicit PdfExportCommand(const AppFolder &folder) : m_folder(folder) {}

    // `arguments` as QCoreApplication::arguments() gives them, the program first.
    Outcome run(const QStringList &arguments) const;

private:
    const AppFolder &m_folder;
};

} // namespace print
} // namespace vellora
