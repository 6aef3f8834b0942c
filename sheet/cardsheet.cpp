#include "sheet/cardsheet.h"

#include <QStringList>

namespace vellora::sheet {

QString rankLabel(int column)
{
    static const std::array<const char *, kColumns> labels = {"A", "2", "3", "4", "5", "6", "7",
                                                               "8", "9", "10", "B", "V", "K", "J"};
    return QString::fromLatin1(labels.at(column));
}

QString rankTooltip(int column)
{
    switch (column) {
    case 0: return QStringLiteral(" Aas ");
    case 10: return QStringLiteral(" Boer ");
    case 11: return QStringLiteral(" Vrouw ");
    case 12: return QStringLiteral(" Koning ");
    case 13: return QStringLiteral(" Joker ");
    default: return {};
    }
}

QString suitName(int row)
{
    static const std::array<const char *, kRows> names = {"Harten", "Klavers", "Ruiten", "Schoppen"};
    return QString::fromLatin1(names.at(row));
}

QString suitRowLabel(int row) { return suitName(row) + QStringLiteral(" (A..J)"); }

QString suitRowTooltip(int row) { return QStringLiteral(" Rijkeuze ") + suitName(row) + u' '; }

} // namespace vellora::sheet
