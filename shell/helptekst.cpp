#include "shell/helptekst.h"

#include <QCoreApplication>

namespace vellora {

QString helpTekst()
{
    // The indented lines continue the numbered points; their five blanks line them up under the text.
    static const char *const kRegels[] = {
        QT_TRANSLATE_NOOP("Help", "Welkom bij Zelf Vellora Maken."),
        QT_TRANSLATE_NOOP("Help", "---------------------------------------------"),
        QT_TRANSLATE_NOOP("Help", "1. Selecteer aan de linkerzijde uw Symbolen"),
        QT_TRANSLATE_NOOP("Help", "2. Druk op de knop 'Ok' om de getallen en"),
        QT_TRANSLATE_NOOP("Help", "     Symbolen te plaatsen op de Vellora."),
        QT_TRANSLATE_NOOP("Help", "3. Plaats vervolgens de afbeeldingen van de"),
        QT_TRANSLATE_NOOP("Help", "     Boer, Vrouw, Koning en Jokers. Dit kunnen"),
        QT_TRANSLATE_NOOP("Help", "     eigen foto's zijn uit uw foto-bestand. De"),
        QT_TRANSLATE_NOOP("Help", "     grootte is gemarkeerd met een rechthoek."),
        QT_TRANSLATE_NOOP("Help", "4. Met de Symbolen aan de rechterzijde kunt"),
        QT_TRANSLATE_NOOP("Help", "     u de rij kiezen die u wilt bekijken."),
        QT_TRANSLATE_NOOP("Help", "5. Met de 14 knoppen aan de onderzijde kan"),
        QT_TRANSLATE_NOOP("Help", "     de kaart worden gekozen om in te zien."),
        QT_TRANSLATE_NOOP("Help", "6. Als alle kaarten zijn ontworpen kunnen"),
        QT_TRANSLATE_NOOP("Help", "     deze worden opgeslagen en afgedrukt."),
        QT_TRANSLATE_NOOP("Help", "7. Nadat u de Vellora hebt geprint kan"),
        QT_TRANSLATE_NOOP("Help", "     de rugzijde worden afgedrukt. Dit kan"),
        QT_TRANSLATE_NOOP("Help", "     ook weer met het Menu-item Afdrukken."),
        QT_TRANSLATE_NOOP("Help", "     Hier wordt het complete vel geprint met"),
        QT_TRANSLATE_NOOP("Help", "     dezelfde gekozen afbeelding."),
        "",
        QT_TRANSLATE_NOOP("Help", "Klik Help om dit scherm weer te verwijderen."),
    };
    QString tekst;
    for (const char *regel : kRegels)
        tekst += (*regel ? QCoreApplication::translate("Help", regel) : QString()) + QLatin1String("\r\n");
    return tekst;
}

} // namespace vellora
