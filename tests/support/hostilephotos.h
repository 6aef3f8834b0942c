#pragma once

#include <QByteArray>
#include <QRgb>

namespace vellora::test {

// Small photo files that cost far more than their size, written by hand at test time.

// An animated WebP of about 90 bytes: one transparent pixel as its frame, laid on a canvas of width x height.
QByteArray canvasWebp(int width, int height);
// A PNG of width x height RGBA pixels, all transparent black: 10000 x 10000 compress to about 405 KB.
QByteArray transparentPng(int width, int height);
// A HEIC grid of columns x rows tiles, every one of them the same 64 x 64 coded picture of one colour, stored
// once: 141 x 141 tiles take about 840 KB. Empty when libheif has no HEVC encoder here.
QByteArray tiledHeic(int columns, int rows, QRgb colour);
// The file `b` of format f (BMP, GIF, JPEG or HEIC) with its header claiming w x h; the rest left as it was.
QByteArray claiming(QByteArray b, const QByteArray &f, int w, int h);

} // namespace vellora::test
