#include "sheet/printmaster.h"

#include "sheet/placementengine.h"
#include "surface/masterdrawing.h"
#include "surface/surface.h"

#include <cstring>

namespace vellora {

namespace {

bool isMasterCard(const QImage &card)
{
    return card.size() == QSize(master::kCardWidthPixels, master::kCardHeightPixels);
}

} // namespace

PrintRecord::Start PrintRecord::cardStart(const QImage &card, QImage::Format format)
{
    return {card.convertToFormat(format), true, format};
}

PrintRecord::Start PrintRecord::sheetStart(const QImage &sheet)
{
    return {sheet, false, sheet.hasAlphaChannel() ? QImage::Format_ARGB32 : QImage::Format_RGB32};
}

const PrintRecord::Start &PrintRecord::StartCell::get()
{
    const std::lock_guard lock(m_mutex);
    if (!m_decided) {
        const QImage drawing = m_card();
        m_start = isMasterCard(drawing) ? cardStart(drawing, m_sheet.format()) : sheetStart(m_sheet);
        m_card = nullptr;
        m_sheet = QImage();
        m_decided = true;
    }
    return m_start;
}

QImage PrintRecord::StartCell::held()
{
    // Counting waits for no decision: a thread deciding holds the lock for as long as it reads the files.
    std::unique_lock lock(m_mutex, std::try_to_lock);
    if (!lock.owns_lock())
        return {};
    return m_decided ? m_start.picture : m_sheet;
}

bool PrintRecord::StartCell::fromSheet()
{
    std::unique_lock lock(m_mutex, std::try_to_lock);
    return lock.owns_lock() && m_decided && !m_start.fromCard;
}

bool PrintRecord::isSheetEnlarged() const
{
    return m_start && m_operations.empty() && m_start->fromSheet();
}

PrintRecord PrintRecord::fromCard(const QImage &card, QImage::Format format)
{
    PrintRecord record;
    if (isMasterCard(card))
        record.m_start = std::make_shared<StartCell>(cardStart(card, format));
    return record;
}

PrintRecord PrintRecord::fromSheet(const QImage &sheet)
{
    PrintRecord record;
    if (!sheet.isNull())
        record.m_start = std::make_shared<StartCell>(sheetStart(sheet));
    return record;
}

PrintRecord PrintRecord::fromCardWhenNeeded(std::function<QImage()> card, const QImage &sheet)
{
    PrintRecord record;
    if (sheet.isNull())
        return record;
    record.m_start = std::make_shared<StartCell>(std::move(card), sheet);
    return record;
}

void PrintRecord::compose(const QImage &symbolsMaster, CardStyle style)
{
    add(Compose{symbolsMaster, style});
}

void PrintRecord::paste(CardPaste paste)
{
    if (paste.master.isNull())
        paste.master = masterdrawing::enlarged(paste.picture, master::kScale);
    add(std::move(paste));
}

void PrintRecord::add(Operation operation)
{
    // A run repeated with the same symbols gives the same cards, so it need not be drawn twice.
    if (const auto *run = std::get_if<Compose>(&operation); run && !m_operations.empty()) {
        const auto *last = std::get_if<Compose>(&m_operations.back());
        if (last && last->symbols == run->symbols && last->style == run->style)
            return;
    }
    m_operations.push_back(std::move(operation));
}

qint64 PrintRecord::bytes() const
{
    qint64 total = isEmpty() ? 0 : m_start->held().sizeInBytes();
    for (const Operation &operation : m_operations) {
        if (const auto *run = std::get_if<Compose>(&operation))
            total += run->symbols.sizeInBytes();
        else
            total += std::get<CardPaste>(operation).master.sizeInBytes();
    }
    return total;
}

qint64 PrintRecord::bytesBeyond(QSet<qint64> &counted) const
{
    qint64 total = 0;
    const auto count = [&](const QImage &picture) {
        if (!picture.isNull() && !counted.contains(picture.cacheKey())) {
            counted.insert(picture.cacheKey());
            total += picture.sizeInBytes();
        }
    };
    if (!isEmpty())
        count(m_start->held());
    for (const Operation &operation : m_operations) {
        if (const auto *run = std::get_if<Compose>(&operation))
            count(run->symbols);
        else
            count(std::get<CardPaste>(operation).master);
    }
    return total;
}

namespace {

QImage startPicture(const QImage &start, bool fromCard, QImage::Format format)
{
    if (!fromCard) {
        return start.scaled(master::kWidthPixels, master::kHeightPixels, Qt::IgnoreAspectRatio,
                            Qt::SmoothTransformation)
            .convertToFormat(format);
    }
    QImage picture(master::kWidthPixels, master::kHeightPixels, format);
    const qsizetype rowBytes = qsizetype(start.width()) * 4;
    for (int y = 0; y < picture.height(); ++y) {
        const uchar *from = start.constScanLine(y % start.height());
        uchar *to = picture.scanLine(y);
        for (int column = 0; column < sheet::kColumns; ++column)
            std::memcpy(to + column * rowBytes, from, size_t(rowBytes));
    }
    return picture;
}

} // namespace

QImage PrintRecord::render(const Progress &progress, std::stop_token stop) const
{
    if (isEmpty())
        return {};
    // The start picture is a whole-sheet enlargement or copy, a few cards' work.
    constexpr int kStartSteps = 4;
    int total = kStartSteps;
    for (const Operation &operation : m_operations)
        total += std::holds_alternative<Compose>(operation) ? placement::kFinishedCards : 1;
    int done = 0;
    const auto step = [&](int steps) {
        done += steps;
        if (progress)
            progress(done, total);
        return !stop.stop_requested();
    };
    Surface picture;
    picture.scale = master::kScale;
    picture.setPicture(startPicture(start(), startsFromCard(), format()));
    if (!step(kStartSteps))
        return {};
    for (const Operation &operation : m_operations) {
        if (const auto *paste = std::get_if<CardPaste>(&operation)) {
            paste->applyTo(picture);
            if (!step(1))
                return {};
            continue;
        }
        KolomX kolomX;
        const Compose &compose = std::get<Compose>(operation);
        PlacementRun run(picture, compose.symbols, kolomX, compose.style);
        int cards = 0;
        while (run.finishNextCard()) {
            if (cards < placement::kFinishedCards && !step(1))
                return {};
            ++cards;
        }
        // A run may finish in fewer calls than it has cards; the bar still ends where it should.
        if (cards < placement::kFinishedCards && !step(placement::kFinishedCards - cards))
            return {};
    }
    return std::move(picture.image());
}

} // namespace vellora
