#include "shell/datumtekst.h"

#include <array>

namespace vellora {

namespace {

// Sunday first, as the weekday is counted from Sunday = 1.
constexpr std::array<const char *, 7> kDagen = {"Zondag", "Maandag", "Dinsdag", "Woensdag",
                                               "Donderdag", "Vrijdag", "Zaterdag"};
constexpr std::array<const char *, 12> kMaanden = {"Januari", "Februari", "Maart", "April", "Mei", "Juni",
                                                  "Juli", "Augustus", "September", "Oktober", "November",
                                                  "December"};

} // namespace

QString DatumTekst(QDate date)
{
    if (!date.isValid())
        return {};
    // QDate counts Monday = 1 .. Sunday = 7; the modulo puts Sunday at the front of the table.
    const char *dag = kDagen[static_cast<std::size_t>(date.dayOfWeek() % 7)];
    const char *maand = kMaanden[static_cast<std::size_t>(date.month() - 1)];
    return QStringLiteral("%1 %2 %3 %4")
        .arg(QLatin1String(dag))
        .arg(date.day())
        .arg(QLatin1String(maand))
        .arg(date.year(), 4, 10, QLatin1Char('0'));
}

QString klokTekst(QTime time)
{
    return QStringLiteral("%1:%2:%3")
        .arg(time.hour())
        .arg(time.minute(), 2, 10, QLatin1Char('0'))
        .arg(time.second(), 2, 10, QLatin1Char('0'));
}

} // namespace vellora
