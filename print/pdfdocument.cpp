#include "print/pdfdocument.h"

#include <map>
#include <QSaveFile>

#include <QSizeF>

#include <cairo-pdf.h>
#include <cairo.h>

#include <cstring>
#include <memory>
#include <vector>

namespace vellora::print {

namespace {

constexpr double kPointsPerTwip = 1.0 / 20.0;

struct SurfaceFree
{
    void operator()(cairo_surface_t *s) const { cairo_surface_destroy(s); }
};
using SurfacePtr = std::unique_ptr<cairo_surface_t, SurfaceFree>;

// The paper in whole points, as print dialogs and other programs write it; A4's size in whole twips is a
// third of a point wider and makes renderers add a column of pixels.
QSizeF paperPoints(const PrintPage &page)
{
    const QSizeF upright = page.paper == Paper::A4 ? QSizeF(595, 842) : QSizeF(612, 792);
    return page.orientation == QPageLayout::Landscape ? upright.transposed() : upright;
}

cairo_status_t appendTo(void *closure, const unsigned char *data, unsigned int length)
{
    static_cast<QByteArray *>(closure)->append(reinterpret_cast<const char *>(data), length);
    return CAIRO_STATUS_SUCCESS;
}

// A cairo copy of the picture. Its 32-bit pixels with an unused top byte are Qt's RGB32 exactly, so the
// copy is plain memory; the PDF keeps each pixel as it is.
SurfacePtr imageSurface(const PagePicture &picture)
{
    // Cairo reads the picture's own pixels, which the surface keeps alive; a print master's pages would
    // otherwise be held twice.
    auto *rgb = new QImage(picture.image.convertToFormat(QImage::Format_RGB32));
    auto *pixels = const_cast<unsigned char *>(rgb->constBits());
    SurfacePtr surface(cairo_image_surface_create_for_data(pixels, CAIRO_FORMAT_RGB24, rgb->width(),
                                                           rgb->height(), int(rgb->bytesPerLine())));
    static cairo_user_data_key_t kept;
    const auto release = [](void *image) { delete static_cast<QImage *>(image); };
    if (cairo_surface_set_user_data(surface.get(), &kept, rgb, release) != CAIRO_STATUS_SUCCESS) {
        delete rgb;
        return SurfacePtr(cairo_image_surface_create(CAIRO_FORMAT_INVALID, 0, 0));
    }
    if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS)
        return surface;
    if (!picture.jpeg.isEmpty()) {
        auto *copy = new QByteArray(picture.jpeg);
        cairo_surface_set_mime_data(
            surface.get(), CAIRO_MIME_TYPE_JPEG, reinterpret_cast<const unsigned char *>(copy->constData()),
            copy->size(), [](void *bytes) { delete static_cast<QByteArray *>(bytes); }, copy);
    }
    return surface;
}

// The picture's `source` (all of it when empty) stretched over `twips`, and nothing outside them.
void paintPicture(cairo_t *cr, cairo_surface_t *image, const QRect &twips, QRectF source)
{
    const int w = cairo_image_surface_get_width(image), h = cairo_image_surface_get_height(image);
    if (w <= 0 || h <= 0)
        return;
    if (source.isEmpty())
        source = QRectF(0, 0, w, h);
    cairo_save(cr);
    cairo_rectangle(cr, twips.x() * kPointsPerTwip, twips.y() * kPointsPerTwip,
                    twips.width() * kPointsPerTwip, twips.height() * kPointsPerTwip);
    cairo_clip(cr);
    cairo_translate(cr, twips.x() * kPointsPerTwip, twips.y() * kPointsPerTwip);
    cairo_scale(cr, twips.width() * kPointsPerTwip / source.width(),
                twips.height() * kPointsPerTwip / source.height());
    cairo_translate(cr, -source.x(), -source.y());
    cairo_set_source_surface(cr, image, 0, 0);
    cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_GOOD);
    cairo_rectangle(cr, 0, 0, w, h);
    cairo_fill(cr);
    cairo_restore(cr);
}

