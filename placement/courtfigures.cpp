#include "placement/courtfigures.h"

#include "placement/cardtargets.h"
#include "surface/masterdrawing.h"
#include "surface/picturefile.h"
#include "surface/twips.h"

#include <QCoreApplication>

namespace vellora {

namespace courts {

namespace {

constexpr char kSuitLetters[kSuits + 1] = "hkrs";

char rankLetter(KaartSoort soort)
{
    switch (soort) {
    case KaartSoort::Boer: return 'b';
    case KaartSoort::Vrouw: return 'v';
    default: return 'k';
    }
}

} // namespace

QString relativePath(KaartSoort soort, int suit)
{
    return QStringLiteral("\\Data\\court-%1-%2.bmp")
        .arg(QChar(QLatin1Char(kSuitLetters[suit])), QChar(QLatin1Char(rankLetter(soort))));
}

QString caption(KaartSoort soort, int suit)
{
    const QString rank = soort == KaartSoort::Boer    ? QCoreApplication::translate("Placement", "Boer")
                         : soort == KaartSoort::Vrouw ? QCoreApplication::translate("Placement", "Vrouw")
                                                      : QCoreApplication::translate("Placement", "Koning");
    //: A court card: its rank, then its suit ("Koning Harten")
    return QCoreApplication::translate("Placement", "%1 %2").arg(rank, sheet::suitName(suit));
}

CardPaste figure(const AppFolder &folder, KaartSoort soort, int suit, std::vector<int> rows)
{
    if (!isCourt(soort) || suit < 0 || suit >= kSuits)
        return {};
    const QSize area = targets::kPictureArea;
    const QString path = folder.resolve(relativePath(soort, suit));
    // Any other size is no figure of ours: the paste copies the area 1:1 and must fill it.
    const Result<QImage> loaded = PictureFile::loadExactly(path, px(area));
    if (!loaded.ok())
        return {};
    // A figure replaced by hand no longer matches its drawing, and is enlarged from the sheet's pixels.
    return CardPaste{loaded->convertToFormat(QImage::Format_RGB32), std::move(rows),
                     QPoint(targets::pictureAreaLeft(soort), targets::kPictureInset), area,
                     masterdrawing::load(masterdrawing::pathBeside(path), path, px(area) * masterdrawing::kScale)};
}

std::vector<CardPaste> everyCourtCard(const AppFolder &folder)
{
    std::vector<CardPaste> pastes;
    for (KaartSoort soort : {KaartSoort::Boer, KaartSoort::Vrouw, KaartSoort::Koning})
        for (int suit = 0; suit < kSuits; ++suit)
            if (CardPaste paste = figure(folder, soort, suit, {suit}); !paste.isEmpty())
                pastes.push_back(std::move(paste));
    return pastes;
}

} // namespace courts

CourtBrowser::CourtBrowser(AppFolder folder, KaartSoort soort) : m_folder(std::move(folder)), m_soort(soort)
{
    m_preview.resize(px(targets::kPictureArea.width()), px(targets::kPictureArea.height()));
    show(0);
}

bool CourtBrowser::show(int suit)
{
    m_suit = suit;
    const CardPaste paste = courts::figure(m_folder, m_soort, suit, {});
    if (paste.picture.isNull())
        return false;
    m_preview.clear();
    m_preview.paintPicture(paste.picture, QRectF(0, 0, 0, 0));
    m_master = paste.master;
    return true;
}

CardPaste CourtBrowser::chosen(int option) const
{
    CardPaste paste = targets::paste(m_preview.image(), option, targets::pictureAreaLeft(m_soort),
                                     targets::kPictureInset, targets::kPictureArea);
    paste.master = m_master;
    return paste;
}

} // namespace vellora
