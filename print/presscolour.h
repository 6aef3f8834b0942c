#pragma once

#include "surface/outcome.h"

#include <QByteArray>
#include <QImage>
#include <QString>
#include <cstdint>
#include <memory>

namespace vellora::print {

// The press profile: Ghostscript's default CMYK printer profile, as Debian's libgs-common installs it.
inline constexpr char kPressProfileFile[] = "/usr/share/color/icc/ghostscript/default_cmyk.icc";
inline constexpr int kDefaultInkPercent = 300;

// The print-shop file in the sRGB of the screen, or in CMYK for the press with at most `inkPercent` of ink.
struct PressChoice
{
    bool cmyk = false;
    int inkPercent = kDefaultInkPercent;
};

// One CMYK pixel, each ink 0 to 255 for 0 to 100 %, brought within `limit` (their sum on the same scale) by
// under-colour removal: the grey that cyan, magenta and yellow share moves into black first, then what is
// still over comes off the three colours in their proportions. Black never lightens, so a rich black stays
// as dark and keeps its colours under it.
void limitInk(std::uint8_t *cmyk, int limit);

// sRGB pictures turned into the press profile's CMYK through LittleCMS, relative colorimetric with black
// point compensation; the profile's own bytes go into the file as its output intent.
class PressProfile
{
public:
    // The profile read from kPressProfileFile, or why it cannot be used.
    static Result<PressProfile> load();

    const QByteArray &iccBytes() const { return m_icc; }
    QString description() const { return m_description; }
    // The picture's pixels as CMYK, four bytes each, row after row, with their ink limited.
    QByteArray toCmyk(const QImage &picture, int inkPercent) const;

private:
    QByteArray m_icc;
    QString m_description;
    std::shared_ptr<void> m_transform; // a cmsHTRANSFORM, shared by every copy
};

} // namespace vellora::print
