#include "surface/heifboxes.h"

#include <QHash>
#include <QList>

#include <algorithm>
#include <climits>
#include <vector>

namespace vellora {

namespace {

// Far beyond any camera's file, small enough that a hostile one is read in a blink.
constexpr qsizetype kMaxBoxes = 1 << 20;      // in any one container
constexpr qsizetype kMaxEntries = 1 << 20;    // items, locations, associations, references
constexpr int kMaxDepth = 4;                  // pictures derived from derived pictures
constexpr qint64 kCountCap = qint64(1) << 40; // counting stops here: beyond every budget anyway

constexpr quint32 fourcc(const char (&s)[5])
{
    return quint32(quint8(s[0])) << 24 | quint32(quint8(s[1])) << 16 | quint32(quint8(s[2])) << 8 |
           quint8(s[3]);
}

// Big-endian fields one after another within [at, end); a read past the end sets ok to false and gives 0.
struct Fields
{
    const QByteArray &b;
    qsizetype at, end;
    bool ok = true;

    quint64 take(int n)
    {
        if (!ok || n < 0 || n > 8 || end - at < n) {
            ok = false;
            return 0;
        }
        quint64 v = 0;
        for (int i = 0; i < n; ++i)
            v = v << 8 | quint8(b[at + i]);
        at += n;
        return v;
    }
    // A full box's version; its flags go to *flags.
    int version(quint32 *flags = nullptr)
    {
        const int v = int(take(1));
        const quint32 f = quint32(take(3));
        if (flags)
            *flags = f;
        return v;
    }
};

struct Box
{
    quint32 type;
    qsizetype body, end;
};

// The boxes lying one after another in [from, end); nothing when one runs past the end.
std::optional<std::vector<Box>> boxesIn(const QByteArray &b, qsizetype from, qsizetype end)
{
    std::vector<Box> boxes;
    Fields f{b, from, end};
    while (f.ok && f.at < end) {
        const qsizetype start = f.at;
        quint64 size = f.take(4);
        const quint32 type = quint32(f.take(4));
        if (size == 1)
            size = f.take(8);
        else if (size == 0)
            size = quint64(end - start);
        const qsizetype header = f.at - start;
        if (!f.ok || size < quint64(header) || size > quint64(end - start) ||
            qsizetype(boxes.size()) >= kMaxBoxes)
            return std::nullopt;
        boxes.push_back({type, f.at, start + qsizetype(size)});
        f.at = start + qsizetype(size);
    }
    return boxes;
}

struct Extent
{
    quint64 offset, length;
};
struct Location
{
    int method = 0; // 0 in the file, 1 in the idat box
    std::vector<Extent> extents;
};

struct Items
{
    quint32 primary = 0;
    QHash<quint32, quint32> types;
    QHash<quint32, QList<quint32>> derivedFrom; // 'dimg': a derived picture's inputs, in order
    QHash<quint32, QList<quint32>> auxiliaryOf; // 'auxl': an alpha or depth picture's main pictures
    QHash<quint32, QSize> sizes;                // from 'ispe'
    QHash<quint32, int> chromas;                // from 'hvcC'
    QHash<quint32, Location> locations;
    qsizetype idatBody = -1, idatEnd = -1;
    qsizetype entries = 0;
    qint64 listed = 0; // the longest list of items

    void list(qint64 n) { listed = qMax(listed, n); }

