#pragma once

#include "sheet/printmaster.h"
#include "surface/outcome.h"

#include <QByteArray>
#include <QString>

namespace vellora {

// The print master's record saved beside a project: "<name>.krm" next to "<name>.krt", which stays the file
// it always was. The companion carries the SHA-256 of the .krt it was written with, so one that another save
// or another program has left behind is never taken for the sheet it lies beside. Everything in it is
// checked before it is used: a companion that is damaged, hostile, too large or not of its sheet is
// ignored, and the project then prints from its sheet enlarged.
namespace companion {

inline constexpr char kExtension[] = ".krm";
inline constexpr qint64 kMaxFileBytes = 256ll * 1024 * 1024;
// The pictures of one record decoded, at most; a record within the file limit could otherwise ask for far
// more memory than any real deck.
inline constexpr qint64 kMaxPictureBytes = 512ll * 1024 * 1024;
inline constexpr int kMaxOperations = 2048;
// What drawing the record may cost, in pixels drawn: a placement run goes over the whole master, a paste
// over its own picture. Pictures of a single pixel keep a record of many runs within the picture budget
// while each run still draws every card, so this bounds the print's time: some 0.06 s a run here, and a
// record that asks for more is ignored, its sheet enlarged instead.
inline constexpr qint64 kMaxDrawnPixels = 32ll * master::kWidthPixels * master::kHeightPixels;

// "<name>.krm" for "<name>.krt", in whatever letter case the .krt has.
QString pathBeside(const QString &projectPath);
QByteArray pathBeside(const QByteArray &nativeProjectPath);

QByteArray encode(const PrintRecord &record, const QByteArray &sheetHash);
// The record in `bytes` when they are a whole companion of the sheet whose SHA-256 (hex) is given; otherwise
// the failure, its reason for tests and the log (the user never hears of it).
Result<PrintRecord> decode(const QByteArray &bytes, const QByteArray &sheetHash);

// Writes the companion of the project file just saved, whose bytes had the SHA-256 (hex) `sheetHash`,
// through QSaveFile. Refused when its name is taken by anything but a regular file.
// The hash is never read back from the disk: another window saving the same project meanwhile would lend
// this record its sheet.
Outcome write(const QString &projectPath, const PrintRecord &record, const QByteArray &sheetHash);
// The record beside the project file (its name as the file system holds it); the reason "no companion" when
// there is none.
Result<PrintRecord> read(const QByteArray &nativeProjectPath);

} // namespace companion

} // namespace vellora
