#pragma once

#include <QByteArray>
#include <QSize>
#include <optional>

namespace vellora {

// What a HEIF file's boxes say about the work of decoding its primary picture, which libheif only finds out
// by decoding: a grid or overlay is put together from coded pictures that the file may list thousands of
// times (each entry pointing at the same few bytes), and each is decoded on its own.
struct HeifLayout
{
    qint64 items = 0;         // the most that any of the item lists names, whatever the items are
    QSize size;               // the primary picture's, as its 'ispe' box gives it; empty when none does
    qint64 codedPictures = 0; // decoded for the primary picture and its alpha, each use counted
    QSize largestCoded;       // the largest size a coded one among them gives
    int chroma = 3;           // the widest chroma among them: 0 none, 1 4:2:0, 2 4:2:2, 3 4:4:4 or not known
    QSize composedSize;       // what a grid or overlay says it fills; empty for a single coded picture
};

// Read within fixed bounds (box nesting, items, references, derivation depth); nothing when the boxes break
// them or cannot be read.
std::optional<HeifLayout> heifLayout(const QByteArray &bytes);

} // namespace vellora
