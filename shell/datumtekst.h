#pragma once

#include <QDate>
#include <QString>
#include <QTime>

namespace vellora {

// "Zondag 6 December 2026". The names come from fixed Dutch tables, not from the locale, so the line reads
// the same on every machine.
QString DatumTekst(QDate date);

// "9:05:03": hours without a leading zero, minutes and seconds with two digits.
QString klokTekst(QTime time);

} // namespace vellora
