#pragma once

#include "sheet/printmaster.h"

#include <QByteArray>
#include <QImage>
#include <QString>

namespace vellora {

// The deck as its outputs are made from it, taken at one moment: a value a worker can hold while the user
// goes on. The record gives the print master; an empty one prints from the sheet.
struct DeckSnapshot
{
    QImage sheet; // 3990 x 1600
    PrintRecord record;
    QString name; // the project's, empty for none
    // The file the sheet was read from, which no output may take the place of; empty when unknown.
    QByteArray file;
};

} // namespace vellora
