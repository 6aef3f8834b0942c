#pragma once

#include <QStringView>

#include <optional>

namespace vellora::print {

// The value of a margin text: its leading decimal number with optional sign and fraction, leading blanks
// skipped; a text that does not start with a number is 0. "25abc" is 25, "abc" is 0, " -2.5x" is -2.5.
double leadingNumber(QStringView text);

// Beyond this a margin no longer names a place on a page, and the page rectangle would not fit an int.
inline constexpr double kMaxMarginTwips = 1.0e9;

// The margin a text gives, at 15 twips to a unit and rounded to whole twips; nothing when the value is too
// large to be a position on the page.
std::optional<int> marginTwips(QStringView text);

} // namespace vellora::print
