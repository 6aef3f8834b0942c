// The print-shop file read back with qpdf: its page boxes, the order of faces and backs, the resolution
// and colours of its pictures, and for the press its CMYK, ink and output intent. Besides, the bleed as the
// user writes it.
#include "print/shoppdf.h"
#include "print/tests/printfixture.h"

#include <QRegularExpression>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFPageObjectHelper.hh>

using namespace vellora;
using namespace vellora::printtest;

namespace {

QRectF boxOf(QPDFObjectHandle page, const char *key)
{
    const QPDFObjectHandle::Rectangle r = page.getKey(key).getArrayAsRectangle();
    return QRectF(QPointF(r.llx, r.lly), QPointF(r.urx, r.ury));
}

bool near(const QRectF &a, const QRectF &b)
{
    return std::abs(a.left() - b.left()) < 0.01 && std::abs(a.top() - b.top()) < 0.01 &&
           std::abs(a.right() - b.right()) < 0.01 && std::abs(a.bottom() - b.bottom()) < 0.01;
}

// qpdf reads the bytes lazily, from where they lie: they live as long as the reader.
struct ReadBack
{
    QByteArray bytes;
    QPDF pdf;
    std::vector<QPDFPageObjectHelper> pages;
    explicit ReadBack(QByteArray file) : bytes(std::move(file))
    {
        pdf.setSuppressWarnings(true);
        pdf.processMemoryFile("shop.pdf", bytes.constData(), size_t(bytes.size()));
        pages = QPDFPageDocumentHelper(pdf).getAllPages();
    }
};

QPDFObjectHandle imageOf(QPDFPageObjectHelper &page)
{
    return page.getObjectHandle().getKey("/Resources").getKey("/XObject").getKey("/Im0");
}

QByteArray pixelsOf(QPDFObjectHandle image)
{
    const std::shared_ptr<Buffer> data = image.getStreamData(qpdf_dl_generalized);
    return QByteArray(reinterpret_cast<const char *>(data->getBuffer()), qsizetype(data->getSize()));
}

} // namespace

