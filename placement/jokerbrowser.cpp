#include "placement/jokerbrowser.h"

#include "placement/cardtargets.h"
#include "sheet/cardsheet.h"
#include "surface/picturefile.h"
#include "surface/twips.h"

#include <QDir>

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

QString JokerBrowser::counter() const { return QStringLiteral("Joker %1/%2").arg(m_number).arg(m_count); }

bool JokerBrowser::show(int number)
{
    m_number = number;
    return loadPicture(number);
}

bool JokerBrowser::loadPicture(int number)
{
    const PictureLoad loaded = PictureFile::load(m_folder.resolve(relativePath(number)));
    if (!loaded.ok())
        return false;
    m_preview.clear();
    m_preview.paintPicture(loaded.image, QRectF(0, 0, 0, 0));
    return true;
}

CardPaste JokerBrowser::chosen(int option) const
{
    const int left = sheet::cellOrigin(0, sheet::kJokerColumn).x() + targets::kJokerInset.x();
    return targets::paste(m_preview.image(), option, left, targets::kJokerInset.y(), targets::kJokerArea);
}

} // namespace vellora
