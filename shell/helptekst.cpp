#include "shell/helptekst.h"

namespace vellora {

QString helpTekst()
{
    // The indented lines continue the numbered points; their five blanks line them up under the text.
    static const char *const kRegels[] = {
        "Welkom bij Zelf Vellora Maken.",
        "---------------------------------------------",
        "1. Selecteer aan de linkerzijde uw Symbolen",
        "2. Druk op de knop 'Ok' om de getallen en",
        "     Symbolen te plaatsen op de Vellora.",
        "3. Plaats vervolgens de afbeeldingen van de",
        "     Boer, Vrouw, Koning en Jokers. Dit kunnen",
        "     eigen foto's zijn uit uw foto-bestand. De",
        "     grootte is gemarkeerd met een rechthoek.",
        "4. Met de Symbolen aan de rechterzijde kunt",
        "     u de rij kiezen die u wilt bekijken.",
        "5. Met de 14 knoppen aan de onderzijde kan",
        "     de kaart worden gekozen om in te zien.",
        "6. Als alle kaarten zijn ontworpen kunnen",
        "     deze worden opgeslagen en afgedrukt.",
        "7. Nadat u de Vellora hebt geprint kan",
        "     de rugzijde worden afgedrukt. Dit kan",
        "     ook weer met het Menu-item Afdrukken.",
        "     Hier wordt het complete vel geprint met",
        "     dezelfde gekozen afbeelding.",
        "",
        "Klik Help om dit scherm weer te verwijderen.",
    };
    QString tekst;
    for (const char *regel : kRegels)
        tekst += QLatin1String(regel) + QLatin1String("\r\n");
    return tekst;
}

} // namespace vellora
