#include "print/cardimages.h"

#include "surface/regularfile.h"
#include "surface/smoothscale.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace vellora::print {

namespace {

const DocumentKind kPng{QByteArray("\x89PNG\r\n\x1a\n", 8), QStringLiteral("PNG")};

// The folder is held by one export at a time: two at once would leave cards of both.
const QString kLockName = QStringLiteral(".vellora-kaarten.lock");
// A live export holds its lock however long it takes; a dead one's is taken over at once. Another export
// holding it is told so, not waited for.
constexpr int kLockWaitMs = 250;
constexpr qint64 kLockMaxBytes = 4096;
// The cards wait under these names until every one is whole; a killed export's are removed by the next.
const QByteArray kPassingPrefix = QByteArrayLiteral(".vellora-kaart-");

QByteArray nativeIn(const QString &folder, const QString &name)
{
    return QFile::encodeName(QDir(folder).filePath(name));
}

QString cannotWrite(const QString &name, int code)
{
    return QCoreApplication::translate("Print", "%1 kan niet worden geschreven: %2")
        .arg(name, writeFailureReason(QString::fromLocal8Bit(std::strerror(code))));
}

// The lock file is read by QLockFile without a bound when it is there, so it must be a small regular file.
Outcome lockRefusal(const QString &folder, QLockFile &lock)
{
    const QByteArray path = nativeIn(folder, kLockName);
    const EntryKind kind = entryKind(path);
    if (kind == EntryKind::Other || (kind == EntryKind::RegularFile && QFileInfo(QFile::decodeName(path)).size() > kLockMaxBytes))
        return Outcome::refusal(
            QCoreApplication::translate(
                "Print", "In %1 staat al \"%2\"; kies een nieuwe of lege map, of een map met alleen "
                         "eerder geschreven kaarten.")
                .arg(folder, kLockName));
    lock.setStaleLockTime(0);
    if (lock.tryLock(kLockWaitMs))
        return {};
    if (lock.error() == QLockFile::LockFailedError)
        return Outcome::refusal(QCoreApplication::translate(
                                    "Print", "In %1 worden al kaarten geschreven; wacht tot dat klaar is.")
                                    .arg(folder));
    return Outcome::refusal(
        QCoreApplication::translate("Print", "%1 kan niet worden geschreven: %2")
            .arg(kLockName, QCoreApplication::translate("Print", "Geen toestemming om hier te schrijven.")));
}

// Bytes into a new file, its sync left for the commit: 0, or why not.
int writeNew(const QByteArray &path, const QByteArray &bytes)
{
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
    if (fd < 0)
        return errno;
    return writeStartedAndClose(fd, bytes);
}

// One export's files, whole under passing names until commit() gives them their own; whatever was not
// given its name is removed, so a failed or stopped export leaves the folder as it found it.
class StagedCards
{
public:
    explicit StagedCards(QString folder) : m_folder(std::move(folder)) {}
    StagedCards(const StagedCards &) = delete;
    StagedCards &operator=(const StagedCards &) = delete;
    ~StagedCards()
    {
        for (const auto &[passing, name] : m_files)
            ::unlink(passing.constData());
    }

    QString add(const QString &name, const QByteArray &bytes)
    {
        const QByteArray passing = nativeIn(m_folder, QString::fromLatin1(kPassingPrefix) + name);
        ::unlink(passing.constData());
        const int failure = writeNew(passing, bytes);
        if (failure != EEXIST)
            m_files.push_back({passing, name});
        return failure ? cannotWrite(name, failure) : QString();
    }

