#include "tests/support/testsupport.h"

#include "surface/regularfile.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QImageWriter>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>
#include <csignal>
#include <cstring>
#include <grp.h>
#include <libheif/heif.h>
#include <pwd.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vellora::test {

std::unique_ptr<QTemporaryDir> emptyAppFolder()
{
    return std::make_unique<QTemporaryDir>();
}

std::unique_ptr<QTemporaryDir> copyOfAppData()
{
    auto dir = std::make_unique<QTemporaryDir>();
    const QDir source(QStringLiteral(VELLORA_APPDATA_DIR));
    for (const QString &name : QStringList{"Data", "Backgrounds", "Help", "Projecten", "Artwork"}) {
        const QDir from(source.filePath(name));
        if (!from.exists())
            continue;
        QDir(dir->path()).mkpath(name);
        for (const QString &file : from.entryList(QDir::Files))
            QFile::copy(from.filePath(file), dir->path() + u'/' + name + u'/' + file);
    }
    return dir;
}

bool makeSpecialFile(const QString &kind, const QString &path, const QString &scratch)
{
    if (kind == u"zero")
        return QFile::link(QStringLiteral("/dev/zero"), path);
    if (kind == u"fifo") {
        const QString fifo = scratch + QStringLiteral("/fifo");
        return ::mkfifo(QFile::encodeName(fifo).constData(), 0600) == 0 && QFile::link(fifo, path);
    }
    if (kind == u"sparse") {
        QFile f(path);
        return f.open(QIODevice::WriteOnly) && f.resize(30ll << 30);
    }
    if (kind == u"dir")
        return QDir().mkpath(path);
    if (kind == u"dangling")
        return QFile::link(scratch + QStringLiteral("/elders.krt"), path);
    if (kind == u"outside") {
        QFile f(scratch + QStringLiteral("/elders.krt"));
        return f.open(QIODevice::WriteOnly) && f.write("buiten") == 6 && QFile::link(f.fileName(), path);
    }
    return false;
}

QString firstDifference(const QImage &a, const QImage &b)
{
    const auto size = [](const QImage &i) { return QStringLiteral("%1x%2").arg(i.width()).arg(i.height()); };
    const auto hex = [](QRgb rgb) { return QStringLiteral("%1").arg(rgb, 8, 16, QChar(u'0')); };
    if (a.size() != b.size())
        return QStringLiteral("sizes differ: %1 against %2").arg(size(a), size(b));
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y))
                return QStringLiteral("pixel (%1, %2): %3 against %4")
                    .arg(QString::number(x), QString::number(y), hex(a.pixel(x, y)), hex(b.pixel(x, y)));
    return {};
}

QString byteDifference(const QImage &a, const QImage &b)
{
    if (a.format() != b.format() || a.colorTable() != b.colorTable())
        return QStringLiteral("formats differ: %1 against %2").arg(int(a.format())).arg(int(b.format()));
    if (a.size() != b.size())
        return firstDifference(a, b);
    const qsizetype rowBytes = qsizetype(a.width()) * a.depth() / 8;
    for (int y = 0; y < a.height(); ++y)
        if (std::memcmp(a.constScanLine(y), b.constScanLine(y), size_t(rowBytes)) != 0)
            return QStringLiteral("row %1: ").arg(y) +
                   firstDifference(a.copy(0, y, a.width(), 1), b.copy(0, y, b.width(), 1));
    return {};
}

QRect changedArea(const QImage &before, const QImage &after)
{
    QRect area;
    for (int y = 0; y < before.height(); ++y)
        for (int x = 0; x < before.width(); ++x)
            if (before.pixel(x, y) != after.pixel(x, y))
                area |= QRect(x, y, 1, 1);
    return area;
}

QImage gradientPicture(int w, int h, int seed)
{
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < w; ++x)
            line[x] = qRgb((x * seed) & 255, (y * 3) & 255, (x ^ y) & 255);
    }
    return image;
}

QByteArray imageFile(const QImage &image, const char *format, int quality, bool progressive)
{
    if (qstricmp(format, "gif") == 0)
        return gifBytes(image);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    writer.setQuality(quality);
    writer.setProgressiveScanWrite(progressive);
    writer.write(image);
    return bytes;
}

QByteArray readBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

