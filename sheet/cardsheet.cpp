#include "sheet/cardsheet.h"

#include <QCoreApplication>
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
    case 0:
        return QCoreApplication::translate("Sheet", " Aas ");
    case 10:
        return QCoreApplication::translate("Sheet", " Boer ");
    case 11:
        return QCoreApplication::translate("Sheet", " Vrouw ");
    case 12:
        return QCoreApplication::translate("Sheet", " Koning ");
    case 13:
        return QCoreApplication::translate("Sheet", " Joker ");
    default: return {};
    }
}

QString suitName(int row)
{
    static const std::array<const char *, kRows> names = {
        QT_TRANSLATE_NOOP("Sheet", "Harten"), QT_TRANSLATE_NOOP("Sheet", "Klavers"),
        QT_TRANSLATE_NOOP("Sheet", "Ruiten"), QT_TRANSLATE_NOOP("Sheet", "Schoppen")};
    return QCoreApplication::translate("Sheet", names.at(row));
}

QString suitRowLabel(int row) { return suitName(row) + QStringLiteral(" (A..J)"); }

QString suitRowTooltip(int row)
{
    return QCoreApplication::translate("Sheet", " Rijkeuze %1 ").arg(suitName(row));
}

} // namespace vellora::sheet
