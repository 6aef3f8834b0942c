#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QPoint>
#include <QSize>

#include <vector>

namespace vellora {

// A picture kept small for the history: its pixel bytes compressed, with all it takes to rebuild the very
// same bytes.
class PackedPicture
{
public:
    PackedPicture() = default; // the null picture
    explicit PackedPicture(const QImage &image);

    // A null picture when the bytes cannot be rebuilt (memory refused).
    QImage unpack() const;
    qint64 bytes() const { return m_data.size(); }

private:
    QSize m_size;
    QImage::Format m_format = QImage::Format_Invalid;
    QList<QRgb> m_colours;
    int m_dotsPerMeterX = 0;
    int m_dotsPerMeterY = 0;
    bool m_raw = false; // kept uncompressed
    QByteArray m_data;
};

// One change of the card sheet as the history keeps it: enough to take it back and to do it again, byte for
// byte. A change confined to a few cards (a pasted photo or joker) keeps only the rectangles that differ,
// before and after; a larger one (a placement run, a new or opened sheet) keeps both whole sheets packed.
class SheetStep
{
public:
    // Compares the two pictures card by card.
    static SheetStep between(const QImage &before, const QImage &after);

    bool isEmpty() const { return !m_whole && m_patches.empty(); }
    bool isWholeSheet() const { return m_whole; }

    // Turn the sheet after the change into the sheet before it, and back. False, with the sheet untouched,
    // when the sheet is not the picture the step was made on.
    bool undo(QImage &sheet) const;
    bool redo(QImage &sheet) const;

    // The card the change reached first, as (column, row); the ace of Harten for whole-sheet changes.
    QPoint card() const { return m_card; }

    // The memory the step holds.
    qint64 bytes() const;

private:
    struct Patch
    {
        QPoint at; // pixels
        QImage before;
        QImage after;
    };
    bool paste(QImage &sheet, bool before) const;

    bool m_whole = false;
    QPoint m_card;
    std::vector<Patch> m_patches;
    PackedPicture m_before;
    PackedPicture m_after;
};

} // namespace vellora
