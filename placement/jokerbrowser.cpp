#include "placement/jokerbrowser.h"

#include "placement/cardtargets.h"
#include "sheet/cardsheet.h"
#include "surface/masterdrawing.h"
#include "surface/picturefile.h"
#include "surface/twips.h"

#include <QCoreApplication>
#include <QDir>
#include <QPainter>

namespace vellora {

JokerBrowser::JokerBrowser(AppFolder folder, QColor previewBackground) : m_folder(std::move(folder))
{
    m_preview.backColor = previewBackground;
    m_preview.resize(px(targets::kJokerArea.width()), px(targets::kJokerArea.height()));
    loadPicture(1);
    // QDir matches name filters without regard to case unless told otherwise, as the data folders need.
    const QDir data(m_folder.resolve(u"\\Data"));
    m_count = int(data.entryList({QStringLiteral("*.jok")}, QDir::Files).size());
}

QString JokerBrowser::relativePath(int number)
{
    const QString pad = number <= 9 ? QStringLiteral("0") : QString();
    return QStringLiteral("\\Data\\joker-") + pad + QString::number(number) + QStringLiteral(".jok");
}

QString JokerBrowser::counter() const
{
    return QCoreApplication::translate("Placement", "Joker %1/%2").arg(m_number).arg(m_count);
}

bool JokerBrowser::show(int number)
{
    m_number = number;
    return loadPicture(number);
}

bool JokerBrowser::loadPicture(int number)
{
    const QString path = m_folder.resolve(relativePath(number));
    const Result<QImage> loaded = PictureFile::load(path);
    if (!loaded)
        return false;
    m_preview.clear();
    m_preview.paintPicture(*loaded, QRectF(0, 0, 0, 0));
    // The joker's own drawing at the master's size when the data folder has one for this very file; a
    // picture replaced by hand is enlarged from the preview when it is pasted.
    const QString drawing = m_folder.resolve(relativePath(number).chopped(4) + QStringLiteral("@3x.png"));
    m_master = masterdrawing::load(drawing, path, loaded->size() * masterdrawing::kScale);
    if (!m_master.isNull()) {
        QImage framed(m_preview.image().size() * masterdrawing::kScale, QImage::Format_RGB32);
        framed.fill(m_preview.backColor);
        QPainter painter(&framed);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.drawImage(0, 0, m_master);
        painter.end();
        m_master = framed;
    }
    return true;
}

CardPaste JokerBrowser::chosen(int option) const
{
    const int left = sheet::cellOrigin(0, sheet::kJokerColumn).x() + targets::kJokerInset.x();
    CardPaste paste =
        targets::paste(m_preview.image(), option, left, targets::kJokerInset.y(), targets::kJokerArea);
    paste.master = m_master;
    return paste;
}

} // namespace vellora
