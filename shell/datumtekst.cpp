#include "shell/datumtekst.h"

#include <QCoreApplication>
#include <array>

namespace vellora {

namespace {

// Sunday first, as the weekday is counted from Sunday = 1.
constexpr std::array<const char *, 7> kDagen = {
    QT_TRANSLATE_NOOP("Date", "Zondag"),    QT_TRANSLATE_NOOP("Date", "Maandag"),
    QT_TRANSLATE_NOOP("Date", "Dinsdag"),   QT_TRANSLATE_NOOP("Date", "Woensdag"),
    QT_TRANSLATE_NOOP("Date", "Donderdag"), QT_TRANSLATE_NOOP("Date", "Vrijdag"),
    QT_TRANSLATE_NOOP("Date", "Zaterdag")};
constexpr std::array<const char *, 12> kMaanden = {
    QT_TRANSLATE_NOOP("Date", "Januari"),   QT_TRANSLATE_NOOP("Date", "Februari"),
    QT_TRANSLATE_NOOP("Date", "Maart"),     QT_TRANSLATE_NOOP("Date", "April"),
    QT_TRANSLATE_NOOP("Date", "Mei"),       QT_TRANSLATE_NOOP("Date", "Juni"),
    QT_TRANSLATE_NOOP("Date", "Juli"),      QT_TRANSLATE_NOOP("Date", "Augustus"),
    QT_TRANSLATE_NOOP("Date", "September"), QT_TRANSLATE_NOOP("Date", "Oktober"),
    QT_TRANSLATE_NOOP("Date", "November"),  QT_TRANSLATE_NOOP("Date", "December")};

} // namespace

QString DatumTekst(QDate date)
{
    if (!date.isValid())
        return {};
    // QDate counts Monday = 1 .. Sunday = 7; the modulo puts Sunday at the front of the table.
    const char *dag = kDagen[static_cast<std::size_t>(date.dayOfWeek() % 7)];
    const char *maand = kMaanden[static_cast<std::size_t>(date.month() - 1)];
    //: The date line: %1 the weekday, %2 the day of the month, %3 the month, %4 the year
    return QCoreApplication::translate("Date", "%1 %2 %3 %4")
        .arg(QCoreApplication::translate("Date", dag))
        .arg(date.day())
        .arg(QCoreApplication::translate("Date", maand))
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
