#include "placement/cardtargets.h"

#include "surface/surface.h"

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
    static const char *const texts[kOptions] = {" Alle 4 kaarten ", " Op Harten kaart ", " Op Klaver kaart ",
                                                " Op Ruiten kaart ", " Op Schoppen kaart "};
    return option >= 0 && option < kOptions ? QString::fromLatin1(texts[option]) : QString();
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

void paste(Surface &sheet, const QImage &picture, int option, int left, int insetTop, QSize size)
{
    for (int row : rowsOf(option)) {
        const int top = insetTop + sheet::cellOrigin(row, 0).y();
        sheet.paintPicture(picture, QRectF(left, top, size.width(), size.height()),
                           QRectF(0, 0, size.width(), size.height()));
    }
}

} // namespace vellora::targets
