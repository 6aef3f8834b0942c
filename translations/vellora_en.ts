<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
<context>
    <name>CommandLine</name>
    <message>
        <source>%1 heeft een %2 nodig</source>
        <translation>%1 needs a %2</translation>
    </message>
    <message>
        <source>map</source>
        <translation>folder</translation>
    </message>
    <message>
        <source>bestandsnaam</source>
        <translation>file name</translation>
    </message>
    <message>
        <source>onverwacht argument &quot;%1&quot;; zie vellora --help</source>
        <translation>unexpected argument &quot;%1&quot;; see vellora --help</translation>
    </message>
    <message>
        <source>één project tegelijk, niet %1</source>
        <translation>one project at a time, not %1</translation>
    </message>
    <message>
        <source>de naam van het project is leeg</source>
        <translation>the project&apos;s name is empty</translation>
    </message>
    <message>
        <source>--back is een nummer vanaf 0 of een plaatje, niet &quot;%1&quot;</source>
        <translation>--back is a number from 0 or a picture, not &quot;%1&quot;</translation>
    </message>
    <message>
        <source>--%1 is %2, niet &quot;%3&quot;</source>
        <translation>--%1 is %2, not &quot;%3&quot;</translation>
    </message>
    <message>
        <source>duplex, alternate of faces-first</source>
        <translation>duplex, alternate or faces-first</translation>
    </message>
    <message>
        <source>pages of cards</source>
        <translation>pages or cards</translation>
    </message>
    <message>
        <source>poker, bridge, 63x88 of 57x90</source>
        <translation>poker, bridge, 63x88 or 57x90</translation>
    </message>
    <message>
        <source>--card-size geldt alleen voor hele kaarten; kies --layout cards</source>
        <translation>--card-size is for whole cards only; choose --layout cards</translation>
    </message>
    <message>
        <source>a4 of letter</source>
        <translation>a4 or letter</translation>
    </message>
    <message>
        <source> Kies --layout cards.</source>
        <translation> Choose --layout cards.</translation>
    </message>
    <message>
        <source>short of long</source>
        <translation>short or long</translation>
    </message>
    <message>
        <source>X,Y in mm; gebruik een punt in een getal (1.5,-0.5)</source>
        <translation>X,Y in mm; use a point in a number (1.5,-0.5)</translation>
    </message>
    <message>
        <source>X,Y in mm, elk van -5.0 tot 5.0</source>
        <translation>X,Y in mm, each from -5.0 to 5.0</translation>
    </message>
    <message>
        <source>een maat in mm van 0 tot 10</source>
        <translation>a size in mm from 0 to 10</translation>
    </message>
    <message>
        <source>300 of 240</source>
        <translation>300 or 240</translation>
    </message>
    <message>
        <source>een stijl van 0 tot 9</source>
        <translation>a style from 0 to 9</translation>
    </message>
    <message>
        <source>het nummer van een joker, vanaf 1</source>
        <translation>the number of a joker, from 1</translation>
    </message>
    <message>
        <source>%1 heeft een waarde nodig</source>
        <translation>%1 needs a value</translation>
    </message>
    <message>
        <source>onbekende optie %1; zie vellora --help</source>
        <translation>unknown option %1; see vellora --help</translation>
    </message>
    <message>
        <source>%1 schrijft u met twee streepjes: --%2</source>
        <translation>%1 is written with two dashes: --%2</translation>
    </message>
    <message>
        <source>%1 staat er meer dan eens</source>
        <translation>%1 is given more than once</translation>
    </message>
    <message>
        <source>%1 neemt geen waarde</source>
        <translation>%1 takes no value</translation>
    </message>
    <message>
        <source>%1 heeft een waarde nodig: %2</source>
        <translation>%1 needs a value: %2</translation>
    </message>
    <message>
        <source>één opdracht tegelijk, niet ook %1</source>
        <translation>one command at a time, not %1 as well</translation>
    </message>
    <message>
        <source>%1 hoort bij %2</source>
        <translation>%1 belongs with %2</translation>
    </message>
    <message>
        <source> of </source>
        <translation> or </translation>
    </message>
    <message>
        <source>Toont deze uitleg.</source>
        <translation>Shows this help.</translation>
    </message>
    <message>
        <source>Schrijft het hele deck als PDF, zonder venster. Een bestaande PDF wordt vervangen, een ander bestand nooit.</source>
        <translation>Writes the whole deck as a PDF, without a window. An existing PDF is replaced, any other file never.</translation>
    </message>
    <message>
        <source>Schrijft elke kaart en de rugzijde als PNG van 300 dpi met afloop, in een nieuwe of lege map of over eerder geschreven kaarten.</source>
        <translation>Writes each card and the back as a 300 dpi PNG with bleed, into a new or empty folder or over cards written before.</translation>
    </message>
    <message>
        <source>Schrijft de uitlijnpagina voor dubbelzijdig afdrukken als PDF van twee pagina&apos;s.</source>
        <translation>Writes the alignment page for double-sided printing as a PDF of two pages.</translation>
    </message>
    <message>
        <source>Schrijft een PDF voor de drukkerij: elke kant van elke kaart een pagina, met afloop.</source>
        <translation>Writes a PDF for a print shop: each side of each card a page, with bleed.</translation>
    </message>
    <message>
        <source>Het project; een naam zonder map komt uit de map Projecten van het venster. Zonder: het lege blad.</source>
        <translation>The project; a name without a folder comes from the window&apos;s Projecten folder. Without: the blank sheet.</translation>
    </message>
    <message>
        <source>Rugzijde N uit Backgrounds, vanaf 1, 0 voor geen rugzijde, of een eigen plaatje. Zonder: de eerste, zoals in het venster.</source>
        <translation>Back N from Backgrounds, from 1, 0 for no back, or a picture of your own. Without: the first, as in the window.</translation>
    </message>
    <message>
        <source>Elke pagina voorkanten gevolgd door haar rugzijde (standaard), of eerst alle voorkanten.</source>
        <translation>Each page of faces followed by its back (the default), or all faces first.</translation>
    </message>
    <message>
        <source>De pagina&apos;s van &quot;Serie 1&quot; tot &quot;Serie 6&quot; op A4 (standaard), of hele kaarten op ware grootte.</source>
        <translation>The pages of &quot;Series 1&quot; to &quot;Series 6&quot; on A4 (the default), or whole cards at their true size.</translation>
    </message>
    <message>
        <source>De maat van de kaarten in mm; standaard 63x88.</source>
        <translation>The size of the cards in mm; 63x88 by default.</translation>
    </message>
    <message>
        <source>Het papier van de kaarten; standaard dat van de taalinstelling.</source>
        <translation>The paper of the cards; by default that of the language setting.</translation>
    </message>
    <message>
        <source>Het blad keert over de korte zijde (standaard) of over de lange.</source>
        <translation>The sheet turns over the short edge (the default) or the long one.</translation>
    </message>
    <message>
        <source>Schuift de rugzijden X mm naar rechts en Y mm omlaag, elk van -5.0 tot 5.0.</source>
        <translation>Moves the backs X mm to the right and Y mm down, each from -5.0 to 5.0.</translation>
    </message>
    <message>
        <source>Rug over de hele pagina.</source>
        <translation>Back over the whole page.</translation>
    </message>
    <message>
        <source>Afloop rond elke kaart in mm, van 0 tot 10; standaard 3.</source>
        <translation>Bleed around each card in mm, from 0 to 10; 3 by default.</translation>
    </message>
    <message>
        <source>De drukkerij-PDF in CMYK, als PDF/X-1a:2003.</source>
        <translation>The print shop PDF in CMYK, as PDF/X-1a:2003.</translation>
    </message>
    <message>
        <source>Ten hoogste zoveel procent inkt bij --cmyk; standaard 300.</source>
        <translation>At most this much ink, in percent, with --cmyk; 300 by default.</translation>
    </message>
    <message>
        <source>Zonder snijtekens.</source>
        <translation>Without cut marks.</translation>
    </message>
    <message>
        <source>Zonder maatstreep.</source>
        <translation>Without the scale bar.</translation>
    </message>
    <message>
        <source>Maakt een project zoals het venster met Ok, zonder venster; een naam zonder map komt in de map Projecten. Een bestaand bestand wordt nooit vervangen.</source>
        <translation>Makes a project as the window does with Ok, without a window; a name without a folder goes into the Projecten folder. An existing file is never replaced.</translation>
    </message>
    <message>
        <source>De symboolstijl, als de tien keuzes in het venster; standaard 0.</source>
        <translation>The symbol style, as the ten choices in the window; 0 by default.</translation>
    </message>
    <message>
        <source>Klassieke kaarten.</source>
        <translation>Classic cards.</translation>
    </message>
    <message>
        <source>Met de hofkaarten van het programma.</source>
        <translation>With the program&apos;s court cards.</translation>
    </message>
    <message>
        <source>Joker N op alle vier de jokers, vanaf 1.</source>
        <translation>Joker N on all four jokers, from 1.</translation>
    </message>
    <message>
        <source>Gebruik: vellora [--export-pdf UIT.pdf | --export-cards MAP [PROJECT] [OPTIES] | --calibration UIT.pdf [--paper a4|letter] | --compose UIT.krt [OPTIES]]</source>
        <translation>Usage: vellora [--export-pdf OUT.pdf | --export-cards FOLDER [PROJECT] [OPTIONS] | --calibration OUT.pdf [--paper a4|letter] | --compose OUT.krt [OPTIONS]]</translation>
    </message>
    <message>
        <source>Zonder opties opent vellora zijn venster.</source>
        <translation>Without options, vellora opens its window.</translation>
    </message>
    <message>
        <source>Het venster neemt ook de opties van Qt aan, met één streepje, zoals -platform, -style, -session en -display.</source>
        <translation>The window also takes Qt&apos;s options, with one dash, such as -platform, -style, -session and -display.</translation>
    </message>
    <message>
        <source>NAAM</source>
        <translation>NAME</translation>
    </message>
    <message>
        <source>een heel spel van 56 speelkaarten ontwerpen en afdrukken</source>
        <translation>design and print a whole deck of 56 playing cards</translation>
    </message>
    <message>
        <source>OVERZICHT</source>
        <translation>SYNOPSIS</translation>
    </message>
    <message>
        <source>[OPTIES]</source>
        <translation>[OPTIONS]</translation>
    </message>
    <message>
        <source>BESCHRIJVING</source>
        <translation>DESCRIPTION</translation>
    </message>
    <message>
        <source>OPTIES</source>
        <translation>OPTIONS</translation>
    </message>
    <message>
        <source>%1 wordt niet overschreven: %2</source>
        <translation>%1 is not replaced: %2</translation>
    </message>
    <message>
        <source>%1 kan niet worden geschreven: %2</source>
        <translation>%1 cannot be written: %2</translation>
    </message>
    <message>
        <source>het venster start niet vanuit een opdracht</source>
        <translation>the window does not start from a command</translation>
    </message>
    <message>
        <source>%1 is geen Vellora-project: %2</source>
        <translation>%1 is no Vellora project: %2</translation>
    </message>
    <message>
        <source>%1 kan geen rugzijde zijn: %2</source>
        <translation>%1 cannot be a back: %2</translation>
    </message>
    <message>
        <source>rugzijde %1 bestaat niet (Backgrounds heeft er %2)</source>
        <translation>back %1 does not exist (Backgrounds has %2)</translation>
    </message>
    <message>
        <source>rugzijde %1 kan niet worden gelezen</source>
        <translation>back %1 cannot be read</translation>
    </message>
    <message>
        <source>%1 bestaat al en wordt niet vervangen</source>
        <translation>%1 exists already and is not replaced</translation>
    </message>
    <message>
        <source>het lege blad Data/Kaarten.krt kan niet worden gelezen</source>
        <translation>the blank sheet Data/Kaarten.krt cannot be read</translation>
    </message>
    <message>
        <source>symboolstijl %1 kan niet worden gelezen</source>
        <translation>symbol style %1 cannot be read</translation>
    </message>
    <message>
        <source>joker %1 bestaat niet (Data heeft er %2)</source>
        <translation>joker %1 does not exist (Data has %2)</translation>
    </message>
    <message>
        <source>joker %1 kan niet worden gelezen</source>
        <translation>joker %1 cannot be read</translation>
    </message>
    <message>
        <source>UIT.pdf</source>
        <translation>OUT.pdf</translation>
    </message>
    <message>
        <source>MAP</source>
        <translation>FOLDER</translation>
    </message>
    <message>
        <source>N|PLAATJE</source>
        <translation>N|PICTURE</translation>
    </message>
    <message>
        <source>UIT.krt</source>
        <translation>OUT.krt</translation>
    </message>
    <message>
        <source>card of frame</source>
        <translation>card or frame</translation>
    </message>
    <message>
        <source>Elke voorkant gesneden in het wit van de kaart (standaard), of op de groene rand.</source>
        <translation>Each face cut in the white of the card (the default), or on the green border.</translation>
    </message>