    bool count(qsizetype n = 1) { return (entries += n) <= kMaxEntries; }
};

bool readInfos(const QByteArray &b, const Box &iinf, Items &items)
{
    Fields f{b, iinf.body, iinf.end};
    const int v = f.version();
    f.take(v == 0 ? 2 : 4); // the entry count: the boxes that follow are what counts
    const auto entries = boxesIn(b, f.at, iinf.end);
    if (!f.ok || !entries)
        return false;
    for (const Box &infe : *entries) {
        if (infe.type != fourcc("infe"))
            continue;
        Fields e{b, infe.body, infe.end};
        const int version = e.version();
        if (version < 2) // no item type: not a picture
            continue;
        const quint32 id = quint32(e.take(version == 2 ? 2 : 4));
        e.take(2); // protection index
        const quint32 type = quint32(e.take(4));
        if (!e.ok || !items.count())
            return false;
        items.types.insert(id, type);
    }
    items.list(items.types.size());
    return true;
}

bool readReferences(const QByteArray &b, const Box &iref, Items &items)
{
    Fields f{b, iref.body, iref.end};
    const int idBytes = f.version() == 0 ? 2 : 4;
    const auto references = boxesIn(b, f.at, iref.end);
    if (!f.ok || !references)
        return false;
    for (const Box &reference : *references) {
        Fields r{b, reference.body, reference.end};
        while (r.ok && r.at < reference.end) {
            const quint32 from = quint32(r.take(idBytes));
            const int count = int(r.take(2));
            if (!items.count(count + 1))
                return false;
            for (int i = 0; i < count && r.ok; ++i) {
                const quint32 to = quint32(r.take(idBytes));
                if (reference.type == fourcc("dimg"))
                    items.derivedFrom[from].append(to);
                else if (reference.type == fourcc("auxl"))
                    items.auxiliaryOf[from].append(to);
            }
        }
        if (!r.ok)
            return false;
    }
    return true;
}

bool readProperties(const QByteArray &b, const Box &iprp, Items &items)
{
    const auto children = boxesIn(b, iprp.body, iprp.end);
    if (!children)
        return false;
    struct Property
    {
        QSize size;      // of an 'ispe'
        int chroma = -1; // of an 'hvcC'
    };
    std::vector<Property> properties; // by index from 1
    for (const Box &child : *children) {
        if (child.type != fourcc("ipco"))
            continue;
        const auto container = boxesIn(b, child.body, child.end);
        if (!container)
            return false;
        for (const Box &property : *container) {
            Fields p{b, property.body, property.end};
            Property found;
            if (property.type == fourcc("ispe")) {
                p.version();
                const quint64 w = p.take(4), h = p.take(4);
                found.size = QSize(int(qMin<quint64>(w, INT_MAX)), int(qMin<quint64>(h, INT_MAX)));
            } else if (property.type == fourcc("hvcC")) {
                p.at += 16; // to chroma_format_idc, after the profile, level and parallelism fields
                found.chroma = int(p.take(1) & 3);
            }
            properties.push_back(p.ok ? found : Property());
        }
    }
    for (const Box &child : *children) {
        if (child.type != fourcc("ipma"))
            continue;
        Fields f{b, child.body, child.end};
        quint32 flags = 0;
        const int version = f.version(&flags);
        const quint64 entries = f.take(4);
        if (!items.count(qsizetype(qMin<quint64>(entries, kMaxEntries + 1))))
            return false;
        items.list(qint64(entries));
        for (quint64 i = 0; i < entries && f.ok; ++i) {
            const quint32 id = quint32(f.take(version < 1 ? 2 : 4));
            const int associations = int(f.take(1));
            for (int a = 0; a < associations && f.ok; ++a) {
                const quint64 index = f.take(flags & 1 ? 2 : 1) & (flags & 1 ? 0x7fff : 0x7f);
                if (index < 1 || index > properties.size())
                    continue;
                if (const Property &property = properties[index - 1]; !property.size.isEmpty())
                    items.sizes.insert(id, property.size);
                else if (property.chroma >= 0)
                    items.chromas.insert(id, property.chroma);
            }
        }
        if (!f.ok)
            return false;
    }
    return true;
}

bool readLocations(const QByteArray &b, const Box &iloc, Items &items)
{
    Fields f{b, iloc.body, iloc.end};
    const int version = f.version();
    const int sizes = int(f.take(1)), more = int(f.take(1));
    const int offsetSize = sizes >> 4, lengthSize = sizes & 15, baseSize = more >> 4;
    const int indexSize = version == 1 || version == 2 ? more & 15 : 0;
    const quint64 count = f.take(version < 2 ? 2 : 4);
    if (!items.count(qsizetype(qMin<quint64>(count, kMaxEntries + 1))))
        return false;
    items.list(qint64(count));
    for (quint64 i = 0; i < count && f.ok; ++i) {
        const quint32 id = quint32(f.take(version < 2 ? 2 : 4));
        Location location;
        if (version == 1 || version == 2)
            location.method = int(f.take(2) & 15);
        f.take(2); // data reference
        const quint64 base = f.take(baseSize);
        const int extents = int(f.take(2));
        if (!items.count(extents))
            return false;
        for (int e = 0; e < extents && f.ok; ++e) {
            f.take(indexSize);
            const quint64 offset = f.take(offsetSize);
            location.extents.push_back({base + offset, f.take(lengthSize)});
        }
        items.locations.insert(id, std::move(location));
    }
    return f.ok;
}

bool readMeta(const QByteArray &b, const Box &meta, Items &items)
{
    Fields f{b, meta.body, meta.end};
    f.version();
    const auto children = boxesIn(b, f.at, meta.end);
    if (!f.ok || !children)
        return false;
    bool primary = false;
    for (const Box &child : *children) {
        bool ok = true;
        if (child.type == fourcc("pitm")) {
            Fields p{b, child.body, child.end};
            items.primary = quint32(p.take(p.version() == 0 ? 2 : 4));
            ok = primary = p.ok;
        } else if (child.type == fourcc("iinf")) {
            ok = readInfos(b, child, items);
        } else if (child.type == fourcc("iref")) {
            ok = readReferences(b, child, items);
        } else if (child.type == fourcc("iprp")) {
            ok = readProperties(b, child, items);
        } else if (child.type == fourcc("iloc")) {
            ok = readLocations(b, child, items);
        } else if (child.type == fourcc("idat")) {
            items.idatBody = child.body;
            items.idatEnd = child.end;
        }
        if (!ok)
            return false;
    }
    return primary;
}

// The first bytes of an item's data, wherever its extents put them.
QByteArray itemHead(const QByteArray &b, const Items &items, quint32 id, qsizetype length)
{
    QByteArray head;
    const auto location = items.locations.constFind(id);
    if (location == items.locations.constEnd())
        return head;
    const qint64 from = location->method == 1 ? items.idatBody : 0;
    const qint64 end = location->method == 1 ? items.idatEnd : b.size();
    if (location->method > 1 || from < 0)
        return head;
    for (const Extent &extent : location->extents) {
        if (extent.offset > quint64(end - from))
            break;
        const qint64 start = from + qint64(extent.offset);
        // A length of 0 runs to the end of what holds the data.
        const qint64 available =
            extent.length == 0
                ? end - start
                : qMin<qint64>(end - start, qint64(qMin<quint64>(extent.length, quint64(end))));
        head += b.mid(start, qMin<qint64>(available, length - head.size()));
        if (head.size() >= length)
            break;
    }
    return head;
}

// The size a grid ('grid') or overlay ('iovl') says it fills, from the start of its data.
QSize composedSize(const QByteArray &head, quint32 type)
{
    const qsizetype at =
        type == fourcc("grid") ? 4 : 10; // after the tile rows and columns, or the fill values
    if (head.size() < 2)
        return {};
    const int fieldBytes = quint8(head[1]) & 1 ? 4 : 2;
    Fields f{head, at, head.size()};
    const quint64 w = f.take(fieldBytes), h = f.take(fieldBytes);
    return f.ok ? QSize(int(qMin<quint64>(w, INT_MAX)), int(qMin<quint64>(h, INT_MAX))) : QSize();
}

// Walks what a picture is derived from; each use of a coded picture counts, since each is decoded again.
struct Counter
{
    const Items &items;
    HeifLayout &layout;
    QHash<quint32, qint64> counted;