bool withFileSizeLimit(qint64 bytes, const std::function<bool()> &work)
{
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    const rlimit limit{rlim_t(bytes), old.rlim_max};
    const auto previous = std::signal(SIGXFSZ, SIG_IGN); // the write fails instead of ending the process
    setrlimit(RLIMIT_FSIZE, &limit);
    const bool result = work();
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, previous);
    return result;
}

QByteArray gifBytes(const QImage &image)
{
    const QImage grey = image.convertToFormat(QImage::Format_Grayscale8);
    const auto le16 = [](int v) { return QByteArray(1, char(v & 0xFF)) + char(v >> 8); };
    const QByteArray size = le16(grey.width()) + le16(grey.height());
    QByteArray out = "GIF89a" + size + QByteArray("\xF7\0\0", 3); // a global table of 256 greys
    for (int i = 0; i < 256; ++i)
        out += QByteArray(3, char(i));
    out += ',' + le16(0) + le16(0) + size + QByteArray("\0\x08", 2); // one frame; minimum code size 8

    // Every code is a literal, 9 bits wide; a clear code before the table would grow keeps the width fixed.
    QByteArray packed;
    quint32 bits = 0;
    int count = 0;
    const auto putCode = [&](int code) {
        bits |= quint32(code) << count;
        for (count += 9; count >= 8; count -= 8, bits >>= 8)
            packed += char(bits & 0xFF);
    };
    qsizetype literals = 0;
    for (int y = 0; y < grey.height(); ++y) {
        for (int x = 0; x < grey.width(); ++x) {
            if (literals++ % 250 == 0)
                putCode(256);
            putCode(grey.constScanLine(y)[x]);
        }
    }
    putCode(257);
    if (count > 0)
        packed += char(bits & 0xFF);
    for (qsizetype i = 0; i < packed.size(); i += 255)
        out += char(packed.mid(i, 255).size()) + packed.mid(i, 255);
    return out + QByteArray("\0;", 2);
}

QByteArray heicBytes(const QImage &image)
{
    const auto ok = [](heif_error e) { return e.code == heif_error_Ok; };
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    const int w = rgb.width(), h = rgb.height();
    QByteArray bytes;
    heif_context *context = heif_context_alloc();
    heif_encoder *encoder = nullptr;
    heif_image *picture = nullptr;
    if (ok(heif_context_get_encoder_for_format(context, heif_compression_HEVC, &encoder)) &&
        ok(heif_image_create(w, h, heif_colorspace_RGB, heif_chroma_interleaved_RGB, &picture)) &&
        ok(heif_image_add_plane(picture, heif_channel_interleaved, w, h, 8))) {
        heif_encoder_set_lossy_quality(encoder, 95);
        int stride = 0;
        uint8_t *plane = heif_image_get_plane(picture, heif_channel_interleaved, &stride);
        for (int y = 0; y < h; ++y)
            std::memcpy(plane + qsizetype(y) * stride, rgb.constScanLine(y), size_t(w) * 3);
        heif_writer writer{1, [](heif_context *, const void *data, size_t size, void *out) {
                               static_cast<QByteArray *>(out)->append(static_cast<const char *>(data), size);
                               return heif_error{heif_error_Ok, heif_suberror_Unspecified, ""};
                           }};
        if (!ok(heif_context_encode_image(context, picture, encoder, nullptr, nullptr)) ||
            !ok(heif_context_write(context, &writer, &bytes)))
            bytes.clear();
    }
    if (picture)
        heif_image_release(picture);
    if (encoder)
        heif_encoder_release(encoder);
    heif_context_free(context);
    return bytes;
}

QByteArray withExifOrientation(const QByteArray &jpeg, int orientation)
{
    // Big-endian TIFF with one IFD entry: tag 0x0112, type SHORT, count 1, the value, and no next IFD.
    const QByteArray payload = QByteArray("Exif\0\0MM\0\x2a\0\0\0\x08\0\x01\x01\x12\0\x03\0\0\0\x01\0", 25) +
                               char(orientation) + QByteArray(6, '\0');
    const int length = int(payload.size()) + 2;
    return jpeg.left(2) + QByteArray{"\xff\xe1"} + char(length >> 8) + char(length & 0xff) + payload +
           jpeg.mid(2);
}