</context>
<context>
    <name>Date</name>
    <message>
        <source>Zondag</source>
        <translation>Sunday</translation>
    </message>
    <message>
        <source>Maandag</source>
        <translation>Monday</translation>
    </message>
    <message>
        <source>Dinsdag</source>
        <translation>Tuesday</translation>
    </message>
    <message>
        <source>Woensdag</source>
        <translation>Wednesday</translation>
    </message>
    <message>
        <source>Donderdag</source>
        <translation>Thursday</translation>
    </message>
    <message>
        <source>Vrijdag</source>
        <translation>Friday</translation>
    </message>
    <message>
        <source>Zaterdag</source>
        <translation>Saturday</translation>
    </message>
    <message>
        <source>Januari</source>
        <translation>January</translation>
    </message>
    <message>
        <source>Februari</source>
        <translation>February</translation>
    </message>
    <message>
        <source>Maart</source>
        <translation>March</translation>
    </message>
    <message>
        <source>April</source>
        <translation>April</translation>
    </message>
    <message>
        <source>Mei</source>
        <translation>May</translation>
    </message>
    <message>
        <source>Juni</source>
        <translation>June</translation>
    </message>
    <message>
        <source>Juli</source>
        <translation>July</translation>
    </message>
    <message>
        <source>Augustus</source>
        <translation>August</translation>
    </message>
    <message>
        <source>September</source>
        <translation>September</translation>
    </message>
    <message>
        <source>Oktober</source>
        <translation>October</translation>
    </message>
    <message>
        <source>November</source>
        <translation>November</translation>
    </message>
    <message>
        <source>December</source>
        <translation>December</translation>
    </message>
    <message>
        <source>%1 %2 %3 %4</source>
        <extracomment>The date line: %1 the weekday, %2 the day of the month, %3 the month, %4 the year</extracomment>
        <translation>%1, %3 %2, %4</translation>
    </message>
