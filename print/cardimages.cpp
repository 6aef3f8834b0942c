#include "print/cardimages.h"

#include "surface/regularfile.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageWriter>
#include <QSaveFile>
#include <algorithm>
#include <cmath>

namespace vellora::print {

namespace {

const DocumentKind kPng{QByteArray("\x89PNG\r\n\x1a\n", 8), QStringLiteral("PNG")};

} // namespace

QStringList cardImageNames()
{
    static const char *const suits[] = {"harten", "klavers", "ruiten", "schoppen"};
    static const char *const ranks[] = {"a", "2", "3",  "4", "5", "6", "7",
                                        "8", "9", "10", "b", "v", "k", "joker"};
    QStringList names;
    for (const char *suit : suits)
        for (const char *rank : ranks)
            names << QStringLiteral("%1-%2.png").arg(QLatin1String(suit), QLatin1String(rank));
    names << QString::fromUtf16(kBackImageName);
    return names;
}

int dotsFor(double mm)
{
    return int(std::lround(mm / kMmPerInch * kCardImageDpi));
}

QSize cardDots(CardSize size)
{
    const QSizeF mm = cardMm(size);
    return {dotsFor(mm.width()), dotsFor(mm.height())};
}

QImage bledCard(const QImage &picture, QSize card, int bleed, bool cover)
{
    const QRect source = cover ? coverCrop(picture.size(), card).toAlignedRect() : picture.rect();
    const QImage face = picture.copy(source)
                            .convertToFormat(QImage::Format_RGB32)
                            .scaled(card, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    QImage out(card + QSize(2 * bleed, 2 * bleed), QImage::Format_RGB32);
    for (int y = 0; y < out.height(); ++y) {
        const auto *from =
            reinterpret_cast<const QRgb *>(face.constScanLine(std::clamp(y - bleed, 0, card.height() - 1)));
        auto *to = reinterpret_cast<QRgb *>(out.scanLine(y));
        std::fill_n(to, bleed, from[0]);
        std::copy_n(from, card.width(), to + bleed);
        std::fill_n(to + bleed + card.width(), bleed, from[card.width() - 1]);
    }
    const int dotsPerMetre = int(std::lround(kCardImageDpi / kMmPerInch * 1000));
    out.setDotsPerMeterX(dotsPerMetre);
    out.setDotsPerMeterY(dotsPerMetre);
    return out;
}

QString cardFolderRefusal(const QString &folder)
{
    const QFileInfo info(folder);
    if (info.isSymLink() || (info.exists() && !info.isDir()))
        return QStringLiteral("%1 is geen map.").arg(folder);
    if (!info.exists())
        return {};
    const QStringList names = cardImageNames();
    for (const FolderEntry &entry : folderEntries(folder)) {
        const QString why = names.contains(entry.name) ? replaceRefusal(entry.native, kPng) : QString();
        if (!names.contains(entry.name) || !why.isEmpty())
            return QStringLiteral("In %1 staat al \"%2\"; kies een nieuwe of lege map, of een map met alleen "
                                  "eerder geschreven kaarten.")
                .arg(folder, entry.name);
    }
    return {};
}

QString writeCardImages(const ScaledPicture &sheet, const QImage &back, const QString &folder, CardSize size,
                        double bleedMm, const PageProgress &progress, std::stop_token stop)
{
    if (const QString why = cardFolderRefusal(folder); !why.isEmpty())
        return why;
    if (!QDir().mkpath(folder))
        return QStringLiteral("De map %1 kan niet worden gemaakt.").arg(folder);
    const QStringList names = cardImageNames();
    const QSize card = cardDots(size);
    const int bleed = dotsFor(bleedMm);
    const int total = back.isNull() ? sheet::kCardCount : sheet::kCardCount + 1;
    for (int i = 0; i < total; ++i) {
        if (stop.stop_requested())
            return QString::fromUtf16(kPdfCalledOff);
        const QImage image = i < sheet::kCardCount ? bledCard(sheetPiece(sheet, sheet::cardCell(i)), card, bleed)
                                            : bledCard(back, card, bleed, true);
        QSaveFile file(QDir(folder).filePath(names[i]));
        QImageWriter writer(&file, "png");
        if (!file.open(QIODevice::WriteOnly) || !writer.write(image) || !file.commit())
            return QStringLiteral("%1 kan niet worden geschreven: %2")
                .arg(names[i], writeFailureReason(file.errorString()));
        if (progress)
            progress(i + 1, total);
    }
    return {};
}

} // namespace vellora::print
