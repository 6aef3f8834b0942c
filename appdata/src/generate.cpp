#include "appdata/src/appdata.h"
#include "appdata/src/common.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHashSeed>
#include <QSaveFile>

namespace appdata {

namespace {

Outcome notWritten(const QString &reason)
{
    return Outcome::failure({}, reason, Outcome::Failure::NotWritten);
}

} // namespace

Outcome writeDesktopIcons(const QString &folder)
{
    const QDir dir(folder);
    if (!dir.mkpath(QStringLiteral(".")))
        return notWritten(QStringLiteral("cannot create %1").arg(folder));
    for (int size : {32, 64, 128, 256}) {
        const QString path = dir.filePath(QStringLiteral("vellora-%1.png").arg(size));
        if (!writeImage(renderIcon(size), path, "PNG", -1))
            return notWritten(QStringLiteral("cannot write %1").arg(path));
    }
    QSaveFile svg(dir.filePath(QStringLiteral("vellora.svg")));
    if (!svg.open(QIODevice::WriteOnly) || svg.write(iconSvg().toUtf8()) < 0 || !svg.commit())
        return notWritten(QStringLiteral("cannot write %1").arg(svg.fileName()));
    return {};
}

namespace {

// Writes below one root and lists what it wrote; the first failure stops it with its message.
class TreeWriter
{
public:
    explicit TreeWriter(const QString &root) : m_dir(root) {}

    bool save(const QImage &image, const QString &relative, const char *format, int quality = -1)
    {
        if (image.isNull() || !writeImage(image, m_dir.filePath(relative), format, quality))
            return failed(QStringLiteral("cannot write %1").arg(m_dir.filePath(relative)));
        m_written.append(relative);
        return true;
    }

    // A print master drawing goes beside the file it belongs to, with that file's name and hash.
    bool saveMaster(const QImage &image, const QString &relative, const QString &belongsTo)
    {
        QFile file(m_dir.filePath(belongsTo));
        const QByteArray bytes = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        if (bytes.isEmpty())
            return failed(QStringLiteral("cannot read %1").arg(file.fileName()));
        QImage opaque = image.convertToFormat(QImage::Format_RGB32);
        const QByteArray hash = QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex();
        opaque.setText(QLatin1String(kMasterKey), QFileInfo(belongsTo).fileName() + u' ' + QLatin1String(hash));
        return save(opaque, relative, "PNG");
    }

    // A BMP at 1x under `stem` + `suffix`, and its drawing at the master's scale as `stem`@3x.png.
    template <typename Render>
    bool saveWithMaster(const QString &stem, const QString &suffix, Render render)
    {
        return save(render(1), stem + suffix, "BMP")
            && saveMaster(render(kMasterScale), stem + QStringLiteral("@3x.png"), stem + suffix);
    }

    QStringList &written() { return m_written; }
    const Outcome &failure() const { return m_failure; }

private:
    bool failed(const QString &reason)
    {
        m_failure = notWritten(reason);
        return false;
    }

    QDir m_dir;
    Outcome m_failure;
    QStringList m_written;
};

bool writeCardPictures(TreeWriter &out)
{
    // The blank sheet's drawing is of one card, named for the card rather than the sheet.
    if (!out.save(renderCardSheet(), QStringLiteral("Data/Kaarten.krt"), "BMP")
        || !out.saveMaster(renderCardCell(kMasterScale), QStringLiteral("Data/Kaart@3x.png"),
                           QStringLiteral("Data/Kaarten.krt")))
        return false;
    for (int style = 0; style < kSymbolStyles; ++style)
        if (!out.saveWithMaster(QStringLiteral("Data/Hkrs-%1").arg(style), QStringLiteral(".krt"),
                                [style](int scale) { return renderSymbolSet(style, scale); }))
            return false;
    for (int j = 0; j < kJokers; ++j)
        if (!out.saveWithMaster(QStringLiteral("Data/joker-%1").arg(j + 1, 2, 10, QLatin1Char('0')),
                                QStringLiteral(".jok"), [j](int scale) { return renderJoker(j, scale); }))
            return false;
    for (int suit = 0; suit < 4; ++suit)
        for (int rank = 0; rank < kCourtRanks; ++rank)
            if (!out.saveWithMaster(QStringLiteral("Data/") + courtFileName(suit, rank), QStringLiteral(".bmp"),
                                    [suit, rank](int scale) { return renderCourt(suit, rank, scale); }))
                return false;
    return true;
}

} // namespace

Result<QStringList> generateAll(const QString &root)
{
    // The PDF writer emits its fonts in hash order; with the per-process random seed the font objects
    // would be shuffled from run to run.
    QHashSeed::setDeterministicGlobalSeed();
    const QDir dir(root);
    for (const char *sub : {"Data", "Backgrounds", "Projecten", "Help", "Artwork"}) {
        if (!dir.mkpath(QLatin1String(sub)))
            return notWritten(QStringLiteral("cannot create %1").arg(dir.filePath(QLatin1String(sub))));
    }
    TreeWriter out(root);
    if (!writeCardPictures(out))
        return out.failure();
    for (const ArtworkItem &item : artworkItems())
        if (!out.save(renderArtwork(item.name), QStringLiteral("Artwork/") + item.name, "PNG")
            || !out.save(renderArtwork(item.name, 2), QStringLiteral("Artwork/") + doubleSizeName(item.name), "PNG"))
            return out.failure();
    for (int b = 0; b < kBacks; ++b) {
        const QString back = QStringLiteral("Backgrounds/Background-%1").arg(b);
        if (!out.save(renderBack(b), back + QStringLiteral(".jpg"), "JPEG", 90)
            || !out.saveMaster(renderBleedBack(b), back + QStringLiteral("@bleed.png"),
                               back + QStringLiteral(".jpg")))
            return out.failure();
    }
    for (const auto &[guide, language] :
         {std::pair{QStringLiteral("Help/Beeldscherm.pdf"), GuideLanguage::Dutch},
          {QStringLiteral("Help/Display.pdf"), GuideLanguage::English}}) {
        if (Outcome why = writeDisplayGuide(dir.filePath(guide), language); !why)
            return why;
        out.written().append(guide);
    }
    return out.written();
}

} // namespace appdata