</context>
<context>
    <name>Help</name>
    <message>
        <source>Welkom bij Zelf Vellora Maken.</source>
        <translation>Welcome to Make Your Own Vellora.</translation>
    </message>
    <message>
        <source>---------------------------------------------</source>
        <translation>---------------------------------------------</translation>
    </message>
    <message>
        <source>1. Selecteer aan de linkerzijde uw Symbolen</source>
        <translation>1. Choose your Symbols on the left.</translation>
    </message>
    <message>
        <source>2. Druk op de knop &apos;Ok&apos; om de getallen en</source>
        <translation>2. Press the &apos;Ok&apos; button to place the</translation>
    </message>
    <message>
        <source>     Symbolen te plaatsen op de Vellora.</source>
        <translation>     numbers and Symbols on the Vellora.</translation>
    </message>
    <message>
        <source>3. Plaats vervolgens de afbeeldingen van de</source>
        <translation>3. Then place the pictures of the</translation>
    </message>
    <message>
        <source>     Boer, Vrouw, Koning en Jokers. Dit kunnen</source>
        <translation>     Jack, Queen, King and Jokers. These</translation>
    </message>
    <message>
        <source>     eigen foto&apos;s zijn uit uw foto-bestand. De</source>
        <translation>     may be photos of your own. Their</translation>
    </message>
    <message>
        <source>     grootte is gemarkeerd met een rechthoek.</source>
        <translation>     size is marked with a rectangle.</translation>
    </message>
    <message>
        <source>4. Met de Symbolen aan de rechterzijde kunt</source>
        <translation>4. With the Symbols on the right you</translation>
    </message>
    <message>
        <source>     u de rij kiezen die u wilt bekijken.</source>
        <translation>     choose the row you want to see.</translation>
    </message>
    <message>
        <source>5. Met de 14 knoppen aan de onderzijde kan</source>
        <translation>5. With the 14 buttons at the bottom</translation>
    </message>
    <message>
        <source>     de kaart worden gekozen om in te zien.</source>
        <translation>     you choose the card to look at.</translation>
    </message>
    <message>
        <source>6. Als alle kaarten zijn ontworpen kunnen</source>
        <translation>6. When all cards are designed, they</translation>
    </message>
    <message>
        <source>     deze worden opgeslagen en afgedrukt.</source>
        <translation>     can be saved and printed.</translation>
    </message>
    <message>
        <source>7. Nadat u de Vellora hebt geprint kan</source>
        <translation>7. After you have printed the Vellora,</translation>
    </message>
    <message>
        <source>     de rugzijde worden afgedrukt. Dit kan</source>
        <translation>     the back can be printed. This too</translation>
    </message>
    <message>
        <source>     ook weer met het Menu-item Afdrukken.</source>
        <translation>     is done with the menu item Print.</translation>
    </message>
    <message>
        <source>     Hier wordt het complete vel geprint met</source>
        <translation>     The whole sheet is printed with</translation>
    </message>
    <message>
        <source>     dezelfde gekozen afbeelding.</source>
        <translation>     the same chosen picture.</translation>
    </message>
    <message>
        <source>Klik Help om dit scherm weer te verwijderen.</source>
        <translation>Click Help to close this screen again.</translation>
    </message>
