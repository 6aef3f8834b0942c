#pragma once

#include <QImage>
#include <QString>
#include <QTemporaryDir>

#include <memory>

namespace vellora::test {

// A scratch application folder: a copy of the generated data folders, or an empty folder.
std::unique_ptr<QTemporaryDir> copyOfAppData();
std::unique_ptr<QTemporaryDir> emptyAppFolder();

// The first pixel where two pictures differ, as text for a failure message; empty when they are equal.
QString firstDifference(const QImage &a, const QImage &b);

// Pixels that differ between two pictures of the same size, as the smallest rectangle holding them all.
QRect changedArea(const QImage &before, const QImage &after);

} // namespace vellora::test

namespace vellora::test {
// Qt reads GIF but cannot write it: a plain encoder (grey palette, literal LZW codes) for test files.
QByteArray gifBytes(const QImage &image);
} // namespace vellora::test
