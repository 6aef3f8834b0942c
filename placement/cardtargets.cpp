#include "placement/cardtargets.h"

#include <QCoreApplication>

namespace vellora::targets {

std::vector<int> rowsOf(int option)
{
    if (option == 0)
        return {0, 1, 2, 3};
    if (option >= 1 && option < kOptions)
        return {option - 1};
    return {};
}

QString tooltip(int option)
{
    static const char *const texts[kOptions] = {QT_TRANSLATE_NOOP("Placement", " Alle 4 kaarten "),
                                                QT_TRANSLATE_NOOP("Placement", " Op Harten kaart "),
                                                QT_TRANSLATE_NOOP("Placement", " Op Klaver kaart "),
                                                QT_TRANSLATE_NOOP("Placement", " Op Ruiten kaart "),
                                                QT_TRANSLATE_NOOP("Placement", " Op Schoppen kaart ")};
    return option >= 0 && option < kOptions ? QCoreApplication::translate("Placement", texts[option])
                                            : QString();
}

QString artwork(int option) { return QStringLiteral("import-%1.png").arg(option); }

int rankColumn(KaartSoort soort)
{
    switch (soort) {
    case KaartSoort::Aas: return 0;
    case KaartSoort::Boer: return 10;
    case KaartSoort::Vrouw: return 11;
    case KaartSoort::Koning: return 12;
    case KaartSoort::Joker: return sheet::kJokerColumn;
    }
    return 0;
}

int pictureAreaLeft(KaartSoort soort) { return kPictureInset + sheet::cellOrigin(0, rankColumn(soort)).x(); }

CardPaste paste(const QImage &picture, int option, int left, int insetTop, QSize size)
{
    return CardPaste{picture, rowsOf(option), QPoint(left, insetTop), size, {}};
}

} // namespace vellora::targets