</context>
<context>
    <name>Main</name>
    <message>
        <source> Default Symbolen</source>
        <translation> Default Symbols</translation>
    </message>
    <message>
        <source> Schuingeplaatste Symbolen</source>
        <translation> Slanted Symbols</translation>
    </message>
    <message>
        <source> Randschaduw Symbolen</source>
        <translation> Drop Shadow Symbols</translation>
    </message>
    <message>
        <source> Lichteffect Symbolen</source>
        <translation> Light Effect Symbols</translation>
    </message>
    <message>
        <source> Transparante Symbolen</source>
        <translation> Transparent Symbols</translation>
    </message>
    <message>
        <source> Gevlekte Symbolen</source>
        <translation> Speckled Symbols</translation>
    </message>
    <message>
        <source> Geborduurde Symbolen</source>
        <translation> Embroidered Symbols</translation>
    </message>
    <message>
        <source> Glas Symbolen</source>
        <translation> Glass Symbols</translation>
    </message>
    <message>
        <source> Diagonale Symbolen</source>
        <translation> Diagonal Symbols</translation>
    </message>
    <message>
        <source> Diamanten Symbolen</source>
        <translation> Diamond Symbols</translation>
    </message>
    <message>
        <source>Azen plaatsen</source>
        <translation>Place aces</translation>
    </message>
    <message>
        <source>Boeren plaatsen</source>
        <translation>Place jacks</translation>
    </message>
    <message>
        <source>Vrouwen plaatsen</source>
        <translation>Place queens</translation>
    </message>
    <message>
        <source>Koningen plaatsen</source>
        <translation>Place kings</translation>
    </message>
    <message>
        <source>Jokers plaatsen</source>
        <translation>Place jokers</translation>
    </message>
    <message>
        <source> Getallen en Symbolen plaatsen </source>
        <translation> Place numbers and symbols </translation>
    </message>
    <message>
        <source>File</source>
        <translation>File</translation>
    </message>
    <message>
        <source>Nieuw</source>
        <translation>New</translation>
    </message>
    <message>
        <source>Open Vellora</source>
        <translation>Open Vellora</translation>
    </message>
    <message>
        <source>Vellora Opslaan</source>
        <translation>Save Vellora</translation>
    </message>
    <message>
        <source>Afdrukken</source>
        <translation>Print</translation>
    </message>
    <message>
        <source>Vellora</source>
        <translation>Vellora</translation>
    </message>
    <message>
        <source>Rugzijde</source>
        <translation>Back</translation>
    </message>
    <message>
        <source>Hele deck…</source>
        <translation>Whole deck…</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Exit</translation>
    </message>
    <message>
        <source>Bewerken</source>
        <translation>Edit</translation>
    </message>
    <message>
        <source>Hofkaarten plaatsen</source>
        <translation>Place court cards</translation>
    </message>
    <message>
        <source>Klassieke kaarten</source>
        <translation>Classic cards</translation>
    </message>
    <message>
        <source>Tools</source>
        <translation>Tools</translation>
    </message>
    <message>
        <source>Overzicht alle Vellora</source>
        <translation>Overview of all Vellora</translation>
    </message>
    <message>
        <source>Grid Lijnen</source>
        <translation>Grid Lines</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>Meer Software</source>
        <translation>More Software</translation>
    </message>
    <message>
        <source>Beeldscherm</source>
        <translation>Screen</translation>
    </message>
    <message>
        <source>Resolutie Opvragen</source>
        <translation>Show Resolution</translation>
    </message>
    <message>
        <source>Wijzigen Resolutie</source>
        <translation>Change Resolution</translation>
    </message>
    <message>
        <source>Clipart gebruiken</source>
        <translation>Use clip art</translation>
    </message>
    <message>
        <source>Eigen foto gebruiken</source>
        <translation>Use own photo</translation>
    </message>
    <message>
        <source>Foto plaatsen</source>
        <translation>Place photo</translation>
    </message>
    <message>
        <source>Joker plaatsen</source>
        <translation>Place joker</translation>
    </message>
    <message>
        <source>Boer plaatsen</source>
        <translation>Place jack</translation>
    </message>
    <message>
        <source>Vrouw plaatsen</source>
        <translation>Place queen</translation>
    </message>
    <message>
        <source>Koning plaatsen</source>
        <translation>Place king</translation>
    </message>
    <message>
        <source>Zelf Vellora Maken[*]</source>
        <translation>Make Your Own Vellora[*]</translation>
    </message>
    <message>
        <source>Ongedaan maken</source>
        <translation>Undo</translation>
    </message>
    <message>
        <source>Opnieuw</source>
        <translation>Redo</translation>
    </message>
    <message>
        <source>Symbolen plaatsen</source>
        <translation>Place symbols</translation>
    </message>
    <message>
        <source>Vellora openen</source>
        <translation>Open Vellora</translation>
    </message>
    <message>
        <source>Herstellen</source>
        <translation>Recover</translation>
    </message>
    <message>
        <source>Schermresolutie... : %1 Dpi (Dots / Inch)</source>
        <translation>Screen resolution : %1 Dpi (Dots / Inch)</translation>
    </message>
    <message>
        <source>Schermgrootte..... : %1 x %2 Pixels</source>
        <translation>Screen size...... : %1 x %2 Pixels</translation>
    </message>
    <message>
        <source>Is de Schermresolutie ongelijk dan 96 Dpi,</source>
        <translation>If the screen resolution is not 96 Dpi,</translation>
    </message>
    <message>
        <source>kijk dan onder Help/Beeldscherm voor het</source>
        <translation>see Help/Screen for how to change</translation>
    </message>
    <message>
        <source>wijzigen van de Schermresolutie voor de</source>
        <translation>the screen resolution in the</translation>
    </message>
    <message>
        <source>versies Windows XP en Windows 7 en 8.</source>
        <translation>versions Windows XP and Windows 7 and 8.</translation>
    </message>
    <message>
        <source> Beeldscherm</source>
        <translation> Screen</translation>
    </message>
    <message>
        <source>Show alle Vellora</source>
        <translation>Show all Vellora</translation>
    </message>
    <message>
        <source>Beweeg de muiscursor met ingedrukte linkermuisknop over de afbeelding heen om alle 56 kaarten<byte value="xd"/>
