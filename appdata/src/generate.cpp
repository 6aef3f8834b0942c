#include "appdata/src/appdata.h"
#include "appdata/src/common.h"

#include <QDir>
#include <QFile>
#include <QHashSeed>

namespace appdata {

namespace {

bool fail(QString *error, const QString &message)
{
    if (error)
        *error = message;
    return false;
}

} // namespace

bool writeDesktopIcons(const QString &folder, QString *error)
{
    const QDir dir(folder);
    if (!dir.mkpath(QStringLiteral(".")))
        return fail(error, QStringLiteral("cannot create %1").arg(folder));
    for (int size : {32, 64, 128, 256}) {
        const QString path = dir.filePath(QStringLiteral("vellora-%1.png").arg(size));
        if (!writeImage(renderIcon(size), path, "PNG", -1))
            return fail(error, QStringLiteral("cannot write %1").arg(path));
    }
    QFile svg(dir.filePath(QStringLiteral("vellora.svg")));
    if (!svg.open(QIODevice::WriteOnly) || svg.write(iconSvg().toUtf8()) < 0 || !svg.flush())
        return fail(error, QStringLiteral("cannot write %1").arg(svg.fileName()));
    return true;
}

QStringList generateAll(const QString &root, QString *error)
{
    // The PDF writer emits its fonts in hash order; with the per-process random seed the font objects
    // would be shuffled from run to run.
    QHashSeed::setDeterministicGlobalSeed();
    QStringList written;
    const QDir dir(root);
    for (const char *sub : {"Data", "Backgrounds", "Projecten", "Help", "Artwork"}) {
        if (!dir.mkpath(QLatin1String(sub))) {
            fail(error, QStringLiteral("cannot create %1").arg(dir.filePath(QLatin1String(sub))));
            return {};
        }
    }
    auto save = [&](const QImage &image, const QString &relative, const char *format, int quality = -1) {
        if (image.isNull() || !writeImage(image, dir.filePath(relative), format, quality))
            return fail(error, QStringLiteral("cannot write %1").arg(dir.filePath(relative)));
        written.append(relative);
        return true;
    };

    if (!save(renderCardSheet(), QStringLiteral("Data/Kaarten.krt"), "BMP"))
        return {};
    for (int style = 0; style < kSymbolStyles; ++style)
        if (!save(renderSymbolSet(style), QStringLiteral("Data/Hkrs-%1.krt").arg(style), "BMP"))
            return {};
    for (const ArtworkItem &item : artworkItems())
        if (!save(renderArtwork(item.name), QStringLiteral("Artwork/") + item.name, "PNG")
            || !save(renderArtwork(item.name, 2), QStringLiteral("Artwork/") + doubleSizeName(item.name), "PNG"))
            return {};
    for (int j = 0; j < kJokers; ++j)
        if (!save(renderJoker(j), QStringLiteral("Data/joker-%1.jok").arg(j + 1, 2, 10, QLatin1Char('0')), "BMP"))
            return {};
    for (int b = 0; b < kBacks; ++b)
        if (!save(renderBack(b), QStringLiteral("Backgrounds/Background-%1.jpg").arg(b), "JPEG", 90))
            return {};
    const QString guide = QStringLiteral("Help/Beeldscherm.pdf");
    if (!writeDisplayGuide(dir.filePath(guide), error))
        return {};
    written.append(guide);
    return written;
}

} // namespace appdata
