#include "print/shoppdf.h"

#include "print/cardimages.h"

#include <QCoreApplication>
#include <QDateTime>
#include <cmath>
#include <qpdf/Pl_Buffer.hh>
#include <qpdf/Pl_Flate.hh>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFWriter.hh>

namespace vellora::print {

namespace {

using Handle = QPDFObjectHandle;

constexpr double kPointsPerMm = 72.0 / kMmPerInch;

Handle box(const QRectF &r)
{
    Handle array = Handle::newArray();
    for (const double v : {r.left(), r.top(), r.right(), r.bottom()})
        array.appendItem(Handle::newReal(v, 4, true));
    return array;
}

// Compressed here rather than by the writer, so no picture is held uncompressed longer than it is made.
std::shared_ptr<Buffer> deflated(const QByteArray &bytes)
{
    Pl_Buffer buffer("picture");
    Pl_Flate flate("deflate", &buffer, Pl_Flate::a_deflate);
    flate.write(reinterpret_cast<const unsigned char *>(bytes.constData()), size_t(bytes.size()));
    flate.finish();
    return buffer.getBufferSharedPointer();
}

QByteArray rgbBytes(const QImage &picture)
{
    const QImage rgb = picture.convertToFormat(QImage::Format_RGB888);
    QByteArray out;
    out.reserve(qsizetype(rgb.width()) * rgb.height() * 3);
    for (int y = 0; y < rgb.height(); ++y)
        out.append(reinterpret_cast<const char *>(rgb.constScanLine(y)), qsizetype(rgb.width()) * 3);
    return out;
}

class ShopWriter
{
public:
    ShopWriter(const ShopRequest &request, const PressProfile *press) : m_request(request), m_press(press)
    {
        m_pdf.emptyPDF();
    }

    // A picture's pixels as the file holds them, in its colours and compressed. For any thread: this reads
    // only the request and the press profile, whose LittleCMS transform keeps its cache per call.
    std::shared_ptr<Buffer> pixels(const QImage &picture) const
    {
        return deflated(m_press ? m_press->toCmyk(picture, m_request.press.inkPercent) : rgbBytes(picture));
    }

    Handle image(QSize size, std::shared_ptr<Buffer> pixels)
    {
        Handle stream = m_pdf.newStream();
        Handle dict = stream.getDict();
        dict.replaceKey("/Type", Handle::newName("/XObject"));
        dict.replaceKey("/Subtype", Handle::newName("/Image"));
        dict.replaceKey("/Width", Handle::newInteger(size.width()));
        dict.replaceKey("/Height", Handle::newInteger(size.height()));
        dict.replaceKey("/ColorSpace", Handle::newName(m_press ? "/DeviceCMYK" : "/DeviceRGB"));
        dict.replaceKey("/BitsPerComponent", Handle::newInteger(8));
        stream.replaceStreamData(std::move(pixels), Handle::newName("/FlateDecode"), Handle::newNull());
        return stream;
    }

    void addPage(const Handle &image)
    {
        const ShopPage geometry = shopPage(m_request.size, m_request.bleedMm);
        const QRectF media(QPointF(0, 0), geometry.media);
        Handle page = m_pdf.makeIndirectObject(Handle::parse("<< /Type /Page >>"));
        page.replaceKey("/MediaBox", box(media));
        page.replaceKey("/BleedBox", box(media));
        page.replaceKey("/TrimBox", box(geometry.trim));
        Handle resources = Handle::parse("<< /XObject << >> >>");
        resources.getKey("/XObject").replaceKey("/Im0", image);
        page.replaceKey("/Resources", resources);
        const std::string draw = QStringLiteral("q %1 0 0 %2 0 0 cm /Im0 Do Q\n")
                                     .arg(media.width(), 0, 'f', 4)
                                     .arg(media.height(), 0, 'f', 4)
                                     .toStdString();
        page.replaceKey("/Contents", m_pdf.newStream(draw));
        QPDFPageDocumentHelper(m_pdf).addPage(page, false);
    }

    QByteArray finished()
    {
        const QString date = QDateTime::currentDateTimeUtc().toString(QStringLiteral("'D:'yyyyMMddHHmmss'Z'"));
        Handle info = m_pdf.makeIndirectObject(Handle::newDictionary());
        info.replaceKey("/Title", Handle::newUnicodeString(
                                      (m_request.title.isEmpty() ? QStringLiteral("Vellora") : m_request.title)
                                          .toStdString()));
        info.replaceKey("/Creator", Handle::newString("Vellora"));
        info.replaceKey("/CreationDate", Handle::newString(date.toStdString()));
        info.replaceKey("/ModDate", Handle::newString(date.toStdString()));
        if (m_press)
            markForPress(info);
        m_pdf.getTrailer().replaceKey("/Info", info);
        QPDFWriter writer(m_pdf);
        writer.setOutputMemory();
        writer.setDecodeLevel(qpdf_dl_none);
        writer.forcePDFVersion(m_press ? "1.3" : "1.4");
        writer.write();
        const std::shared_ptr<Buffer> out = writer.getBufferSharedPointer();
        return QByteArray(reinterpret_cast<const char *>(out->getBuffer()), qsizetype(out->getSize()));
    }

private:
    // PDF/X-1a:2003: the press profile as the output intent, the version and trapping in the Info.
    void markForPress(Handle &info)
    {
        info.replaceKey("/GTS_PDFXVersion", Handle::newString("PDF/X-1a:2003"));
        info.replaceKey("/Trapped", Handle::newName("/False"));
        const QByteArray &icc = m_press->iccBytes();
        Handle profile = m_pdf.newStream(std::string(icc.constData(), size_t(icc.size())));
        profile.getDict().replaceKey("/N", Handle::newInteger(4));
        Handle intent = Handle::newDictionary();
        intent.replaceKey("/Type", Handle::newName("/OutputIntent"));
        intent.replaceKey("/S", Handle::newName("/GTS_PDFX"));
        intent.replaceKey("/OutputConditionIdentifier", Handle::newString("Custom"));
        intent.replaceKey("/Info", Handle::newString(m_press->description().toStdString()));
        intent.replaceKey("/DestOutputProfile", profile);
        Handle intents = Handle::newArray();
        intents.appendItem(m_pdf.makeIndirectObject(intent));
        m_pdf.getRoot().replaceKey("/OutputIntents", intents);
    }