class TestShopPdf : public PrintFixture
{
    Q_OBJECT

private Q_SLOTS:
    void bleedText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("mm"); // -1: refused
        for (const auto &[text, mm] :
             std::initializer_list<std::pair<const char *, double>>{{"3", 3},
                                                                    {" 3 mm", 3},
                                                                    {"2,5", 2.5},
                                                                    {"0", 0},
                                                                    {"10", 10},
                                                                    {"0.125in", 3.175},
                                                                    {"1/8 inch", 3.175},
                                                                    {"1/8in", 3.175},
                                                                    {"0.39 IN", 9.906},
                                                                    {"10.01", -1},
                                                                    {"-1", -1},
                                                                    {"0.5in", -1},
                                                                    {"1/0 in", -1},
                                                                    {"nan", -1},
                                                                    {"1e999", -1},
                                                                    {"drie", -1},
                                                                    {"", -1},
                                                                    {"1/2/3 mm", -1}})
            QTest::newRow(text) << QString::fromUtf8(text) << mm;
    }

    void bleedText()
    {
        QFETCH(const QString, text);
        QFETCH(const double, mm);
        const std::optional<double> read = print::bleedFromText(text);
        QCOMPARE(read.has_value(), mm >= 0);
        if (read)
            QVERIFY(std::abs(*read - mm) < 1e-9);
    }

    // The card's own pixels when the sheet is fine enough, as the master is; 300 dpi at the least (every
    // picture of the file: pages). The sheet's card at 300 dpi is the card images' size, its bleed at 0 mm
    // checked there too.
    void pixels()
    {
        const struct
        {
            int scale;
            print::CardSize size;
            double bleedMm;
            QSize card, side;
        } rows[] = {{3, print::CardSize::Poker, 3.175, {855, 1200}, {941, 1286}},
                    {1, print::CardSize::Size63x88, 3.0, {744, 1039}, {815, 1110}}};
        for (const auto &[scale, size, bleedMm, card, side] : rows) {
            const QSize got = print::shopCardPixels({QImage(), scale}, size);
            QCOMPARE(got, card);
            QCOMPARE(print::shopSidePixels(got, size, bleedMm), side);
        }
    }

    // Every page the card and its bleed, the card its TrimBox, in the chosen order: each back before its
    // face, or the faces and then the backs; without a back, faces only. Faces keep their colours losslessly.
    void pages_data()
    {
        QTest::addColumn<print::CardSize>("size");
        QTest::addColumn<double>("bleedMm");
        QTest::addColumn<print::DeckOrder>("order");
        QTest::addColumn<bool>("withBack");
        QTest::addColumn<QRectF>("media");
        QTest::addColumn<QRectF>("trim");
        QTest::newRow("poker, 1/8 inch, alternating")
            << print::CardSize::Poker << 3.175 << print::DeckOrder::Duplex << true << QRectF(0, 0, 198, 270)
            << QRectF(9, 9, 180, 252);
        QTest::newRow("bridge, 1/8 inch, faces first")
            << print::CardSize::Bridge << 3.175 << print::DeckOrder::FacesFirst << true
            << QRectF(0, 0, 180, 270) << QRectF(9, 9, 162, 252);
        QTest::newRow("63 x 88, no bleed, no back")
            << print::CardSize::Size63x88 << 0.0 << print::DeckOrder::Duplex << false
            << QRectF(0, 0, 63 * 72 / 25.4, 88 * 72 / 25.4) << QRectF(0, 0, 63 * 72 / 25.4, 88 * 72 / 25.4);
    }

    void pages()
    {
        QFETCH(const print::CardSize, size);
        QFETCH(const double, bleedMm);
        QFETCH(const print::DeckOrder, order);
        QFETCH(const bool, withBack);
        QFETCH(const QRectF, media);
        QFETCH(const QRectF, trim);
        const QImage back = withBack ? quadrantBack({60, 80}) : QImage();
        const auto pdf = print::shopPdf({m_coloured, 1}, backOf(back),
                                        {size, bleedMm, order, {}, QStringLiteral("Zomer")});
        QVERIFY2(pdf.ok(), qPrintable(pdf.outcome().reason()));
        QVERIFY(pdf->startsWith("%PDF-1.4"));
        ReadBack read(*pdf);
        QCOMPARE(read.pages.size(), size_t(withBack ? 112 : 56));
        std::optional<QPDFObjGen> backImage;
        for (std::size_t i = 0; i < read.pages.size(); ++i) {
            QPDFObjectHandle page = read.pages[i].getObjectHandle();
            QVERIFY(near(boxOf(page, "/MediaBox"), media));
            QVERIFY(near(boxOf(page, "/BleedBox"), media));
            QVERIFY(near(boxOf(page, "/TrimBox"), trim));
            QVERIFY(!page.hasKey("/Group"));
            const bool isBack = withBack && (order == print::DeckOrder::Duplex ? i % 2 == 0 : i >= 56);
            const int card = order == print::DeckOrder::Duplex && withBack ? int(i / 2) : int(i % 56);
            QPDFObjectHandle image = imageOf(read.pages[i]);
            QCOMPARE(image.getDict().getKey("/ColorSpace").getName(), std::string("/DeviceRGB"));
            const int width = image.getDict().getKey("/Width").getIntValue();
            const int height = image.getDict().getKey("/Height").getIntValue();
            QVERIFY(width / (media.width() / 72) >= 299.5 && height / (media.height() / 72) >= 299.5);
            if (isBack) {
                // One picture behind every card.
                QCOMPARE(backImage.value_or(image.getObjGen()), image.getObjGen());
                backImage = image.getObjGen();
                continue;
            }
            const QByteArray pixels = pixelsOf(image);
            QCOMPARE(pixels.size(), qsizetype(width) * height * 3);
            const auto *centre = reinterpret_cast<const uchar *>(pixels.constData()) +
                                 (qsizetype(height / 2) * width + width / 2) * 3;
            QVERIFY(colourDistance(QColor(centre[0], centre[1], centre[2]), cellColour(card)) < 8);
        }
    }

    // For the press: every picture CMYK, the ink of its darkest pixel within the limit, the profile the
    // output intent, PDF/X-1a:2003 in the Info.
    void press_data()
    {
        QTest::addColumn<int>("ink");
        QTest::newRow("300 %") << 300;
        QTest::newRow("240 %") << 240;
    }

    void press()
    {
        QFETCH(const int, ink);
        QImage sheet = m_coloured.copy();
        QPainter(&sheet).fillRect(QRect(0, 0, 285, 400), Qt::black); // the ace of Harten all black
        const auto pdf =
            print::shopPdf({sheet, 1}, backOf(quadrantBack({60, 80})),
                           {print::CardSize::Poker, 3.175, print::DeckOrder::Duplex, {true, ink}, {}});
        QVERIFY2(pdf.ok(), qPrintable(pdf.outcome().reason()));
        QVERIFY(pdf->startsWith("%PDF-1.3"));
        ReadBack read(*pdf);
        QCOMPARE(read.pages.size(), size_t(112));
        QPDFObjectHandle info = read.pdf.getTrailer().getKey("/Info");
        QCOMPARE(info.getKey("/GTS_PDFXVersion").getUTF8Value(), std::string("PDF/X-1a:2003"));
        QCOMPARE(info.getKey("/Trapped").getName(), std::string("/False"));
        QPDFObjectHandle intents = read.pdf.getRoot().getKey("/OutputIntents");
        QCOMPARE(intents.getArrayNItems(), 1);
        QPDFObjectHandle intent = intents.getArrayItem(0);
        QCOMPARE(intent.getKey("/S").getName(), std::string("/GTS_PDFX"));
        QPDFObjectHandle profile = intent.getKey("/DestOutputProfile");
        QCOMPARE(profile.getDict().getKey("/N").getIntValue(), 4);
        QCOMPARE(pixelsOf(profile), test::readBytes(QString::fromLatin1(print::kPressProfileFile)));
        int darkest = 0;
        for (QPDFPageObjectHelper &page : read.pages) {
            QPDFObjectHandle image = imageOf(page);
            QCOMPARE(image.getDict().getKey("/ColorSpace").getName(), std::string("/DeviceCMYK"));
            QVERIFY(!page.getObjectHandle().hasKey("/Group"));
        }
        const QByteArray ace = pixelsOf(imageOf(read.pages[1]));
        const auto *p = reinterpret_cast<const uchar *>(ace.constData());
        const qsizetype middle = ace.size() / 8 * 4; // a pixel of the middle row, on the ace's black
        for (qsizetype i = 0; i + 3 < ace.size(); i += 4)
            darkest = std::max(darkest, p[i] + p[i + 1] + p[i + 2] + p[i + 3]);
        QVERIFY2(darkest <= ink * 255 / 100, qPrintable(QString::number(darkest)));
        // Black stays rich and dark: the profile gives it 296 %, which 240 % takes into black.
        QVERIFY(p[middle + 3] >= 220 && p[middle] > 100 && p[middle + 1] > 100 && p[middle + 2] > 100);
        QVERIFY2(darkest > std::min(ink * 255 / 100, 754) - 8, qPrintable(QString::number(darkest)));
    }

    // Under-colour removal: within the limit, black never lighter, nothing changed that was within it.
    void inkLimit_data()
    {
        QTest::addColumn<QList<int>>("cmyk");
        QTest::addColumn<int>("limit");
        QTest::newRow("within") << QList<int>{100, 80, 60, 40} << 765;
        QTest::newRow("dark grey") << QList<int>{230, 230, 230, 150} << 765;
        QTest::newRow("all full") << QList<int>{255, 255, 255, 255} << 612;
        QTest::newRow("colour, no grey") << QList<int>{255, 255, 0, 255} << 612;
    }

    void inkLimit()
    {
        QFETCH(const QList<int>, cmyk);
        QFETCH(const int, limit);
        std::uint8_t ink[4] = {std::uint8_t(cmyk[0]), std::uint8_t(cmyk[1]), std::uint8_t(cmyk[2]),
                               std::uint8_t(cmyk[3])};
        print::limitInk(ink, limit);
        const int before = cmyk[0] + cmyk[1] + cmyk[2] + cmyk[3];
        const int after = ink[0] + ink[1] + ink[2] + ink[3];
        QVERIFY(after <= std::max(before, limit) && after <= limit);
        QVERIFY(ink[3] >= cmyk[3]);
        if (before <= limit)
            QCOMPARE(after, before);
        else
            QVERIFY(after >= limit - 3); // as little taken away as the limit asks
        if (cmyk[3] == 255 && before > limit)
            QVERIFY(ink[0] + ink[1] + ink[2] > 0);
    }

    // The window opens on whole cards of the locale's size; the print-shop file takes the bleed, CMYK and cut
    // chosen there, which are kept for the next opening; a bleed that is no measure is refused.
    void shopWindow_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<print::CardSize>("size");
        QTest::addColumn<bool>("cmyk");
        QTest::addColumn<QSizeF>("media"); // the first page, with 1/8 inch of bleed
        QTest::newRow("Dutch, A4") << QLocale(QLocale::Dutch, QLocale::Netherlands)
                                   << print::CardSize::Size63x88 << false
                                   << QSizeF(63 * 72 / 25.4 + 18, 88 * 72 / 25.4 + 18);
        QTest::newRow("American, Letter") << QLocale(QLocale::English, QLocale::UnitedStates)
                                          << print::CardSize::Poker << true << QSizeF(198, 270);
    }

    void shopWindow()
    {
        QFETCH(const QLocale, locale);
        QFETCH(const print::CardSize, size);
        QFETCH(const bool, cmyk);
        QFETCH(const QSizeF, media);
        writeBacks();
        QLocale::setDefault(locale);
        QSettings settings(m_scratch.filePath(QStringLiteral("shop-%1.ini").arg(cmyk)), QSettings::IniFormat);
        test::RecordingPrintQueues queues;
        AnsweringDialogs dialogs;
        dialogs.path = m_scratch.filePath(QStringLiteral("shop-%1.pdf").arg(cmyk));
        {
            HeleDeckForm form(m_coloured, QStringLiteral("Zomer"), m_pacer, m_prompter, *m_folder, queues,
                              dialogs, settings);
            QCOMPARE(form.options().layout, print::DeckLayout::Cards);
            QCOMPARE(form.options().cardSize, size);
            child<QComboBox>(&form, "Afloop")->setCurrentText(QStringLiteral("12 mm"));
            QVERIFY(clickedAndDone(&form, "DrukkerijKnop"));
            QCOMPARE(m_prompter.shown.value(0).text, print::bleedRefused());
            QVERIFY(!QFile::exists(dialogs.path));
            m_prompter.shown.clear();
            child<QComboBox>(&form, "Afloop")->setCurrentIndex(1);
            child<QCheckBox>(&form, "Cmyk")->setChecked(cmyk);
            if (cmyk)
                child<QComboBox>(&form, "Snede")->setCurrentIndex(int(print::FaceCut::Frame));
            QVERIFY(clickedAndDone(&form, "DrukkerijKnop"));
            QVERIFY(m_prompter.shown.isEmpty());
            QCOMPARE(QFileInfo(dialogs.suggested).fileName(), QStringLiteral("Zomer-drukkerij.pdf"));
        }
        ReadBack read(test::readBytes(dialogs.path));
        QCOMPARE(read.pages.size(), size_t(112));
        QVERIFY(near(boxOf(read.pages[0].getObjectHandle(), "/MediaBox"), QRectF(QPointF(0, 0), media)));
        QCOMPARE(imageOf(read.pages[0]).getDict().getKey("/ColorSpace").getName(),
                 std::string(cmyk ? "/DeviceCMYK" : "/DeviceRGB"));
        HeleDeckForm again(m_coloured, {}, m_pacer, m_prompter, *m_folder, queues, dialogs, settings);
        QCOMPARE(child<QComboBox>(&again, "Afloop")->currentText(), QStringLiteral("1/8 inch"));
        QCOMPARE(child<QCheckBox>(&again, "Cmyk")->isChecked(), cmyk);
        QCOMPARE(child<QComboBox>(&again, "Snede")->currentIndex(),
                 int(cmyk ? print::FaceCut::Frame : print::kDefaultCut));
        QLocale::setDefault(QLocale::c());
    }

    // A built-in back leaves for the print shop as its full-bleed drawing cut from the middle, pattern out to
    // the edge of the bleed; a back replaced by hand no longer matches its drawing and is carried outward.
    void fullBleedBacks_data()
    {
        QTest::addColumn<bool>("shop"); // the print-shop PDF's first page, else the card images' rug.png
        QTest::addColumn<print::CardSize>("size");
        QTest::addColumn<double>("bleedMm");
        QTest::addColumn<int>("back");
        QTest::addColumn<bool>("replaced");
        QTest::newRow("images, poker, 10 mm") << false << print::CardSize::Poker << 10.0 << 0 << false;
        QTest::newRow("shop, 57 x 90, 10 mm") << true << print::CardSize::Size57x90 << 10.0 << 7 << false;
        // From the master the faces are finer than 300 dpi; the back's own drawing stays at 300 dpi.
        QTest::newRow("shop from the master, poker, 1/8 inch")
            << true << print::CardSize::Poker << 3.175 << 0 << false;
        QTest::newRow("images, replaced by hand") << false << print::CardSize::Size63x88 << 3.0 << 1 << true;
    }

    void fullBleedBacks()
    {
        QFETCH(const bool, shop);
        QFETCH(const print::CardSize, size);
        QFETCH(const double, bleedMm);
        QFETCH(const int, back);
        QFETCH(const bool, replaced);
        m_dir = test::copyOfAppData();
        m_folder = std::make_unique<AppFolder>(m_dir->path());
        const QString jpeg = m_dir->filePath(QStringLiteral("Backgrounds/Background-%1.jpg").arg(back));
        if (replaced)
            QVERIFY(solid(kQuadrants[0]).scaled(1240, 1754).save(jpeg, "JPEG", 95));
        const print::BackChoice chosen = BackGallery(*m_folder).choice(back, true);
        QCOMPARE(chosen.fullBleed.isNull(), replaced);
        QImage side;
        if (shop) {
            const bool master = QByteArray(QTest::currentDataTag()).contains("master");
            const ScaledPicture sheet =
                master ? ScaledPicture{m_coloured.scaled(11970, 4800), 3} : ScaledPicture{m_coloured, 1};
            const auto pdf = print::shopPdf(sheet, chosen, {size, bleedMm, print::DeckOrder::Duplex, {}, {}});
            QVERIFY2(pdf.ok(), qPrintable(pdf.outcome().reason()));
            ReadBack read(*pdf);
            QPDFObjectHandle image = imageOf(read.pages[0]);
            side = QImage(image.getDict().getKey("/Width").getIntValue(),
                          image.getDict().getKey("/Height").getIntValue(), QImage::Format_RGB888);
            const QByteArray pixels = pixelsOf(image);
            QCOMPARE(pixels.size(), qsizetype(side.width()) * side.height() * 3);
            for (int y = 0; y < side.height(); ++y)
                std::memcpy(side.scanLine(y), pixels.constData() + y * side.width() * 3, side.width() * 3);
            side = rgb(side);
        } else {
            const QString folder = m_scratch.filePath(QStringLiteral("bled-%1").arg(QTest::currentDataTag()));
            QCOMPARE(print::writeCardImages({m_coloured, 1}, chosen, folder, size, bleedMm).text(),
                     QString());
            side = rgb(QImage(QDir(folder).filePath(QStringLiteral("rug.png"))));
        }
        const QSize bled = print::bledDots(size, bleedMm);
        if (replaced) { // the old way: the picture covering the card, its edge carried out
            QVERIFY(colourDistance(side.pixelColor(0, 0), QColor(kQuadrants[0])) < 8);
            return;
        }
        const QImage &drawing = chosen.fullBleed;
        QCOMPARE(side, rgb(drawing.copy(QRect(QPoint((drawing.width() - bled.width()) / 2,
                                                     (drawing.height() - bled.height()) / 2),
                                              bled))));
        // The outermost millimetre: the back's ground and pattern, hardly a white pixel.
        int white = 0, all = 0;
        const int strip = print::dotsFor(1);
        for (int y = 0; y < side.height(); ++y)
            for (int x = 0; x < side.width(); ++x)
                if (std::min({x, y, side.width() - 1 - x, side.height() - 1 - y}) < strip)
                    ++all, white += qGray(side.pixel(x, y)) > 235;
        QVERIFY2(white * 50 < all, qPrintable(QStringLiteral("%1 of %2 white").arg(white).arg(all)));
    }

    // Either cut leaves only plain ground from a millimetre outside the cut to 3 mm inside it, all round:
    // white on the card, felt on the frame. The white card and an index label lie further in.
    void faceCuts_data()
    {
        QTest::addColumn<print::FaceCut>("cut");
        QTest::addColumn<print::CardSize>("size");
        QTest::addColumn<double>("bleedMm");
        QTest::addColumn<bool>("enlarged"); // the cell known only at the sheet's size, enlarged
        QTest::newRow("card, bridge, none")
            << print::FaceCut::Card << print::CardSize::Bridge << 0.0 << false;
        QTest::newRow("card, poker, enlarged")
            << print::FaceCut::Card << print::CardSize::Poker << 3.175 << true;
        QTest::newRow("frame, 63 x 88, 3 mm")
            << print::FaceCut::Frame << print::CardSize::Size63x88 << 3.0 << false;
        QTest::newRow("frame, 57 x 90, 10 mm, enlarged")
            << print::FaceCut::Frame << print::CardSize::Size57x90 << 10.0 << true;
    }

    void faceCuts()
    {
        QFETCH(const print::FaceCut, cut);
        QFETCH(const print::CardSize, size);
        QFETCH(const double, bleedMm);
        QFETCH(const bool, enlarged);
        QImage cell = rgb(QImage(QStringLiteral(VELLORA_APPDATA_DIR "/Data/Kaart@3x.png")));
        QCOMPARE(cell.size(), QSize(855, 1200));
        cell.setDevicePixelRatio(1); // not for a screen three times as fine, as Qt reads "@3x" in the name
        QPainter(&cell).fillRect(QRect(81, 60, 30, 30), Qt::black); // where the index label of an ace goes
        if (enlarged)
            cell = cell.scaled(285, 400, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                       .scaled(855, 1200, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        const QSize card = print::cardDots(size), whole = print::bledDots(size, bleedMm);
        const QImage face = print::shopFace(cell, cut, size, card, whole);
        QCOMPARE(face.size(), whole);
        const QRect trim(QPoint((whole.width() - card.width()) / 2, (whole.height() - card.height()) / 2),
                         card);
        const QColor ground = cut == print::FaceCut::Card ? QColor(Qt::white) : QColor(0x2f, 0x6b, 0x47);
        const int outside = print::dotsFor(print::kMiscutMm), inside = print::dotsFor(print::kSafeMm);
        const QRect outer = trim.adjusted(-outside, -outside, outside, outside).intersected(face.rect());
        const QRect inner = trim.adjusted(inside, inside, -inside, -inside);
        for (int y = outer.top(); y <= outer.bottom(); ++y)
            for (int x = outer.left(); x <= outer.right(); ++x)
                if (!inner.contains(x, y) && colourDistance(face.pixelColor(x, y), ground) > 8)
                    QFAIL(qPrintable(
                        QStringLiteral("%1 at %2,%3").arg(face.pixelColor(x, y).name()).arg(x).arg(y)));
        const int deeper = print::dotsFor(5);
        const QPoint middle = trim.center();
        for (const QPoint at :
             {QPoint(middle.x(), trim.top() + deeper), QPoint(trim.left() + deeper, middle.y()),
              QPoint(middle.x(), trim.bottom() - deeper), QPoint(trim.right() - deeper, middle.y())})
            QCOMPARE(face.pixel(at), qRgb(255, 255, 255));
        int dark = 0;
        for (int y = trim.top(); y < trim.top() + card.height() / 8; ++y)
            for (int x = trim.left(); x < trim.left() + card.width() / 4; ++x)
                dark += qGray(face.pixel(x, y)) < 60;
        QVERIFY2(dark > 100, "the index label is gone");
    }

    void everyCoreMakesTheSameFile_data()
    {
        QTest::addColumn<int>("threads");
        QTest::addColumn<int>("ahead");
        QTest::addColumn<bool>("cmyk");
        QTest::addColumn<print::DeckOrder>("order");
        QTest::newRow("three threads, one ahead, CMYK") << 3 << 1 << true << print::DeckOrder::Duplex;
        QTest::newRow("two threads, faces first") << 2 << 0 << false << print::DeckOrder::FacesFirst;
    }

    // The pages' pictures made on several threads give the file one thread makes, but for the moment it was
    // made; each page is counted once and in order, and the writing last.
    void everyCoreMakesTheSameFile()
    {
        QFETCH(const int, threads);
        QFETCH(const int, ahead);
        QFETCH(const bool, cmyk);
        QFETCH(const print::DeckOrder, order);
        const print::ShopRequest request{
            print::CardSize::Poker, 3.175, order, {cmyk}, QStringLiteral("Zomer")};
        const print::BackChoice back = backOf(quadrantBack({60, 80}));
        const auto one = print::shopPdf({m_coloured, 1}, back, request, {}, {}, {1});
        std::vector<int> counted;
        const auto many = print::shopPdf({m_coloured, 1}, back, request,
                                         [&](int done, int total) { counted.push_back(done * 1000 + total); },
                                         {}, {threads, ahead});
        QVERIFY2(one.ok() && many.ok(), qPrintable(many.outcome().reason()));
        // The dates, and the file's /ID that qpdf makes of them.
        const auto dateless = [](const QByteArray &pdf) {
            static const QRegularExpression made(
                QStringLiteral("D:\\d{14}Z|/ID \\[<[0-9a-f]*><[0-9a-f]*>\\]"));
            return QString::fromLatin1(pdf).replace(made, {});
        };
        QCOMPARE(dateless(*many), dateless(*one));
        std::vector<int> expected;
        for (int done = 1; done <= 113; ++done)
            expected.push_back(done * 1000 + 113);
        QCOMPARE(counted, expected);
    }

    // Called off between two pages: nothing made.
    void calledOff()
    {
        std::stop_source stop;
        int pages = 0;
        const auto pdf = print::shopPdf(
            {m_coloured, 1}, {}, {},
            [&](int done, int) {
                pages = done;
                if (done == 3)
                    stop.request_stop();
            },
            stop.get_token());
        QVERIFY(!pdf.ok());
        QCOMPARE(pages, 3);
    }
};

QTEST_MAIN(TestShopPdf)
#include "tst_shoppdf.moc"