    // Every name is asked again before any is taken: something put there meanwhile stops them all.
    QString commit(bool removeBack)
    {
        // All on the disk before any takes its name, so no name ever holds less than a whole card.
        for (const auto &[passing, name] : m_files)
            if (const int failure = syncedFile(passing))
                return cannotWrite(name, failure);
        for (const auto &[passing, name] : m_files)
            if (const Outcome why = replaceRefusal(nativeIn(m_folder, name), kPng); !why)
                return QStringLiteral("%1: %2").arg(name, why.text());
        const QByteArray back = nativeIn(m_folder, QString::fromUtf16(kBackImageName));
        if (removeBack && entryKind(back) == EntryKind::RegularFile && replaceRefusal(back, kPng) &&
            ::unlink(back.constData()) != 0)
            return cannotWrite(QString::fromUtf16(kBackImageName), errno);
        while (!m_files.empty()) {
            const auto [passing, name] = m_files.front();
            if (::rename(passing.constData(), nativeIn(m_folder, name).constData()) != 0)
                return cannotWrite(name, errno);
            m_files.erase(m_files.begin());
        }
        return {};
    }

private:
    QString m_folder;
    std::vector<std::pair<QByteArray, QString>> m_files; // passing name, own name
};

// Passing names of an export that was killed: only one holding the lock can tell they are no one's.
void removeLeftovers(const QString &folder)
{
    for (const FolderEntry &entry : folderEntries(folder))
        if (entry.name.startsWith(QLatin1String(kPassingPrefix)) &&
            entryKind(entry.native) == EntryKind::RegularFile)
            ::unlink(entry.native.constData());
}

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

std::optional<double> bleedFromText(QString text)
{
    text = text.trimmed().toLower().replace(u',', u'.');
    double unit = 1.0;
    for (const auto &[suffix, mm] : {std::pair{u"inch", kMmPerInch}, {u"in", kMmPerInch}, {u"mm", 1.0}})
        if (text.endsWith(QStringView(suffix))) {
            text.chop(QStringView(suffix).size());
            unit = mm;
            break;
        }
    const QStringList parts = text.trimmed().split(u'/');
    bool ok = parts.size() <= 2;
    double value = ok ? parts[0].toDouble(&ok) : 0;
    if (ok && parts.size() == 2) {
        const double below = parts[1].toDouble(&ok);
        ok = ok && below > 0;
        value = ok ? value / below : 0;
    }
    value *= unit;
    if (!ok || !std::isfinite(value) || value < 0 || value > kMaxBleedMm + 1e-9)
        return std::nullopt;
    return std::min(value, kMaxBleedMm);
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

QSize bledDots(CardSize size, double bleedMm)
{
    const QSizeF mm = cardMm(size);
    return {dotsFor(mm.width() + 2 * bleedMm), dotsFor(mm.height() + 2 * bleedMm)};
}

QImage bledCard(const QImage &picture, QSize card, QSize whole, bool cover, int dpi)
{
    const QRect source = cover ? coverCrop(picture.size(), card).toAlignedRect() : picture.rect();
    // An odd pixel of bleed goes to the right and the bottom.
    const int left = (whole.width() - card.width()) / 2, top = (whole.height() - card.height()) / 2;
    const int right = whole.width() - card.width() - left;
    QImage out(whole, QImage::Format_RGB32);
    // A face is read where it lies, in the sheet or the master, rather than copied first, and scaled
    // straight into its place.
    if (out.isNull() || !smoothScaleInto(source == picture.rect() ? picture : picture.copy(source), out,
                                         QRect(QPoint(left, top), card)))
        return {};
    const std::size_t rowBytes = std::size_t(whole.width()) * 4;
    for (int y = top; y < top + card.height(); ++y) {
        auto *row = reinterpret_cast<QRgb *>(out.scanLine(y));
        std::fill_n(row, left, row[left]);
        std::fill_n(row + left + card.width(), right, row[left + card.width() - 1]);
    }
    for (int y = 0; y < top; ++y)
        std::memcpy(out.scanLine(y), out.constScanLine(top), rowBytes);
    for (int y = top + card.height(); y < whole.height(); ++y)
        std::memcpy(out.scanLine(y), out.constScanLine(top + card.height() - 1), rowBytes);
    stampDpi(out, dpi);
    return out;
}

void stampDpi(QImage &image, double dpi)
{
    const int dotsPerMetre = int(std::lround(dpi / kMmPerInch * 1000));
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
}

Outcome cardFolderRefusal(const QString &folder)
{
    // A link to a folder is the user's way of naming that folder; each file in it is still checked on its own.
    const QFileInfo info(folder);
    if ((info.isSymLink() && !info.exists()) || (info.exists() && !info.isDir()))
        return Outcome::refusal(QCoreApplication::translate("Print", "%1 is geen map.").arg(folder));
    if (!info.exists())
        return {};
    const QStringList names = cardImageNames();
    for (const FolderEntry &entry : folderEntries(folder)) {
        if (entry.name == kLockName || (entry.name.startsWith(QLatin1String(kPassingPrefix)) && entry.regular))
            continue;
        if (!names.contains(entry.name) || !replaceRefusal(entry.native, kPng))
            return Outcome::refusal(
                QCoreApplication::translate(
                    "Print", "In %1 staat al \"%2\"; kies een nieuwe of lege map, of een map met alleen "
                             "eerder geschreven kaarten.")
                    .arg(folder, entry.name));
    }
    return {};
}

Outcome writeCardImages(const ScaledPicture &sheet, const BackChoice &back, const QString &folder,
                        CardSize size, double bleedMm, FaceCut cut, const PageProgress &progress,
                        std::stop_token stop, OrderedWork work)
{
    if (Outcome why = cardFolderRefusal(folder); !why)
        return why;
    if (!QDir().mkpath(folder))
        return Outcome::failure(
            QCoreApplication::translate("Print", "De map %1 kan niet worden gemaakt.").arg(folder), {},
            Outcome::Failure::NotWritten);
    QLockFile lock(QDir(folder).filePath(kLockName));
    if (Outcome why = lockRefusal(folder, lock); !why)
        return why;
    // Asked again now that no other export can change the folder.
    if (Outcome why = cardFolderRefusal(folder); !why)
        return why;
    removeLeftovers(folder);
    const QStringList names = cardImageNames();
    const QSize card = cardDots(size), whole = bledDots(size, bleedMm);
    const int total = back.image.isNull() ? sheet::kCardCount : sheet::kCardCount + 1;
    StagedCards staged(folder);
    // Drawn and encoded on every core, written here one after the other in their order, as one thread would.
    QString failed;
    const bool every = makeInOrder<QByteArray>(
        total,
        [&](int i) {
            if (i == sheet::kCardCount)
                return cardPngBytes(shopBack(back, size, bleedMm, card, whole));
            return cardPngBytes(shopFace(sheetPiece(sheet, sheet::cardCell(i)), cut, size, card, whole));
        },
        [&](int i, const QByteArray &bytes) {
            failed = bytes.isEmpty() ? cannotWrite(names[i], ENOMEM) : staged.add(names[i], bytes);
            if (failed.isEmpty() && progress)
                progress(i + 1, total);
            return failed.isEmpty();
        },
        stop, work);
    if (!failed.isEmpty())
        return Outcome::failure(failed, {}, Outcome::Failure::NotWritten);
    if (!every || stop.stop_requested())
        return Outcome::calledOff();
    if (const QString why = staged.commit(back.image.isNull()); !why.isEmpty())
        return Outcome::failure(why, {}, Outcome::Failure::NotWritten);
    return {};
}

} // namespace vellora::print