    QPDF m_pdf;
    const ShopRequest &m_request;
    const PressProfile *m_press;
};

} // namespace

std::vector<ShopSide> shopSequence(DeckOrder order, bool withBacks)
{
    std::vector<ShopSide> sides;
    for (int card = 0; card < sheet::kCardCount; ++card) {
        if (withBacks && order == DeckOrder::Duplex)
            sides.push_back({card, true});
        sides.push_back({card, false});
    }
    if (withBacks && order == DeckOrder::FacesFirst)
        for (int card = 0; card < sheet::kCardCount; ++card)
            sides.push_back({card, true});
    return sides;
}

ShopPage shopPage(CardSize size, double bleedMm)
{
    const QSizeF card = cardMm(size) * kPointsPerMm;
    const double bleed = bleedMm * kPointsPerMm;
    return {card + QSizeF(2 * bleed, 2 * bleed), QRectF(QPointF(bleed, bleed), card)};
}

QSize shopCardPixels(const ScaledPicture &sheet, CardSize size)
{
    const QSize cell = sheetPixels(sheet, sheet::cardCell(0)).size(), dots = cardDots(size);
    return {std::max(cell.width(), dots.width()), std::max(cell.height(), dots.height())};
}

QSize shopSidePixels(QSize card, CardSize size, double bleedMm)
{
    // As many whole pixels of bleed on each side, so the card lies in the middle of its picture as the
    // TrimBox lies in the middle of the page.
    if (card == cardDots(size)) // at 300 dpi, as the card images are
        return bledDots(size, bleedMm);
    const QSizeF mm = cardMm(size);
    const int x = int(std::lround(card.width() * bleedMm / mm.width()));
    const int y = int(std::lround(card.height() * bleedMm / mm.height()));
    return card + QSize(2 * x, 2 * y);
}

namespace {

// The cards whose faces have pages, in the order of their pages.
std::vector<int> faceCards(const std::vector<ShopSide> &sides)
{
    std::vector<int> faces;
    for (const ShopSide &side : sides)
        if (!side.back)
            faces.push_back(side.card);
    return faces;
}

// A picture made for the file: a built-in back comes from its own drawing at 300 dpi, so its picture need
// not be a face's size.
struct Piece
{
    QSize size;
    std::shared_ptr<Buffer> pixels;
};

// The i-th picture the file takes: the back first when there is one, then the faces as their pages come.
QImage sidePicture(const ScaledPicture &sheet, const BackChoice &back, const ShopRequest &request,
                   const std::vector<int> &faces, QSize card, QSize side, int i)
{
    const int backs = back.image.isNull() ? 0 : 1;
    if (i < backs)
        return shopBack(back, request.size, request.bleedMm, card, side);
    const int face = faces[std::size_t(i - backs)];
    return shopFace(sheetPiece(sheet, sheet::cardCell(face)), request.cut, request.size, card, side);
}

} // namespace

Result<QByteArray> shopPdf(const ScaledPicture &sheet, const BackChoice &back, const ShopRequest &request,
                           const PageProgress &progress, std::stop_token stop, OrderedWork work)
{
    std::optional<Result<PressProfile>> press;
    if (request.press.cmyk && !(press = PressProfile::load())->ok())
        return press->outcome();
    const QSize card = shopCardPixels(sheet, request.size);
    const QSize side = shopSidePixels(card, request.size, request.bleedMm);
    const std::vector<ShopSide> sides = shopSequence(request.order, !back.image.isNull());
    const int total = int(sides.size()) + 1;
    try {
        ShopWriter writer(request, press ? &**press : nullptr);
        // The pictures are made on every core and go into the file here, in their order: the back first (one
        // picture on every back page), then the faces as their pages come.
        const std::vector<int> faces = faceCards(sides);
        const int backs = back.image.isNull() ? 0 : 1;
        Handle backImage = Handle::newNull();
        int page = 0;
        const auto addPage = [&](const Handle &image) {
            writer.addPage(image);
            ++page;
            if (progress)
                progress(page, total);
        };
        const bool every = makeInOrder<Piece>(
            backs + int(faces.size()),
            [&](int i) {
                const QImage picture = sidePicture(sheet, back, request, faces, card, side, i);
                return Piece{picture.size(), writer.pixels(picture)};
            },
            [&](int i, Piece made) {
                const Handle image = writer.image(made.size, std::move(made.pixels));
                if (i < backs) {
                    backImage = image;
                    return true;
                }
                while (sides[std::size_t(page)].back)
                    addPage(backImage);
                addPage(image);
                return true;
            },
            stop, work);
        while (every && page < int(sides.size()))
            addPage(backImage);
        if (!every || stop.stop_requested())
            return Outcome::calledOff();
        QByteArray pdf = writer.finished();
        if (progress)
            progress(total, total);
        return pdf;
    } catch (const std::exception &e) {
        return Outcome::failure(
            QCoreApplication::translate("Print", "De drukkerij-PDF kan niet worden gemaakt."),
            QString::fromLocal8Bit(e.what()));
    }
}

} // namespace vellora::print
