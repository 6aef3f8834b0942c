#include "appdata/src/appdata.h"
#include "appdata/src/common.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
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

    // A print master drawing goes beside the file it belongs to, with that file's name and hash.
    auto saveMaster = [&](const QImage &image, const QString &relative, const QString &belongsTo) {
        QFile file(dir.filePath(belongsTo));
        const QByteArray bytes = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        QImage opaque = image.convertToFormat(QImage::Format_RGB32);
        const QByteArray hash = QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex();
        opaque.setText(QLatin1String(kMasterKey),
                       QFileInfo(belongsTo).fileName() + u' ' + QLatin1String(hash));
        return !bytes.isEmpty() && save(opaque, relative, "PNG");
    };

    if (!save(renderCardSheet(), QStringLiteral("Data/Kaarten.krt"), "BMP")
        || !saveMaster(renderCardCell(kMasterScale), QStringLiteral("Data/Kaart@3x.png"),
                       QStringLiteral("Data/Kaarten.krt")))
        return {};
    for (int style = 0; style < kSymbolStyles; ++style) {
        const QString file = QStringLiteral("Data/Hkrs-%1").arg(style);
        if (!save(renderSymbolSet(style), file + QStringLiteral(".krt"), "BMP")
            || !saveMaster(renderSymbolSet(style, kMasterScale), file + QStringLiteral("@3x.png"),
                           file + QStringLiteral(".krt")))
            return {};
    }
    for (const ArtworkItem &item : artworkItems())
        if (!save(renderArtwork(item.name), QStringLiteral("Artwork/") + item.name, "PNG")
            || !save(renderArtwork(item.name, 2), QStringLiteral("Artwork/") + doubleSizeName(item.name), "PNG"))
            return {};
    for (int j = 0; j < kJokers; ++j) {
        const QString file = QStringLiteral("Data/joker-%1").arg(j + 1, 2, 10, QLatin1Char('0'));
        if (!save(renderJoker(j), file + QStringLiteral(".jok"), "BMP")
            || !saveMaster(renderJoker(j, kMasterScale), file + QStringLiteral("@3x.png"),
                           file + QStringLiteral(".jok")))
            return {};
    }
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
