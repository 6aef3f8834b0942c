#pragma once

#include "print/cardsides.h"
#include "print/decklayout.h"
#include "print/pdfdocument.h"
#include "print/presscolour.h"
#include "print/printpage.h"
#include "sheet/scaledpicture.h"
#include "surface/orderedwork.h"

#include <QByteArray>
#include <QImage>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <stop_token>
#include <vector>

namespace vellora::print {

// The print-shop file: every side of every card a page of its own, exactly the card and its bleed, the card
// marked as the TrimBox and the page as the BleedBox, one picture a page and nothing drawn over it.
struct ShopRequest
{
    CardSize size = CardSize::Size63x88;
    double bleedMm = 3.0;
    DeckOrder order = DeckOrder::Duplex; // Duplex: each card's back, then its face; else faces, then backs
    PressChoice press;
    QString title; // the deck's name; empty for the blank sheet
    FaceCut cut = kDefaultCut;
};

// One page: a card of the sheet's order, its face or its back.
struct ShopSide
{
    int card = 0;
    bool back = false;
    bool operator==(const ShopSide &) const = default;
};
std::vector<ShopSide> shopSequence(DeckOrder order, bool withBacks);

// A page in points: the paper, and the card on it.
struct ShopPage
{
    QSizeF media;
    QRectF trim;
};
ShopPage shopPage(CardSize size, double bleedMm);

// The pixels of a card within its picture: the sheet's own cell when it is at least 300 dpi on the card, as
// the print master is, so a face keeps its pixels; enlarged to 300 dpi when it is finer on neither side.
QSize shopCardPixels(const ScaledPicture &sheet, CardSize size);
// The card with its bleed at the card's own pixels per millimetre, the bleed whole pixels on each side; at
// 300 dpi the size of the card image, rounded as a whole.
QSize shopSidePixels(QSize card, CardSize size, double bleedMm);

// The document, made in memory: RGB pictures are stored losslessly; for the press every picture is CMYK of
// the press profile, which is the file's output intent, and the file is PDF/X-1a:2003. A failure when it
// could not be made or a stop called it off between two pages. A back without a picture: faces only. The
// pages' pictures are made on `work`'s threads; the file is the same whatever their number.
Result<QByteArray> shopPdf(const ScaledPicture &sheet, const BackChoice &back, const ShopRequest &request,
                           const PageProgress &progress = {}, std::stop_token stop = {}, OrderedWork work = {});

} // namespace vellora::print