    std::optional<qint64> picturesOf(quint32 id, int depth)
    {
        if (depth > kMaxDepth)
            return std::nullopt;
        if (const auto known = counted.constFind(id); known != counted.constEnd())
            return *known;
        const QList<quint32> inputs = items.derivedFrom.value(id);
        qint64 total = 0;
        if (inputs.isEmpty()) {
            const QSize size = items.sizes.value(id);
            if (qint64(size.width()) * size.height() >
                qint64(layout.largestCoded.width()) * layout.largestCoded.height())
                layout.largestCoded = size;
            layout.chroma = qMax(layout.chroma, items.chromas.value(id, 3));
            total = 1;
        }
        for (quint32 input : inputs) {
            const auto pictures = picturesOf(input, depth + 1);
            if (!pictures)
                return std::nullopt;
            total = qMin(kCountCap, total + *pictures);
        }
        counted.insert(id, total);
        return total;
    }
};

} // namespace

std::optional<HeifLayout> heifLayout(const QByteArray &b)
{
    const auto top = boxesIn(b, 0, b.size());
    if (!top || top->empty() || top->front().type != fourcc("ftyp"))
        return std::nullopt;
    Items items;
    const auto meta =
        std::find_if(top->begin(), top->end(), [](const Box &box) { return box.type == fourcc("meta"); });
    if (meta == top->end() || !readMeta(b, *meta, items))
        return std::nullopt;

    HeifLayout layout;
    layout.chroma = 0; // widened by each coded picture
    Counter counter{items, layout, {}};
    auto pictures = counter.picturesOf(items.primary, 0);
    for (auto aux = items.auxiliaryOf.constBegin(); pictures && aux != items.auxiliaryOf.constEnd(); ++aux) {
        if (!aux->contains(items.primary))
            continue;
        const auto more = counter.picturesOf(aux.key(), 0);
        pictures = more ? std::optional(qMin(kCountCap, *pictures + *more)) : std::nullopt;
    }
    if (!pictures)
        return std::nullopt;
    layout.codedPictures = *pictures;
    layout.items = items.listed;
    layout.size = items.sizes.value(items.primary);
    const quint32 type = items.types.value(items.primary);
    if (type == fourcc("grid") || type == fourcc("iovl"))
        layout.composedSize = composedSize(itemHead(b, items, items.primary, 18), type);
    return layout;
}

} // namespace vellora
