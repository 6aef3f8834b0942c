#pragma once

#include "print/cardpng.h"
#include "print/cardsides.h"
#include "print/decklayout.h"
#include "print/pdfdocument.h"
#include "surface/orderedwork.h"

#include <QImage>
#include <QString>
#include <QStringList>
#include <optional>
#include <stop_token>

namespace vellora::print {

// Cards as a print shop takes them: one PNG per card at 300 dpi with bleed on every side, each face cut as
// asked and each back to its edge (print/cardsides).
inline constexpr int kCardImageDpi = 300;
inline constexpr double kDefaultBleedMm = 3.0;
inline constexpr double kMaxBleedMm = 10.0;
inline constexpr char16_t kBackImageName[] = u"rug.png";

// "harten-a.png" .. "harten-k.png", "harten-joker.png", then klavers, ruiten and schoppen, in the order of
// the sheet's cells; then kBackImageName.
QStringList cardImageNames();

// A bleed as the user writes it: millimetres ("3", "3 mm", "2,5"), or inches with "in" or "inch" after
// them, as a decimal or a fraction ("0.125in", "1/8 inch"); nothing when it is none or out of 0 to 10 mm.
std::optional<double> bleedFromText(QString text);

// Millimetres at 300 dpi, to the nearest pixel.
int dotsFor(double mm);
QSize cardDots(CardSize size);
// The card with `bleedMm` on every side at 300 dpi, each side rounded once as a whole: poker with 1/8 inch is
// 825 x 1125, where rounding card and bleed apart would give a pixel more.
QSize bledDots(CardSize size, double bleedMm);

// Says in the picture at what resolution it prints, as every finished side does.
void stampDpi(QImage &image, double dpi);

// `picture` stretched over `card` pixels, or only its centred part that covers them (`cover`), centred in a
// picture of `whole` pixels with its outermost pixels carried outward to the edges; `dpi` recorded.
QImage bledCard(const QImage &picture, QSize card, QSize whole, bool cover = false, int dpi = kCardImageDpi);

// Whether the card images may go into `folder`, or the refusal: it must be new, empty, or hold nothing but
// PNG files of the names cardImageNames() gives.
Outcome cardFolderRefusal(const QString &folder);

// Writes the 56 cards and, when `back` has a picture, the back into `folder` (made when missing), all of
// them or none: each is written whole under a passing name, and only when every one is they take their own
// names, a back of an earlier export going when this one has none. The folder is held against a second
// export meanwhile, which is refused. A failure names the first file that failed; a stop between two
// files ends the work and leaves the folder as it was. `progress` counts the files. The
// cards are drawn and encoded on `work`'s threads, a few ahead of the one written; the files are the same
// whatever the number of threads.
Outcome writeCardImages(const ScaledPicture &sheet, const BackChoice &back, const QString &folder,
                        CardSize size, double bleedMm, FaceCut cut = kDefaultCut,
                        const PageProgress &progress = {}, std::stop_token stop = {}, OrderedWork work = {});

} // namespace vellora::print
