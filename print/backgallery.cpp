#include "print/backgallery.h"

#include "print/cardsides.h"
#include "print/log.h"
#include "surface/appfolder.h"
#include "surface/masterdrawing.h"
#include "surface/picturefile.h"
#include "surface/regularfile.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageWriter>
#include <algorithm>
#include <cmath>

namespace vellora {

namespace {

// No back is bigger than a picture the gallery decodes could be; a link to a device, a FIFO or a sparse
// giant is not one, and is neither listed nor read.
constexpr qint64 kMaxBackBytes = filelimits::forDecodedBytes(PictureFile::kDefaultMaxBytes);

const DocumentKind &jpegKind()
{
    static const DocumentKind kind{QByteArray("\xFF\xD8\xFF"), QStringLiteral("JPEG")};
    return kind;
}

// The picture at a size whose 32-bit image the gallery's decoder takes.
QImage withinGalleryBudget(const QImage &picture)
{
    const qint64 bytes = qint64(picture.width()) * picture.height() * 4;
    if (bytes <= PictureFile::kDefaultMaxBytes)
        return picture;
    const double factor = std::sqrt(double(PictureFile::kDefaultMaxBytes) / double(bytes)) * 0.999;
    return picture.scaled(std::max(1, int(picture.width() * factor)), std::max(1, int(picture.height() * factor)),
                          Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

} // namespace

BackGallery::BackGallery(const AppFolder &folder, QString ownFolder)
    : m_folder(folder), m_ownFolder(std::move(ownFolder))
{
    listOwn();
    // The folder is listed once, when the window opens, as its file list is; later changes are not seen.
    const QDir backgrounds(folder.resolve(u"\\Backgrounds"));
    if (backgrounds.exists()) {
        m_count = int(backgrounds
                          .entryList({QStringLiteral("*.jpg")}, QDir::Files,
                                     QDir::NoSort)
                          .size());
    }
}

void BackGallery::listOwn()
{
    m_own.clear();
    if (m_ownFolder.isEmpty())
        return;
    std::vector<FolderEntry> entries = folderEntries(m_ownFolder);
    std::sort(entries.begin(), entries.end(), [](const FolderEntry &a, const FolderEntry &b) {
        return a.name != b.name ? a.name < b.name : a.native < b.native;
    });
    for (const FolderEntry &entry : entries) {
        // Opening reads nothing and never waits; it only shows what the name is and how big.
        const RegularFile file(entry.native, kMaxBackBytes);
        if (entry.regular && file.isOpen())
            m_own.push_back(entry.native);
        else
            qCWarning(lcPrint) << "own back not listed:" << entry.name << (entry.regular ? file.error() : QStringLiteral("no regular file"));
    }
}

QByteArray BackGallery::bytes(int n) const
{
    const bool own = n >= m_count && n - m_count < qsizetype(m_own.size());
    if (n < 0 || (n >= m_count && !own))
        return {};
    RegularFile file(own ? m_own[size_t(n - m_count)]
                         : QFile::encodeName(m_folder.resolve(QStringLiteral("\\Backgrounds\\Background-%1.jpg").arg(n))),
                     kMaxBackBytes);
    const QByteArray read = file.readAll();
    if (read.isEmpty())
        qCWarning(lcPrint) << "back" << n + 1 << "not read:" << file.error();
    return read;
}

QImage BackGallery::load(int n) const
{
    return PictureFile::decode(bytes(n)).value_or(QImage());
}

print::BackChoice BackGallery::choice(int n, bool forShop) const
{
    const QByteArray read = bytes(n);
    print::BackChoice back{PictureFile::decode(read).value_or(QImage()), {}, {}};
    const Result<PictureHeader> header = PictureFile::peek(read);
    if (!back.image.isNull() && header && header->format == "jpeg" && header->size == back.image.size())
        back.jpeg = read;
    if (forShop && !back.image.isNull() && n < m_count) {
        const QString file = QStringLiteral("\\Backgrounds\\Background-%1").arg(n);
        back.fullBleed = masterdrawing::load(m_folder.resolve(file + QStringLiteral("@bleed.png")),
                                             m_folder.resolve(file + QStringLiteral(".jpg")),
                                             print::fullBleedBackDots());
        if (back.fullBleed.isNull())
            qCInfo(lcPrint) << "back" << n + 1 << "has no drawing to its edge; its picture is carried out";
    }
    return back;
}

Result<print::BackChoice> BackGallery::ownForm(const QImage &picture)
{
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setQuality(95);
    const QImage kept = withinGalleryBudget(picture.convertToFormat(QImage::Format_RGB32));
    // What is kept is what the gallery reads back, or it is refused now rather than at printing.
    const Result<QImage> again = writer.write(kept) && jpeg.size() <= kMaxBackBytes
                                     ? PictureFile::decode(jpeg)
                                     : Outcome::failure(QCoreApplication::translate(
                                           "Print", "Dit plaatje kan niet als rugzijde worden bewaard."));
    if (!again)
        return again.outcome();
    return print::BackChoice{*again, jpeg, QImage()}; // the user's own back has no drawing to its edge
}

Result<int> BackGallery::addOwn(const QString &path, const PictureReader &read)
{
    const Result<QImage> picture = read(path);
    if (!picture)
        return picture.outcome();
    const Result<print::BackChoice> kept = ownForm(*picture);
    if (!kept)
        return kept.outcome();
    if (!QDir().mkpath(m_ownFolder))
        return Outcome::failure(
            QCoreApplication::translate("Print", "De map %1 kan niet worden gemaakt.").arg(m_ownFolder));
    const QString base = QFileInfo(path).completeBaseName();
    const QByteArray folder = QFile::encodeName(QDir::cleanPath(m_ownFolder)) + '/';
    QByteArray name = QFile::encodeName(base + QStringLiteral(".jpg"));
    for (int i = 2; entryKind(folder + name) != EntryKind::Missing; ++i)
        name = QFile::encodeName(QStringLiteral("%1-%2.jpg").arg(base).arg(i));
    if (Outcome written = writeWhole(folder + name, kept->jpeg, jpegKind()); !written)
        return written;
    listOwn();
    const auto at = std::find(m_own.begin(), m_own.end(), folder + name);
    return m_count + int(at - m_own.begin());
}

QString BackGallery::counterText(int n, int count)
{
    return QCoreApplication::translate("Print", "Rugzijde %1 / %2").arg(n + 1).arg(count);
}

} // namespace vellora