QString rerunAsNobody()
{
    const passwd *nobody = getpwnam("nobody");
    const group *nogroup = getgrnam("nogroup");
    // Made by this process in its own temporary folder, then handed to nobody: no one else may write there.
    QTemporaryDir scratch;
    if (!nobody || !nogroup || !scratch.isValid() ||
        chown(QFile::encodeName(scratch.path()).constData(), nobody->pw_uid, nogroup->gr_gid) != 0)
        return QStringLiteral("no user nobody, no group nogroup or no scratch folder for them");
    QString row = QString::fromLatin1(QTest::currentTestFunction());
    if (const char *tag = QTest::currentDataTag(); tag && *tag)
        row += u':' + QString::fromLatin1(tag);

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("TMPDIR"), scratch.path());
    environment.insert(QStringLiteral("HOME"), scratch.path());
    environment.remove(QStringLiteral("XDG_RUNTIME_DIR"));
    QProcess child;
    child.setProcessEnvironment(environment);
    child.setWorkingDirectory(scratch.path());
    child.setProcessChannelMode(QProcess::MergedChannels);
    // As the package test drops to nobody.
    child.start(QStringLiteral("setpriv"), {"--reuid=nobody", "--regid=nogroup", "--clear-groups", "--",
                                            QCoreApplication::applicationFilePath(), row});
    if (!child.waitForFinished(120000))
        return QStringLiteral("setpriv did not run or did not end: ") + child.errorString();
    const QString output = QString::fromLocal8Bit(child.readAll());
    // A name QtTest does not know runs nothing; the row itself must show as passed.
    const QString function = QString::fromLatin1(QTest::currentTestFunction());
    const QRegularExpression passed(QStringLiteral("^PASS   : \\w+::%1\\(").arg(function),
                                    QRegularExpression::MultilineOption);
    const bool ok = child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0 &&
                    output.contains(passed) && !output.contains(QStringLiteral("SKIP   :"));
    return ok ? QString() : QStringLiteral("as nobody, %1:\n%2").arg(row, output);
}

void SteppedPacer::after(int milliseconds, QObject *context, std::function<void()> then)
{
    pauses << milliseconds;
    m_waiting.push_back({context, context != nullptr, std::move(then)});
}

bool SteppedPacer::step()
{
    if (m_waiting.empty())
        return false;
    Waiting next = std::move(m_waiting.front());
    m_waiting.pop_front();
    if (!next.hadContext || next.context)
        next.then();
    return true;
}

int SteppedPacer::runAll()
{
    int steps = 0;
    while (step())
        ++steps;
    return steps;
}

qint64 processStatusBytes(const QByteArray &field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly | QIODevice::Text))
        return -1;
    for (QByteArray line = status.readLine(); !line.isEmpty(); line = status.readLine())
        if (line.startsWith(field + ':'))
            return line.mid(field.size() + 1).trimmed().split(' ').value(0).toLongLong() * 1024;
    return -1;
}

int pdfPageCount(const QString &pdf)
{
    const QString text = runTool(QStringLiteral("pdfinfo"), {pdf}).second;
    return QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(text).captured(1).toInt();
}

std::pair<int, QString> runTool(const QString &program, const QStringList &arguments)
{
    QProcess run;
    run.start(program, arguments);
    run.waitForFinished(120000);
    return {run.exitCode(), QString::fromLocal8Bit(run.readAllStandardOutput() + run.readAllStandardError())};
}

QByteArray nameState(const QByteArray &path)
{
    struct stat info = {};
    if (::lstat(path.constData(), &info) != 0)
        return "missing";
    QByteArray seen =
        QByteArray::number(info.st_mode, 8) + ' ' + QByteArray::number(qulonglong(info.st_rdev)) + ' ' +
        QByteArray::number(qulonglong(info.st_ino)) + ' ' + QByteArray::number(qlonglong(info.st_size)) +
        ' ' + QByteArray::number(qlonglong(info.st_mtim.tv_nsec));
    if (S_ISREG(info.st_mode) || S_ISLNK(info.st_mode))
        seen += ' ' + QCryptographicHash::hash(RegularFile(path, qint64(1) << 32).readAll(),
                                               QCryptographicHash::Sha1)
                          .toHex();
    return seen;
}

} // namespace vellora::test