te bekijken.</source>
        <translation>Move the mouse pointer over the picture with the left mouse button held down<byte value="xd"/>
to see all 56 cards.</translation>
    </message>
    <message>
        <source>Voortgang</source>
        <translation>Progress</translation>
    </message>
    <message>
        <source>\Help\Beeldscherm.pdf</source>
        <translation>\Help\Display.pdf</translation>
    </message>
</context>
<context>
    <name>Placement</name>
    <message>
        <source> Alle 4 kaarten </source>
        <translation> All 4 cards </translation>
    </message>
    <message>
        <source> Op Harten kaart </source>
        <translation> On the Hearts card </translation>
    </message>
    <message>
        <source> Op Klaver kaart </source>
        <translation> On the Clubs card </translation>
    </message>
    <message>
        <source> Op Ruiten kaart </source>
        <translation> On the Diamonds card </translation>
    </message>
    <message>
        <source> Op Schoppen kaart </source>
        <translation> On the Spades card </translation>
    </message>
    <message>
        <source>Klik één van de vijf keuze mogelijkheden hierboven aan, klik dan op de &apos;Ok&apos; knop.</source>
        <translation>Click one of the five choices above, then click the &apos;Ok&apos; button.</translation>
    </message>
    <message>
        <source>Boer</source>
        <translation>Jack</translation>
    </message>
    <message>
        <source>Vrouw</source>
        <translation>Queen</translation>
    </message>
    <message>
        <source>Koning</source>
        <translation>King</translation>
    </message>
    <message>
        <source>%1 %2</source>
        <extracomment>A court card: its rank, then its suit (&quot;Koning Harten&quot;)</extracomment>
        <translation>%1 of %2</translation>
    </message>
    <message>
        <source>Boeren plaatsen</source>
        <translation>Place jacks</translation>
    </message>
    <message>
        <source>Vrouwen plaatsen</source>
        <translation>Place queens</translation>
    </message>
    <message>
        <source>Koningen plaatsen</source>
        <translation>Place kings</translation>
    </message>
    <message>
        <source> op...</source>
        <translation> on...</translation>
    </message>
    <message>
        <source>Selecteer op welke kaart(en) u de figuur wilt plaatsen!</source>
        <translation>Choose the card(s) to place the figure on!</translation>
    </message>
    <message>
        <source>Beweeg de afbeelding met ingedrukte linkermuisknop. Klik dan om de linkerbovenhoek van de rechthoek te
positioneren. Het resultaat is dan hierboven te zien.</source>
        <translation>Move the picture with the left mouse button held down. Then click to place the top left corner of the
rectangle. The result shows above.</translation>
    </message>
    <message>
        <source>Plaatsen op...</source>
        <translation>Place on...</translation>
    </message>
    <message>
        <source>Klik één van de vijf keuze mogelijkheden hierboven aan, druk dan op de &apos;Ok&apos; knop.</source>
        <translation>Click one of the five choices above, then press the &apos;Ok&apos; button.</translation>
    </message>
    <message>
        <source>Border</source>
        <translation>Border</translation>
    </message>
    <message>
        <source>Dubbelkoppig</source>
        <translation>Double-headed</translation>
    </message>
    <message>
        <source>Selecteer op welke kaart(en) u de foto wilt plaatsen!</source>
        <translation>Choose the card(s) to place the photo on!</translation>
    </message>
    <message>
        <source>Joker %1/%2</source>
        <translation>Joker %1/%2</translation>
    </message>
    <message>
        <source>Jokers plaatsen</source>
        <translation>Place jokers</translation>
    </message>
    <message>
        <source>Jokers plaatsen op...</source>
        <translation>Place jokers on...</translation>
    </message>
    <message>
        <source>Selecteer op welke kaart(en) u de joker wilt plaatsen!</source>
        <translation>Choose the card(s) to place the joker on!</translation>
    </message>
    <message>
        <source>Importeer (Aas)</source>
        <translation>Import (Ace)</translation>
    </message>
    <message>
        <source>Importeer (Boer)</source>
        <translation>Import (Jack)</translation>
    </message>
    <message>
        <source>Importeer (Vrouw)</source>
        <translation>Import (Queen)</translation>
    </message>
    <message>
        <source>Importeer (Koning)</source>
        <translation>Import (King)</translation>
    </message>
    <message>
        <source>Importeer (Joker)</source>
        <translation>Import (Joker)</translation>
    </message>
    <message>
        <source> / %1 x %2</source>
        <translation> / %1 x %2</translation>
    </message>
    <message>
        <source>100%  (0 x 0 Pixels)</source>
        <translation>100%  (0 x 0 Pixels)</translation>
    </message>
    <message>
        <source>%1%  (%2 x %3 Pixel)</source>
        <translation>%1%  (%2 x %3 Pixels)</translation>
    </message>
