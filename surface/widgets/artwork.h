#pragma once

#include "surface/appfolder.h"

#include <QFuture>
#include <QImage>
#include <QPixmap>

#include <functional>

#include <memory>
#include <vector>

class QWidget;

namespace vellora {

class BackgroundTask;

// The program's own pictures (buttons, logo, check mark), sharp on a scaled screen: beside each "name.png"
// in Artwork lies "name@2x.png", drawn at twice the size. At a scale of 1 the plain file is used as it is;
// above it the double-size drawing is brought to the screen's own pixels, so that nothing is stretched.
// A missing or damaged double-size file falls back to the plain one.
QPixmap artworkPixmap(const AppFolder &folder, const QString &name, qreal scale);

// For the screen `where` is shown on.
QPixmap artworkPixmap(const AppFolder &folder, const QString &name, const QWidget *where);

// The picture artworkPixmap makes, as an image: on any thread.
QImage artworkImage(const AppFolder &folder, const QString &name, qreal scale);

// The artwork a window is about to show, read on a worker in the order the window will ask for it while the
// window builds its widgets: a picture is waited for only when it is asked for before the worker came to it.
class ArtworkShelf
{
public:
    struct Piece
    {
        QString name;
        qreal scale;
    };
    // `folder` outlives the shelf; the worker has a copy of its own. The pieces are read as one work of
    // `task`, so that what the task runs next waits for them.
    ArtworkShelf(const AppFolder &folder, std::vector<Piece> pieces, BackgroundTask &task);
    // Calls the worker off: after the piece it reads, or before it starts, without waiting for it then.
    ~ArtworkShelf();
    ArtworkShelf(const ArtworkShelf &) = delete;
    ArtworkShelf &operator=(const ArtworkShelf &) = delete;

    // As artworkPixmap gives it; a piece not on the shelf is read here and now.
    QPixmap pixmap(const QString &name, qreal scale) const;
    QPixmap pixmap(const QString &name, const QWidget *where) const;

private:
    struct Reading; // what the worker shares with the shelf
    ArtworkShelf(const AppFolder &folder, std::vector<Piece> pieces);
    std::function<void()> reading() const; // the worker's part

    const AppFolder &m_folder;
    std::vector<Piece> m_pieces;
    std::shared_ptr<Reading> m_reading;
    QFuture<QImage> m_images; // one result for each piece, in their order
};

} // namespace vellora
