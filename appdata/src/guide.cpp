#include "appdata/src/appdata.h"
#include "appdata/src/common.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QSaveFile>
#include <QTextDocument>

// The help page on setting the display to 96 dpi. Vellora lays cards out at 15 twips per pixel, which is
// only true to size on a display at 100 % scaling; users who see cards too large or cut off get this page.

namespace appdata {

namespace {

const char *const kStyle = R"CSS(
h1 { color: #1d4d33; font-size: 22pt; }
h2 { color: #8e1426; font-size: 13pt; margin-top: 14px; }
p, li { font-size: 10.5pt; }
p.lead { font-size: 11.5pt; }
p.code { font-family: 'Liberation Mono'; font-size: 10.5pt; background-color: #eef1f4; margin-left: 20px; }
span.mono { font-family: 'Liberation Mono'; }
p.note { color: #3c4652; font-style: italic; }
)CSS";

// Everything Qt stamps from the clock or from a random id, replaced by fixed text of the same length so
// that the cross-reference offsets in the file stay valid.
QByteArray pinned(QByteArray pdf)
{
    const QRegularExpression date(QStringLiteral(R"(/CreationDate \(D:(\d{14})([^)]*)\))"));
    QString text = QString::fromLatin1(pdf);
    auto match = date.globalMatch(text);
    while (match.hasNext()) {
        const auto m = match.next();
        text.replace(m.capturedStart(1), 14, QStringLiteral("20240101120000"));
        QString zone = m.captured(2);
        for (QChar &ch : zone)
            if (ch.isDigit())
                ch = QLatin1Char('0');
            else if (ch == QLatin1Char('-'))
                ch = QLatin1Char('+');
        text.replace(m.capturedStart(2), zone.size(), zone);
    }
    const QRegularExpression id(QStringLiteral(R"(/ID \[\s*<([0-9A-Fa-f]+)>\s*<([0-9A-Fa-f]+)>\s*\])"));
    auto ids = id.globalMatch(text);
    while (ids.hasNext()) {
        const auto m = ids.next();
        for (int g : {1, 2}) {
            QString fixed;
            for (int i = 0; i < m.capturedLength(g); ++i)
                fixed += QLatin1Char("56454c4c4f5241"[i % 14]);
            text.replace(m.capturedStart(g), fixed.size(), fixed);
        }
    }
    return text.toLatin1();
}

QByteArray xmpMetadata(const QByteArray &title)
{
    return QByteArrayLiteral("<?xpacket begin='' id='W5M0MpCehiHzreSzNTczkc9d'?>\n"
                             "<x:xmpmeta xmlns:x='adobe:ns:meta/'>\n"
                             "<rdf:RDF xmlns:rdf='http://www.w3.org/1999/02/22-rdf-syntax-ns#'>\n"
                             "<rdf:Description rdf:about='' xmlns:dc='http://purl.org/dc/elements/1.1/' "
                             "xmlns:xmp='http://ns.adobe.com/xap/1.0/'>\n"
                             "<dc:title><rdf:Alt><rdf:li xml:lang='x-default'>") +
           title +
           QByteArrayLiteral("</rdf:li></rdf:Alt></dc:title>\n"
                             "<xmp:CreatorTool>Vellora</xmp:CreatorTool>\n"
                             "<xmp:CreateDate>2024-01-01T12:00:00Z</xmp:CreateDate>\n"
                             "</rdf:Description>\n"
                             "</rdf:RDF>\n"
                             "</x:xmpmeta>\n"
                             "<?xpacket end='w'?>");
}

} // namespace

Outcome writeDisplayGuide(const QString &path, GuideLanguage language)
{
    const GuideText text = guideText(language);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setTitle(QString::fromUtf8(text.title));
        writer.setCreator(QStringLiteral("Vellora"));
        writer.setDocumentXmpMetadata(xmpMetadata(text.title));
        writer.setResolution(300);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(20, 18, 20, 18),
                                         QPageLayout::Millimeter));

        QTextDocument doc;
        QFont font(QStringLiteral("Liberation Sans"));
        font.setPointSizeF(10.5);
        doc.setDefaultFont(font);
        doc.setDefaultStyleSheet(QString::fromUtf8(kStyle));
        doc.setHtml(QString::fromUtf8(text.html));

        QPainter painter(&writer);
        const QRect page = writer.pageLayout().paintRectPixels(writer.resolution());
        const QRectF body(0, 0, page.width(), page.height());
        // Lay the text out at the writer's resolution, so point sizes come out as points on paper.
        doc.documentLayout()->setPaintDevice(&writer);
        doc.setPageSize(body.size());

        // A thin band in the program's colours at the top of each page.
        const int pages = doc.pageCount();
        for (int i = 0; i < pages; ++i) {
            if (i > 0)
                writer.newPage();
            painter.save();
            painter.translate(0, -i * body.height());
            QAbstractTextDocumentLayout::PaintContext ctx;
            ctx.clip = QRectF(0, i * body.height(), body.width(), body.height());
            doc.documentLayout()->draw(&painter, ctx);
            painter.restore();
            painter.fillRect(QRectF(0, -40, body.width(), 14), QColor(0x1d, 0x4d, 0x33));
            painter.fillRect(QRectF(0, -26, body.width(), 6), QColor(0xc8, 0x10, 0x2e));
        }
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(pinned(buffer.data())) < 0 || !file.commit())
        return Outcome::failure({}, QStringLiteral("cannot write %1").arg(path),
                                Outcome::Failure::NotWritten);
    return {};
}

} // namespace appdata