</context>
<context>
    <name>Print</name>
    <message>
        <source>Vellora Afdrukken</source>
        <translation>Print Vellora</translation>
    </message>
    <message>
        <source>6 Pagina&apos;s (A4)</source>
        <translation>6 Pages (A4)</translation>
    </message>
    <message>
        <source>Topmargin</source>
        <translation>Topmargin</translation>
    </message>
    <message>
        <source>Leftmargin</source>
        <translation>Leftmargin</translation>
    </message>
    <message>
        <source>Uitlijnpagina: voorkant</source>
        <translation>Alignment page: front</translation>
    </message>
    <message>
        <source>Druk dubbelzijdig af en houd het blad tegen het licht. Het getal van de achterkant onder de dikke nullijn</source>
        <translation>Print double-sided and hold the sheet against the light. The number of the back under the thick zero line</translation>
    </message>
    <message>
        <source>is de verschuiving in mm: op de liggende schaal X, op de staande Y.</source>
        <translation>is the shift in mm: on the lying scale X, on the standing one Y.</translation>
    </message>
    <message>
        <source>Uitlijnpagina: achterkant</source>
        <translation>Alignment page: back</translation>
    </message>
    <message>
        <source>Serie %1</source>
        <translation>Series %1</translation>
    </message>
    <message>
        <source>De marge is te groot om een plaats op het papier te zijn.</source>
        <translation>The margin is too large to be a place on the paper.</translation>
    </message>
    <message>
        <source>Annuleren</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Pagina&apos;s (A4, kaarten smaller)</source>
        <translation>Pages (A4, cards narrower)</translation>
    </message>
    <message>
        <source>Hele kaarten</source>
        <translation>Whole cards</translation>
    </message>
    <message>
        <source>korte zijde</source>
        <translation>short edge</translation>
    </message>
    <message>
        <source>lange zijde</source>
        <translation>long edge</translation>
    </message>
    <message>
        <source>Rug verschuiven in mm: X</source>
        <translation>Shift back in mm: X</translation>
    </message>
    <message>
        <source>Afloop</source>
        <translation>Bleed</translation>
    </message>
    <message>
        <source>Snijden</source>
        <translation>Cut</translation>
    </message>
    <message>
        <source>Op de groene rand</source>
        <translation>On the green border</translation>
    </message>
    <message>
        <source>In het wit van de kaart</source>
        <translation>In the card&apos;s white</translation>
    </message>
    <message>
        <source>Rug over de hele pagina</source>
        <translation>Back over the whole page</translation>
    </message>
    <message>
        <source>Eigen rug…</source>
        <translation>Own back…</translation>
    </message>
    <message>
        <source>Dubbelzijdig</source>
        <translation>Double-sided</translation>
    </message>
    <message>
        <source>Eerst voorkanten</source>
        <translation>Faces first</translation>
    </message>
    <message>
        <source>Snijtekens</source>
        <translation>Cut marks</translation>
    </message>
    <message>
        <source>Maatstreep</source>
        <translation>Scale bar</translation>
    </message>
    <message>
        <source>Opslaan als PDF…</source>
        <translation>Save as PDF…</translation>
    </message>
    <message>
        <source>Afdrukken…</source>
        <translation>Print…</translation>
    </message>
    <message>
        <source>Drukkerij-PDF…</source>
        <translation>Print shop PDF…</translation>
    </message>
    <message>
        <source>Kaarten als afbeeldingen…</source>
        <translation>Cards as pictures…</translation>
    </message>
    <message>
        <source>Uitlijnpagina…</source>
        <translation>Alignment page…</translation>
    </message>
    <message>
        <source>Rugzijde %1 kan niet worden gelezen.</source>
        <translation>Back %1 cannot be read.</translation>
    </message>
    <message>
        <source>%1 kan geen rugzijde zijn:
%2</source>
        <translation>%1 cannot be a back:
%2</translation>
    </message>
    <message>
        <source>Hele deck afdrukken</source>
        <translation>Print whole deck</translation>
    </message>
    <message>
        <source>Rugzijde %1 / %2</source>
        <translation>Back %1 / %2</translation>
    </message>
    <message>
        <source>Dit plaatje kan niet als rugzijde worden bewaard.</source>
        <translation>This picture cannot be kept as a back.</translation>
    </message>
    <message>
        <source>De map %1 kan niet worden gemaakt.</source>
        <translation>The folder %1 cannot be made.</translation>
    </message>
    <message>
        <source>%1 kan niet worden geschreven: %2</source>
        <translation>%1 cannot be written: %2</translation>
    </message>
    <message>
        <source>In %1 staat al &quot;%2&quot;; kies een nieuwe of lege map, of een map met alleen eerder geschreven kaarten.</source>
        <translation>%1 already holds &quot;%2&quot;; choose a new or empty folder, or one with only cards written before.</translation>
    </message>
    <message>
        <source>In %1 worden al kaarten geschreven; wacht tot dat klaar is.</source>
        <translation>Cards are already being written in %1; wait until that is done.</translation>
    </message>
    <message>
        <source>Geen toestemming om hier te schrijven.</source>
        <translation>No permission to write here.</translation>
    </message>
    <message>
        <source>%1 is geen map.</source>
        <translation>%1 is not a folder.</translation>
    </message>
    <message>
        <source>Opslaan als PDF</source>
        <translation>Save as PDF</translation>
    </message>
    <message>
        <source>Kaarten als afbeeldingen</source>
        <translation>Cards as pictures</translation>
    </message>
    <message>
        <source>Eigen rug</source>
        <translation>Own back</translation>
    </message>
    <message>
        <source>Afbeeldingen (*.bmp *.jpg *.jpeg *.gif *.png *.webp *.heic *.heif)</source>
        <translation>Pictures (*.bmp *.jpg *.jpeg *.gif *.png *.webp *.heic *.heif)</translation>
    </message>
    <message>
        <source>Afdrukken op schermresolutie: het drukbestand hoort niet bij dit project</source>
        <translation>Printing at screen resolution: the print file is not this project&apos;s</translation>
    </message>
    <message>
        <source>De PDF is niet opgeslagen:
