#pragma once

#include "sheet/cardpaste.h"
#include "sheet/cardsheet.h"

#include <QImage>
#include <QSet>

#include <functional>
#include <memory>
#include <mutex>
#include <stop_token>
#include <variant>
#include <vector>

namespace vellora {

namespace master {
inline constexpr int kScale = 3;
inline constexpr int kWidthPixels = sheet::kWidthPixels * kScale;   // 11970
inline constexpr int kHeightPixels = sheet::kHeightPixels * kScale; // 4800
inline constexpr int kCardWidthPixels = sheet::kCellWidth * kScale / 15;
inline constexpr int kCardHeightPixels = sheet::kCellHeight * kScale / 15;
} // namespace master

// The print master: the deck drawn at three times the sheet's pixels, for paper. It is not kept as a picture
// (230 MB, and a packed copy in every whole-sheet undo step) but as what the sheet was made of: where it
// started and the changes since, each with its pictures at the master's size. render() draws it again.
// Records are values that share their pictures, so a copy for every undo step costs next to nothing.
class PrintRecord
{
public:
    // A placement run with the symbol set at the master's size (150 x 600 for the usual set).
    struct Compose
    {
        QImage symbols;
        CardStyle style = CardStyle::Mirrored;
    };
    using Operation = std::variant<Compose, CardPaste>;

    PrintRecord() = default;
    // Blank cards: one card at the master's size repeated over all 56 cells, in the sheet's pixel format.
    static PrintRecord fromCard(const QImage &card, QImage::Format format);
    // A sheet known only at its own size, as a project without its companion: enlarged smoothly.
    static PrintRecord fromSheet(const QImage &sheet);
    // Blank cards whose drawing is looked for only when something first needs it, on whichever thread that
    // is: fromCard() with what `card` gives, or fromSheet() of `sheet` when that is no card of the master's
    // size. Finding the drawing means reading and checking files, which start-up should not wait for.
    static PrintRecord fromCardWhenNeeded(std::function<QImage()> card, const QImage &sheet);

    bool isEmpty() const { return !m_start; }
    // These three decide a record made by fromCardWhenNeeded(), waiting for it if another thread is at it.
    bool startsFromCard() const { return m_start->get().fromCard; }
    const QImage &start() const { return m_start->get().picture; }
    QImage::Format format() const { return m_start->get().format; }
    const std::vector<Operation> &operations() const { return m_operations; }
    // Whether the master is only the sheet enlarged, at the sheet's resolution: a start from the sheet
    // (fromSheet(), as for a project without its companion) and no change since. Never waits: a start not
    // yet decided is taken for the card's drawing it is looked for as, and an empty record is no master.
    bool isSheetEnlarged() const;

    // The symbols at the master's size, or the set of the sheet enlarged when there is none.
    void compose(const QImage &symbolsMaster, CardStyle style = CardStyle::Mirrored);
    // A paste without a master picture is enlarged from its own picture.
    void paste(CardPaste paste);
    void add(Operation operation);

    // The pictures the record holds, in bytes; a start not yet decided counts the sheet it holds until then,
    // since counting must not wait for the decision.
    qint64 bytes() const;
    // The bytes of its pictures not yet among `counted` (by cache key), which they then join: what records
    // that share pictures hold together, one record at a time.
    qint64 bytesBeyond(QSet<qint64> &counted) const;
    // Steps drawn so far of all there are, after each: the start, each paste and each card of a run.
    using Progress = std::function<void(int done, int total)>;
    // The master, 11970 x 4800 pixels; null for an empty record, or when stopped before the end.
    QImage render(const Progress &progress = {}, std::stop_token stop = {}) const;

private:
    struct Start
    {
        QImage picture;
        bool fromCard = false;
        QImage::Format format = QImage::Format_RGB32;
    };
    static Start cardStart(const QImage &card, QImage::Format format);
    static Start sheetStart(const QImage &sheet);
    // The start, decided once by the first thread that needs it while any others wait. Until then it holds the
    // sheet and the way to the card's drawing; after, only what was decided.
    class StartCell
    {
    public:
        explicit StartCell(Start start) : m_start(std::move(start)), m_decided(true) {}
        StartCell(std::function<QImage()> card, const QImage &sheet) : m_card(std::move(card)), m_sheet(sheet) {}
        const Start &get();
        // What it holds now, without waiting: the start when decided, else the sheet.
        QImage held();
        // Whether it was decided to start from the sheet, without waiting for a decision.
        bool fromSheet();

    private:
        std::mutex m_mutex;
        Start m_start;
        std::function<QImage()> m_card;
        QImage m_sheet;
        bool m_decided = false;
    };

    // Shared by all copies; none for an empty record.
    std::shared_ptr<StartCell> m_start;
    std::vector<Operation> m_operations;
};

} // namespace vellora
