<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
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
</context>
</TS>