%1

Een bestaand bestand met die naam is ongewijzigd.</source>
        <translation>The PDF was not saved:
%1

An existing file of that name is unchanged.</translation>
    </message>
    <message>
        <source>Dit is het lege blad.</source>
        <translation>This is the blank sheet.</translation>
    </message>
    <message>
        <source>Dit is het project zelf.</source>
        <translation>This is the project itself.</translation>
    </message>
    <message>
        <source>%1-drukkerij.pdf</source>
        <translation>%1-print-shop.pdf</translation>
    </message>
    <message>
        <source>Uitlijnpagina.pdf</source>
        <translation>Alignment page.pdf</translation>
    </message>
    <message>
        <source>Geen rugzijde</source>
        <translation>No back</translation>
    </message>
    <message>
        <source>De afloop is een maat in mm van 0 tot 10, zoals &quot;3 mm&quot;, of in inch, zoals &quot;1/8 inch&quot;.</source>
        <translation>The bleed is a size in mm from 0 to 10, such as &quot;3 mm&quot;, or in inches, such as &quot;1/8 inch&quot;.</translation>
    </message>
    <message>
        <source>De printer %1 is niet bereikbaar: de afdruk is na 30 seconden nog niet begonnen en wacht op de printer.</source>
        <translation>The printer %1 cannot be reached: after 30 seconds the print has not started and waits for the printer.</translation>
    </message>
    <message>
        <source>Het kleurprofiel voor de drukpers ontbreekt: %1</source>
        <translation>The colour profile for the press is missing: %1</translation>
    </message>
    <message>
        <source>Geen rugzijde gevonden in Backgrounds.</source>
        <translation>No back found in Backgrounds.</translation>
    </message>
    <message>
        <source>50 mm: meet na het afdrukken</source>
        <translation>50 mm: measure after printing</translation>
    </message>
    <message>
        <source>De pagina&apos;s van &quot;Serie 1&quot; tot &quot;Serie 6&quot; passen alleen op A4.</source>
        <translation>The pages &quot;Series 1&quot; to &quot;Series 6&quot; fit on A4 only.</translation>
    </message>
    <message>
        <source>Met deze marges komt er iets binnen 4 mm van de rand van het papier, waar veel printers niets afdrukken.</source>
        <translation>With these margins something comes within 4 mm of the paper&apos;s edge, where many printers print nothing.</translation>
    </message>
    <message>
        <source> Afdrukken Rugzijde</source>
        <translation> Print Back</translation>
    </message>
    <message>
        <source>De drukkerij-PDF kan niet worden gemaakt.</source>
        <translation>The print shop PDF cannot be made.</translation>
    </message>
</context>
<context>
    <name>Project</name>
    <message>
        <source>Openen Vellora</source>
        <translation>Open Vellora</translation>
    </message>
    <message>
        <source>nl_NL</source>
        <extracomment>The locale whose names of days and months the question about lost work uses</extracomment>
        <translation>en_US</translation>
    </message>
    <message>
        <source>dddd d MMMM yyyy HH:mm</source>
        <translation>dddd, MMMM d, yyyy h:mm AP</translation>
    </message>
    <message>
        <source>Wilt u een nieuw spel kaarten ontwerpen?</source>
        <translation>Do you want to design a new deck of cards?</translation>
    </message>
    <message>
        <source>Nieuw</source>
        <translation>New</translation>
    </message>
    <message>
        <source>Geef de naam voor deze serie Vellora...</source>
        <translation>Give the name for this set of Vellora...</translation>
    </message>
    <message>
        <source>Projectnaam</source>
        <translation>Project name</translation>
    </message>
    <message>
        <source>Naam bestaat reeds, overschrijven?</source>
        <translation>The name exists already. Replace it?</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>Géén orginele Vellora!</source>
        <translation>Not an original Vellora!</translation>
    </message>
    <message>
        <source>Deze naam kan niet als bestandsnaam worden gebruikt.
Gebruik geen / of \, geen stuurtekens en niet alleen &quot;.&quot; of &quot;..&quot;.</source>
        <translation>This name cannot be used as a file name.
Use no / or \, no control characters, and not just &quot;.&quot; or &quot;..&quot;.</translation>
    </message>
    <message>
        <source>De Vellora is niet opgeslagen:
%1</source>
        <translation>The Vellora was not saved:
%1</translation>
    </message>
    <message>
        <source>

Het bestaande bestand is ongewijzigd.</source>
        <translation>

The existing file is unchanged.</translation>
    </message>
    <message>
        <source>&quot;%1.krt&quot; in Projecten is geen gewoon bestand maar een koppeling, map of apparaat.
Er is niets opgeslagen; kies een andere naam.</source>
        <translation>&quot;%1.krt&quot; in Projecten is no plain file but a link, folder or device.