void paintMarks(cairo_t *cr, const PrintPage &page)
{
    cairo_set_source_rgb(cr, 0, 0, 0);
    cairo_set_line_width(cr, 0.3); // a quarter of a point more than a hairline: thin, yet every printer shows it
    for (const QLine &line : page.cutMarks) {
        cairo_move_to(cr, line.x1() * kPointsPerTwip, line.y1() * kPointsPerTwip);
        cairo_line_to(cr, line.x2() * kPointsPerTwip, line.y2() * kPointsPerTwip);
    }
    cairo_stroke(cr);
    for (const QRect &r : page.fills)
        cairo_rectangle(cr, r.x() * kPointsPerTwip, r.y() * kPointsPerTwip, r.width() * kPointsPerTwip,
                        r.height() * kPointsPerTwip);
    cairo_fill(cr);
    cairo_select_font_face(cr, "sans-serif", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
    for (const PageText &text : page.texts) {
        cairo_set_font_size(cr, text.points);
        cairo_move_to(cr, text.at.x() * kPointsPerTwip, text.at.y() * kPointsPerTwip);
        cairo_show_text(cr, text.text.toUtf8().constData());
    }
    if (!page.scaleBar)
        return;
    const ScaleBar &bar = *page.scaleBar;
    cairo_rectangle(cr, bar.twips.x() * kPointsPerTwip, bar.twips.y() * kPointsPerTwip,
                    bar.twips.width() * kPointsPerTwip, bar.twips.height() * kPointsPerTwip);
    cairo_fill(cr);
    cairo_select_font_face(cr, "sans-serif", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, 7);
    cairo_move_to(cr, bar.textAt.x() * kPointsPerTwip, bar.textAt.y() * kPointsPerTwip);
    cairo_show_text(cr, bar.text.toUtf8().constData());
}

} // namespace

Result<QByteArray> pdfDocument(const std::vector<PrintPage> &pages, const PageProgress &progress,
                               std::stop_token stop)
{
    const auto fail = [](const char *what, cairo_status_t status) {
        return Outcome::failure(
            QStringLiteral("%1: %2").arg(QLatin1String(what), QLatin1String(cairo_status_to_string(status))));
    };
    if (pages.empty())
        return fail("no pages", CAIRO_STATUS_INVALID_SIZE);
    QByteArray out;
    const QSizeF first = paperPoints(pages.front());
    SurfacePtr pdf(cairo_pdf_surface_create_for_stream(appendTo, &out, first.width(), first.height()));
    cairo_pdf_surface_set_metadata(pdf.get(), CAIRO_PDF_METADATA_TITLE, "Vellora");
    cairo_pdf_surface_set_metadata(pdf.get(), CAIRO_PDF_METADATA_CREATOR, "Vellora");
    cairo_t *cr = cairo_create(pdf.get());
    // One surface per picture, so a back repeated on six pages is stored once.
    std::map<qint64, SurfacePtr> images;
    int done = 0;
    for (const PrintPage &page : pages) {
        if (stop.stop_requested()) {
            cairo_destroy(cr);
            return Outcome::calledOff();
        }
        const QSizeF paper = paperPoints(page);
        cairo_pdf_surface_set_size(pdf.get(), paper.width(), paper.height());
        std::vector<const PagePicture *> pictures;
        if (!page.picture.image.isNull())
            pictures.push_back(&page.picture);
        for (const PagePicture &card : page.cards)
            pictures.push_back(&card);
        for (const PagePicture *picture : pictures) {
            SurfacePtr &image = images[picture->image.cacheKey()];
            if (!image)
                image = imageSurface(*picture);
            if (cairo_surface_status(image.get()) != CAIRO_STATUS_SUCCESS) {
                const cairo_status_t status = cairo_surface_status(image.get());
                cairo_destroy(cr);
                return fail("picture", status);
            }
            paintPicture(cr, image.get(), picture->twips, picture->source);
        }
        paintMarks(cr, page);
        cairo_show_page(cr);
        if (progress)
            progress(++done, int(pages.size()));
    }
    const cairo_status_t drawn = cairo_status(cr);
    cairo_destroy(cr);
    images.clear();
    cairo_surface_finish(pdf.get());
    const cairo_status_t finished = cairo_surface_status(pdf.get());
    if (drawn != CAIRO_STATUS_SUCCESS)
        return fail("drawing", drawn);
    if (finished != CAIRO_STATUS_SUCCESS)
        return fail("writing", finished);
    return out;
}

Outcome savePdf(const QByteArray &pdf, const QString &path, std::stop_token stop)
{
    QSaveFile file(path);
    const bool written = file.open(QIODevice::WriteOnly) && file.write(pdf) == pdf.size();
    const bool calledOff = written && stop.stop_requested();
    if (!written || calledOff || !file.commit()) {
        file.cancelWriting();
        return calledOff ? Outcome::calledOff()
                         : Outcome::failure(file.errorString(), {}, Outcome::Failure::NotWritten);
    }
    return {};
}

} // namespace vellora::print
