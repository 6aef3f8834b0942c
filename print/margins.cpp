#include "print/margins.h"

#include "surface/twips.h"

#include <QString>

#include <cmath>

namespace vellora::print {

double leadingNumber(QStringView text)
{
    qsizetype i = 0;
    while (i < text.size() && (text[i] == u' ' || text[i] == u'\t'))
        ++i;
    const qsizetype start = i;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-'))
        ++i;
    const auto digits = [&] {
        qsizetype n = 0;
        while (i < text.size() && text[i] >= u'0' && text[i] <= u'9') {
            ++i;
            ++n;
        }
        return n;
    };
    qsizetype count = digits();
    if (i < text.size() && text[i] == u'.') {
        ++i;
        count += digits();
    }
    if (count == 0)
        return 0;
    // QString's conversion ignores the user's locale, so "2.5" is two and a half everywhere; a number too long
    // for a double becomes infinite and is refused as a margin further on.
    bool ok = false;
    const double value = text.mid(start, i - start).toString().toDouble(&ok);
    if (ok)
        return value;
    return text[start] == u'-' ? -HUGE_VAL : HUGE_VAL;
}

std::optional<int> marginTwips(QStringView text)
{
    const double twips = leadingNumber(text) * kTwipsPerPixel;
    if (!std::isfinite(twips) || std::fabs(twips) > kMaxMarginTwips)
        return std::nullopt;
    return static_cast<int>(std::lround(twips));
}

} // namespace vellora::print