Nothing was saved; choose another name.</translation>
    </message>
    <message>
        <source>De Vellora is gewijzigd. Wijzigingen opslaan?</source>
        <translation>The Vellora has changed. Save the changes?</translation>
    </message>
    <message>
        <source>Vellora</source>
        <translation>Vellora</translation>
    </message>
    <message>
        <source>Er is een niet-opgeslagen Vellora van %1 gevonden. Herstellen?</source>
        <translation>An unsaved Vellora of %1 was found. Recover it?</translation>
    </message>
    <message>
        <source>Herstellen</source>
        <translation>Recover</translation>
    </message>
    <message>
        <source>De map Projecten ontbreekt.</source>
        <translation>The Projecten folder is missing.</translation>
    </message>
    <message>
        <source>Onder deze naam staat in Projecten iets anders dan een Vellora.</source>
        <translation>Under this name, Projecten holds something other than a Vellora.</translation>
    </message>
    <message>
        <source>Het bestand bestaat niet.</source>
        <translation>The file does not exist.</translation>
    </message>
    <message>
        <source>De map %1 kan niet worden gemaakt.</source>
        <translation>The folder %1 cannot be made.</translation>
    </message>
    <message>
        <source>De map %1 is niet beschrijfbaar.</source>
        <translation>The folder %1 cannot be written to.</translation>
    </message>
    <message numerus="yes">
        <source>%n Project(en)</source>
        <translation>
            <numerusform>%n project</numerusform>
            <numerusform>%n projects</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>Sheet</name>
    <message>
        <source> Aas </source>
        <translation> Ace </translation>
    </message>
    <message>
        <source> Boer </source>
        <translation> Jack </translation>
    </message>
    <message>
        <source> Vrouw </source>
        <translation> Queen </translation>
    </message>
    <message>
        <source> Koning </source>
        <translation> King </translation>
    </message>
    <message>
        <source> Joker </source>
        <translation> Joker </translation>
    </message>
    <message>
        <source>Harten</source>
        <translation>Hearts</translation>
    </message>
    <message>
        <source>Klavers</source>
        <translation>Clubs</translation>
    </message>
    <message>
        <source>Ruiten</source>
        <translation>Diamonds</translation>
    </message>
    <message>
        <source>Schoppen</source>
        <translation>Spades</translation>
    </message>
    <message>
        <source> Rijkeuze %1 </source>
        <translation> Show row %1 </translation>
    </message>
</context>
<context>
    <name>Surface</name>
    <message>
        <source>Er is te veel geheugen nodig om deze afbeelding te lezen.</source>
        <translation>Reading this picture would take too much memory.</translation>
    </message>
    <message>
        <source>Het JPEG-bestand is beschadigd (%1).</source>
        <translation>The JPEG file is damaged (%1).</translation>
    </message>
    <message>
        <source>Het HEIF-bestand is onleesbaar (%1).</source>
        <translation>The HEIF file cannot be read (%1).</translation>
    </message>
    <message>
        <source>Het HEIF-bestand is onleesbaar.</source>
        <translation>The HEIF file cannot be read.</translation>
    </message>
    <message>
        <source>De afbeelding is te groot (%1 x %2 pixels).</source>
        <translation>The picture is too large (%1 x %2 pixels).</translation>
    </message>
    <message>
        <source>De afmetingen van de afbeelding zijn onleesbaar.</source>
        <translation>The picture&apos;s size cannot be read.</translation>
    </message>
    <message>
        <source>Het HEIF-bestand is onvolledig of beschadigd (%1).</source>
        <translation>The HEIF file is incomplete or damaged (%1).</translation>
    </message>
    <message>
        <source>Geen BMP-, JPEG-, GIF-, PNG-, WebP- of HEIC-afbeelding.</source>
        <translation>Not a BMP, JPEG, GIF, PNG, WebP or HEIC picture.</translation>
    </message>
    <message>
        <source>Het bestand is onvolledig.</source>
        <translation>The file is incomplete.</translation>
    </message>
    <message>
        <source>De afbeelding heeft een andere grootte dan haar kop zegt.</source>
        <translation>The picture&apos;s size differs from what its header says.</translation>
    </message>
    <message>
        <source>Er is te weinig geheugen voor de afbeelding.</source>
        <translation>There is not enough memory for the picture.</translation>
    </message>
    <message>
        <source>Geen BMP-, JPEG- of GIF-afbeelding.</source>
        <translation>Not a BMP, JPEG or GIF picture.</translation>
    </message>
    <message>
        <source>De afbeelding is %1 x %2 pixels in plaats van %3 x %4.</source>
        <translation>The picture is %1 x %2 pixels instead of %3 x %4.</translation>
    </message>
    <message>
        <source>Het bestand bestaat niet.</source>
        <translation>The file does not exist.</translation>
    </message>
    <message>
        <source>Geen toestemming om dit bestand te lezen.</source>
        <translation>No permission to read this file.</translation>
    </message>
    <message>
        <source>Het bestand verwijst naar zichzelf.</source>
        <translation>The file refers to itself.</translation>
    </message>
    <message>
        <source>Dit is geen gewoon bestand.</source>
        <translation>This is not a plain file.</translation>
    </message>
    <message>
        <source>Het bestand is te groot.</source>
        <translation>The file is too large.</translation>
    </message>
    <message>
        <source>Dit is een koppeling, geen gewoon bestand.</source>
        <translation>This is a link, not a plain file.</translation>
    </message>
    <message>
        <source>Dit is een map.</source>
        <translation>This is a folder.</translation>
    </message>
    <message>
        <source>Dit bestand is geen %1.</source>
        <translation>This file is not a %1.</translation>
    </message>
    <message>
        <source>De schijf is vol.</source>
        <translation>The disk is full.</translation>
    </message>
    <message>
        <source>De schijf is vol: uw deel van de schijfruimte is op.</source>
        <translation>The disk is full: your share of its space is used up.</translation>
    </message>
    <message>
        <source>Geen toestemming om hier te schrijven.</source>
        <translation>No permission to write here.</translation>
    </message>
    <message>
        <source>Op deze schijf kan alleen gelezen worden.</source>
        <translation>This disk can only be read.</translation>
    </message>
    <message>
        <source>De naam is te lang.</source>
        <translation>The name is too long.</translation>
    </message>
    <message>
        <source>De map bestaat niet (meer).</source>
        <translation>The folder does not exist (any more).</translation>
    </message>
    <message>
        <source>De schijf meldt een lees- of schrijffout.</source>
        <translation>The disk reports a read or write error.</translation>
    </message>
    <message>
        <source>Het bestand wordt groter dan hier mag.</source>
        <translation>The file would grow larger than allowed here.</translation>
    </message>
    <message>
        <source>onbekende fout</source>
        <translation>unknown error</translation>
    </message>
</context>
</TS>
