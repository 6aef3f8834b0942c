#include "surface/widgets/artwork.h"

#include "surface/backgroundtask.h"

#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QPromise>
#include <QWidget>

#include <algorithm>
#include <atomic>

namespace vellora {

namespace {

// The artwork is PNG: read as such first, without the search through every picture plugin that a reader
// deciding by itself makes the first time, which costs more than all the artwork together. A file of
// another kind is still read, by its content.
QImage readArtwork(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QImage();
    QImageReader png(&file, "png");
    png.setAutoDetectImageFormat(false);
    QImage image = png.read();
    if (image.isNull() && file.seek(0))
        image = QImageReader(&file).read();
    return image;
}

} // namespace

QImage artworkImage(const AppFolder &folder, const QString &name, qreal scale)
{
    const QString plainPath = folder.resolve(QStringLiteral("\\Artwork\\") + name);
    const QImage plain = readArtwork(plainPath);
    if (plain.isNull() || scale <= 1.0)
        return plain;

    QString sharpName = name;
    sharpName.insert(sharpName.lastIndexOf(QLatin1Char('.')), QLatin1String("@2x"));
    QImage sharp = readArtwork(folder.resolve(QStringLiteral("\\Artwork\\") + sharpName));
    if (sharp.size() != plain.size() * 2)
        return plain;
    // Qt 6.4 cannot smooth-scale every format it reads (a one-bit picture crashes it).
    sharp.convertTo(QImage::Format_ARGB32_Premultiplied);

    // Bring the drawing to whole screen pixels here, once and smoothly, rather than leave the painter to
    // stretch it with every repaint.
    const QSize device = (QSizeF(plain.size()) * scale).toSize();
    if (sharp.size() != device)
        sharp = sharp.scaled(device, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    sharp.setDevicePixelRatio(scale);
    return sharp;
}

QPixmap artworkPixmap(const AppFolder &folder, const QString &name, qreal scale)
{
    return QPixmap::fromImage(artworkImage(folder, name, scale));
}

QPixmap artworkPixmap(const AppFolder &folder, const QString &name, const QWidget *where)
{
    return artworkPixmap(folder, name, where->devicePixelRatioF());
}

struct ArtworkShelf::Reading
{
    enum State { Queued, Started, Abandoned };
    QPromise<QImage> promise;
    std::atomic<int> state = Queued;
};

ArtworkShelf::ArtworkShelf(const AppFolder &folder, std::vector<Piece> pieces)
    : m_folder(folder), m_pieces(std::move(pieces)), m_reading(std::make_shared<Reading>())
{
    m_reading->promise.start();
    m_images = m_reading->promise.future();
}

ArtworkShelf::ArtworkShelf(const AppFolder &folder, std::vector<Piece> pieces, BackgroundTask &task)
    : ArtworkShelf(folder, std::move(pieces))
{
    // No receiver: the window takes each piece from the shelf when it wants it.
    task.run(nullptr, [read = reading()](std::stop_token, const TaskProgress &) { read(); }, [] {});
}

std::function<void()> ArtworkShelf::reading() const
{
    return [reading = m_reading, folder = m_folder, pieces = m_pieces] {
        int queued = Reading::Queued;
        if (!reading->state.compare_exchange_strong(queued, Reading::Started))
            return; // let go before it came to it
        QPromise<QImage> &promise = reading->promise;
        for (std::size_t i = 0; i < pieces.size() && !promise.isCanceled(); ++i)
            promise.addResult(artworkImage(folder, pieces[i].name, pieces[i].scale), int(i));
        promise.finish();
    };
}

ArtworkShelf::~ArtworkShelf()
{
    m_images.cancel();
    int queued = Reading::Queued;
    if (!m_reading->state.compare_exchange_strong(queued, Reading::Abandoned))
        m_images.waitForFinished();
}

QPixmap ArtworkShelf::pixmap(const QString &name, qreal scale) const
{
    const auto piece = std::find_if(m_pieces.begin(), m_pieces.end(),
                                    [&](const Piece &p) { return p.name == name && p.scale == scale; });
    if (piece == m_pieces.end())
        return artworkPixmap(m_folder, name, scale);
    // Waits for this piece alone. Only the destructor calls the worker off, so every piece does come.
    return QPixmap::fromImage(m_images.resultAt(int(piece - m_pieces.begin())));
}

QPixmap ArtworkShelf::pixmap(const QString &name, const QWidget *where) const
{
    return pixmap(name, where->devicePixelRatioF());
}

} // namespace vellora
