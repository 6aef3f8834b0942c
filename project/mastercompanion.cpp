#include "project/mastercompanion.h"

#include "surface/masterdrawing.h"
#include "surface/regularfile.h"
#include "surface/twips.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QImageWriter>
#include <QSaveFile>
#include <QtEndian>

#include <cstring>

namespace vellora::companion {

namespace {

constexpr char kMagic[] = "VLRMSTR1";
constexpr int kHashLength = 64; // SHA-256 in hex
constexpr quint8 kCompose = 0;
constexpr quint8 kPaste = 1;
// A run of classic cards; the files of mirrored runs stay as they always were.
constexpr quint8 kClassicCompose = 2;
constexpr int kLargestSymbolSide = 3000;

QByteArray png(const QImage &image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    // Qt's scale of 0 to 100: the middle is about as fast as storing plainly and a fraction of the size.
    writer.setCompression(50);
    writer.write(image);
    return bytes;
}

class Writer
{
public:
    void raw(const QByteArray &bytes) { m_out += bytes; }
    void u8(quint8 value) { m_out += char(value); }
    void u32(quint32 value)
    {
        const quint32 big = qToBigEndian(value);
        m_out.append(reinterpret_cast<const char *>(&big), sizeof big);
    }
    void i32(qint32 value) { u32(quint32(value)); }
    void block(const QByteArray &bytes)
    {
        u32(quint32(bytes.size()));
        m_out += bytes;
    }
    QByteArray take() { return std::move(m_out); }

private:
    QByteArray m_out;
};

// Reads forward through untrusted bytes; every read checks that the bytes are there, and a failed read
// leaves the reader failed for good.
class Reader
{
public:
    explicit Reader(const QByteArray &bytes) : m_bytes(bytes) {}
    bool ok() const { return m_ok; }
    bool atEnd() const { return m_at == m_bytes.size(); }
    QByteArray raw(qsizetype length)
    {
        if (!m_ok || length < 0 || m_bytes.size() - m_at < length) {
            m_ok = false;
            return {};
        }
        const QByteArray part = m_bytes.mid(m_at, length);
        m_at += length;
        return part;
    }
    quint8 u8()
    {
        const QByteArray b = raw(1);
        return m_ok ? quint8(b[0]) : 0;
    }
    quint32 u32()
    {
        const QByteArray b = raw(4);
        return m_ok ? qFromBigEndian<quint32>(b.constData()) : 0;
    }
    qint32 i32() { return qint32(u32()); }
    QByteArray block() { return raw(qsizetype(u32())); }

private:
    const QByteArray &m_bytes;
    qsizetype m_at = 0;
    bool m_ok = true;
};

quint32 crc32(const char *data, qsizetype length)
{
    quint32 crc = 0xffffffffu;
    for (qsizetype i = 0; i < length; ++i) {
        crc ^= quint8(data[i]);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xedb88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

// Whether the PNG's chunks are all there, whole and unchanged, up to its end chunk. libpng writes its own
// errors straight to stderr, past the log, so a cut or damaged companion must never reach it.
bool isWholePng(const QByteArray &bytes)
{
    static const QByteArray signature("\x89PNG\r\n\x1a\n", 8);
    if (!bytes.startsWith(signature))
        return false;
    for (qsizetype at = signature.size(); bytes.size() - at >= 12;) {
        const quint32 length = qFromBigEndian<quint32>(bytes.constData() + at);
        if (length > quint32(bytes.size() - at - 12))
            return false;
        const char *chunk = bytes.constData() + at + 4;
        if (qFromBigEndian<quint32>(chunk + 4 + length) != crc32(chunk, 4 + qsizetype(length)))
            return false;
        at += 12 + qsizetype(length);
        if (std::memcmp(chunk, "IEND", 4) == 0)
            return at == bytes.size();
    }
    return false;
}

// Decodes only a PNG whose header gives an acceptable size, within what the record may still use.
QImage picture(const QByteArray &bytes, const std::function<bool(QSize)> &acceptable, qint64 &budget)
{
    if (!isWholePng(bytes))
        return {};
    QByteArray copy = bytes;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "png");
    // PNG only: a reader left to guess would hand other bytes to whichever plugin claims them.
    reader.setAutoDetectImageFormat(false);
    const QSize size = reader.size();
    if (!size.isValid() || !acceptable(size))
        return {};
    const qint64 cost = qint64(size.width()) * size.height() * 4;
    if (cost > budget)
        return {};
    QImage image = reader.read();
    if (image.size() != size)
        return {};
    budget -= cost;
    return image.convertToFormat(image.hasAlphaChannel() ? QImage::Format_ARGB32 : QImage::Format_RGB32);
}

// Why a companion is refused, or not written, goes to the log alone: the user hears nothing of it.
Outcome refuse(const char *reason)
{
    return Outcome::failure({}, QString::fromLatin1(reason));
}

// A paste of the record, its picture within what the record may still use and draw; refused when it is
// damaged or too much.
Result<CardPaste> readPaste(Reader &in, qint64 &budget, qint64 &drawn)
{
    CardPaste paste;
    const quint8 rows = in.u8();
    if (rows < 1 || rows > sheet::kRows)
        return refuse("damaged paste");
    for (quint8 r = 0; r < rows; ++r) {
        const int row = in.u8();
        if (row >= sheet::kRows)
            return refuse("damaged paste");
        paste.rows.push_back(row);
    }
    // One read to a statement: the order of a call's arguments is the compiler's choice.
    const int left = in.i32();
    const int top = in.i32();
    const int width = in.i32();
    const int height = in.i32();
    // Checked in 64 bits before any QRect is built: a rectangle's right edge is left + width - 1,
    // which overflows an int for hostile numbers.
    const auto within = [](qint64 start, qint64 length, qint64 limit) {
        return start >= 0 && length > 0 && start + length <= limit;
    };
    if (!in.ok() || !within(left, width, sheet::kWidth) || !within(top, height, sheet::kCellHeight))
        return refuse("damaged paste");
    paste.areaTwips = QPoint(left, top);
    paste.sizeTwips = QSize(width, height);
    const QSize masterSize = px(paste.sizeTwips) * master::kScale;
    if ((drawn += qint64(masterSize.width()) * masterSize.height()) > kMaxDrawnPixels)
        return refuse("too much to draw");
    paste.master = picture(in.block(), [&](QSize s) { return s == masterSize; }, budget);
    if (paste.master.isNull())
        return refuse("damaged paste");
    return paste;
}

constexpr qint64 kMaxSheetFileBytes = 128ll * 1024 * 1024;

} // namespace

QString pathBeside(const QString &projectPath) { return projectPath.chopped(4) + QLatin1String(kExtension); }

QByteArray pathBeside(const QByteArray &nativeProjectPath)
{
    return nativeProjectPath.chopped(4) + QByteArray(kExtension);
}

QByteArray encode(const PrintRecord &record, const QByteArray &sheetHash)
{
    Writer out;
    out.raw(QByteArray(kMagic));
    out.raw(sheetHash.leftJustified(kHashLength, '0', true));
    out.u8(record.startsFromCard() ? 1 : 0);
    out.u8(record.format() == QImage::Format_ARGB32 ? 1 : 0);
    out.block(png(record.start()));
    out.u32(quint32(record.operations().size()));
    for (const PrintRecord::Operation &operation : record.operations()) {
        if (const auto *run = std::get_if<PrintRecord::Compose>(&operation)) {
            out.u8(run->style == CardStyle::Classic ? kClassicCompose : kCompose);
            out.block(png(run->symbols));
            continue;
        }
        const CardPaste &paste = std::get<CardPaste>(operation);
        out.u8(kPaste);
        out.u8(quint8(paste.rows.size()));
        for (const int row : paste.rows)
            out.u8(quint8(row));
        out.i32(paste.areaTwips.x());
        out.i32(paste.areaTwips.y());
        out.i32(paste.sizeTwips.width());
        out.i32(paste.sizeTwips.height());
        out.block(png(paste.master));
    }
    return out.take();
}

Result<PrintRecord> decode(const QByteArray &bytes, const QByteArray &hash)
{
    if (bytes.size() > kMaxFileBytes)
        return refuse("too large");
    Reader in(bytes);
    if (in.raw(8) != kMagic)
        return refuse("not a companion");
    if (hash.size() != kHashLength || in.raw(kHashLength) != hash)
        return refuse("another sheet");
    qint64 budget = kMaxPictureBytes;
    const quint8 fromCard = in.u8();
    const quint8 alpha = in.u8();
    if (!in.ok() || fromCard > 1 || alpha > 1)
        return refuse("damaged start");
    const QSize startSize = fromCard ? QSize(master::kCardWidthPixels, master::kCardHeightPixels)
                                     : QSize(sheet::kWidthPixels, sheet::kHeightPixels);
    const QImage start = picture(in.block(), [&](QSize s) { return s == startSize; }, budget);
    if (start.isNull())
        return refuse("damaged start");
    const QImage::Format format = alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32;
    PrintRecord record = fromCard ? PrintRecord::fromCard(start, format) : PrintRecord::fromSheet(start);
    const quint32 count = in.u32();
    if (!in.ok() || count > quint32(kMaxOperations))
        return refuse("too many operations");
    qint64 drawn = qint64(master::kWidthPixels) * master::kHeightPixels;
    for (quint32 i = 0; i < count; ++i) {
        const quint8 kind = in.u8();
        if (kind == kCompose || kind == kClassicCompose) {
            if ((drawn += qint64(master::kWidthPixels) * master::kHeightPixels) > kMaxDrawnPixels)
                return refuse("too much to draw");
            const auto fits = [](QSize s) {
                return s.width() <= kLargestSymbolSide && s.height() <= 4 * kLargestSymbolSide;
            };
            const QImage symbols = picture(in.block(), fits, budget);
            if (symbols.isNull())
                return refuse("damaged symbols");
            record.compose(symbols, kind == kClassicCompose ? CardStyle::Classic : CardStyle::Mirrored);
            continue;
        }
        if (kind != kPaste)
            return refuse("unknown operation");
        Result<CardPaste> paste = readPaste(in, budget, drawn);
        if (!paste)
            return paste.outcome();
        record.add(std::move(*paste));
    }
    if (!in.ok() || !in.atEnd())
        return refuse("damaged end");
    return record;
}

Outcome write(const QString &projectPath, const PrintRecord &record, const QByteArray &hash)
{
    const QString path = pathBeside(projectPath);
    const auto failed = [](const QString &system) { return Outcome::failure(writeFailureReason(system)); };
    if (record.isEmpty() || hash.isEmpty())
        return refuse("no project file");
    if (entryKind(QFile::encodeName(path)) == EntryKind::Other)
        return refuse("not a regular file");
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return failed(file.errorString());
    const QByteArray bytes = encode(record, hash);
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return failed(file.errorString());
    }
    if (!file.commit())
        return failed(file.errorString());
    return {};
}

Result<PrintRecord> read(const QByteArray &nativeProjectPath)
{
    RegularFile file(pathBeside(nativeProjectPath), kMaxFileBytes);
    if (!file.isOpen())
        return refuse("no companion");
    const QByteArray bytes = file.readAll();
    if (!file.error().isEmpty())
        return refuse("too large");
    return decode(bytes, masterdrawing::fileHash(RegularFile(nativeProjectPath, kMaxSheetFileBytes)));
}

} // namespace vellora::companion
