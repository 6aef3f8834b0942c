#include "print/presscolour.h"

#include "surface/regularfile.h"

#include <QCoreApplication>
#include <QFile>
#include <algorithm>
#include <lcms2.h>

namespace vellora::print {

namespace {

constexpr qint64 kMaxProfileBytes = 16 * 1024 * 1024;

QString profileDescription(cmsHPROFILE profile)
{
    char text[256] = {};
    cmsGetProfileInfoASCII(profile, cmsInfoDescription, "en", "US", text, sizeof text);
    return QString::fromLatin1(text).trimmed();
}

} // namespace

void limitInk(std::uint8_t *cmyk, int limit)
{
    int c = cmyk[0], m = cmyk[1], y = cmyk[2], k = cmyk[3];
    const int over = c + m + y + k - limit;
    if (over <= 0)
        return;
    // Each step of grey taken from the three colours into black lowers the sum by two.
    const int grey = std::min({(over + 1) / 2, c, m, y, 255 - k});
    c -= grey, m -= grey, y -= grey, k += grey;
    const int colours = c + m + y, room = std::max(0, limit - k);
    if (colours > room) {
        // Rounded down, so the sum lands at or under the limit.
        c = c * room / colours, m = m * room / colours, y = y * room / colours;
    }
    cmyk[0] = std::uint8_t(c), cmyk[1] = std::uint8_t(m), cmyk[2] = std::uint8_t(y), cmyk[3] = std::uint8_t(k);
}

Result<PressProfile> PressProfile::load()
{
    RegularFile file(QString::fromLatin1(kPressProfileFile), kMaxProfileBytes);
    const QString missing =
        QCoreApplication::translate("Print", "Het kleurprofiel voor de drukpers ontbreekt: %1")
            .arg(QLatin1String(kPressProfileFile));
    if (!file.isOpen())
        return Outcome::failure(missing, file.error());
    PressProfile press;
    press.m_icc = file.readAll();
    cmsHPROFILE cmyk = cmsOpenProfileFromMem(press.m_icc.constData(), cmsUInt32Number(press.m_icc.size()));
    if (!cmyk || cmsGetColorSpace(cmyk) != cmsSigCmykData) {
        if (cmyk)
            cmsCloseProfile(cmyk);
        return Outcome::failure(missing, QStringLiteral("no CMYK profile"));
    }
    press.m_description = profileDescription(cmyk);
    cmsHPROFILE srgb = cmsCreate_sRGBProfile();
    // Qt's RGB32 lies in memory as blue, green, red and an unused byte on a little-endian machine.
    cmsHTRANSFORM transform =
        cmsCreateTransform(srgb, Q_BYTE_ORDER == Q_LITTLE_ENDIAN ? TYPE_BGRA_8 : TYPE_ARGB_8, cmyk, TYPE_CMYK_8,
                           INTENT_RELATIVE_COLORIMETRIC, cmsFLAGS_BLACKPOINTCOMPENSATION);
    cmsCloseProfile(srgb);
    cmsCloseProfile(cmyk);
    if (!transform)
        return Outcome::failure(missing, QStringLiteral("no transform from sRGB"));
    press.m_transform.reset(transform, [](void *t) { cmsDeleteTransform(static_cast<cmsHTRANSFORM>(t)); });
    return press;
}

QByteArray PressProfile::toCmyk(const QImage &picture, int inkPercent) const
{
    const QImage rgb = picture.convertToFormat(QImage::Format_RGB32);
    const int limit = inkPercent * 255 / 100;
    QByteArray out(qsizetype(rgb.width()) * rgb.height() * 4, Qt::Uninitialized);
    auto *to = reinterpret_cast<std::uint8_t *>(out.data());
    for (int y = 0; y < rgb.height(); ++y, to += 4 * rgb.width()) {
        cmsDoTransform(static_cast<cmsHTRANSFORM>(m_transform.get()), rgb.constScanLine(y), to,
                       cmsUInt32Number(rgb.width()));
        for (int x = 0; x < rgb.width(); ++x)
            limitInk(to + 4 * x, limit);
    }
    return out;
}

} // namespace vellora::print
