#pragma once

class QAction;
class QMainWindow;
class QMenu;

namespace vellora {

// The main window's menus as named actions; the window connects them to its commands.
struct MainMenus
{
    QAction *newDeck = nullptr;      // FileNew
    QAction *openProject = nullptr;  // FileOpen
    QAction *saveProject = nullptr;  // FileSave
    QAction *printFaces = nullptr;   // Afdrukken(1) "Vellora"
    QAction *printBacks = nullptr;   // Afdrukken(2) "Rugzijde"
    QAction *printDeck = nullptr;    // Afdrukken(3) "Hele deck…"
    QAction *exit = nullptr;         // FileExit
    QAction *undo = nullptr;         // EditUndo
    QAction *redo = nullptr;         // EditRedo
    QAction *placeCourts = nullptr;  // EditHofkaarten
    QAction *classicCards = nullptr; // EditKlassiek, checked when Ok makes classic cards
    QAction *overview = nullptr;     // ToolsShowKaarten
    QAction *gridLines = nullptr;    // Gridlijnen, checked while the overlay shows
    QAction *help = nullptr;         // HelpHelp, checked while the help text shows
    QAction *moreSoftware = nullptr; // HelpSoftware
    QAction *screenInfo = nullptr;   // HelpResolutie(1)
    QAction *screenGuide = nullptr;  // HelpResolutie(2)
    QAction *jokerArt = nullptr;     // ClipartOfFoto(1)
    QAction *jokerPhoto = nullptr;   // ClipartOfFoto(2)
    // Never in the menu bar: the jokers' picture button pops it up.
    QMenu *jokerOrPhoto = nullptr;

    static MainMenus build(QMainWindow *window);
};

} // namespace vellora
