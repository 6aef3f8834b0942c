#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

namespace vellora {

class RegularFile;

// The data folder's drawings at the print master's size, three times the pixels of the file they belong to
// ("Hkrs-0@3x.png" beside "Hkrs-0.krt"). Each names its file by a SHA-256 of that file's bytes, so a file
// replaced by hand is noticed and its own pixels are enlarged instead of printing a drawing it no longer
// matches.
namespace masterdrawing {

inline constexpr int kScale = 3;
// The PNG text that names the file: "<file name> <sha256 in hex>".
inline constexpr char kKey[] = "Vellora-1x";
// Far more than the largest drawing needs; anything bigger is not one of them.
inline constexpr qint64 kMaxFileBytes = 16ll * 1024 * 1024;

// "...\Data\Hkrs-0@3x.png" for "...\Data\Hkrs-0.krt".
QString pathBeside(const QString &path);
// The SHA-256 of a regular file of at most maxBytes, in hex; empty when there is no such file.
QByteArray fileHash(const QString &path, qint64 maxBytes = 128ll * 1024 * 1024);
// The same of a file already opened; empty when it is not open or outgrew its limit while being read.
QByteArray fileHash(RegularFile &&file);
// The text a drawing carries for the file of that name and those bytes.
QByteArray tagFor(const QString &fileName, const QByteArray &bytes);

// The drawing at `path` when it is a PNG of exactly `size` that names the present bytes of `belongsTo`; a
// null image otherwise (missing, damaged, too large, another size, another file).
QImage load(const QString &path, const QString &belongsTo, QSize size);

// What a picture known only at its own size becomes in the master: `scale` times larger, smoothly.
QImage enlarged(const QImage &picture, int scale = kScale);

} // namespace masterdrawing

} // namespace vellora
