#include "shell/mainmenus.h"

#include "shell/mainlayout.h"

#include <QAction>
#include <QCoreApplication>
#include <QIcon>
#include <QKeySequence>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>

namespace vellora {

namespace {

QAction *menuItem(QMenu *menu, const QString &name, const QString &caption)
{
    // Captions carry no '&', so no item gets an access key; none gets a shortcut either.
    QAction *action = menu->addAction(caption);
    action->setObjectName(name);
    return action;
}

QMenu *subMenu(QMainWindow *window, QMenu *parent, const QString &name, const QString &caption)
{
    QMenu *menu = parent ? parent->addMenu(caption) : window->menuBar()->addMenu(caption);
    menu->setObjectName(name);
    menu->menuAction()->setObjectName(name);
    return menu;
}

// A check mark when on and nothing when off: the style's own indicator is an empty box when off. An item
// with an icon shows the icon's On or Off picture in place of that box.
QIcon checkMarkIcon()
{
    constexpr int size = 64; // drawn large, so it stays sharp on a scaled screen
    QPixmap on(size, size), off(size, size);
    on.fill(Qt::transparent);
    off.fill(Qt::transparent);
    QPainter painter(&on);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(40, 40, 40), 7, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPolyline(QPolygonF({QPointF(14, 34), QPointF(27, 47), QPointF(51, 17)}));
    painter.end();
    QIcon icon;
    for (const QIcon::Mode mode : {QIcon::Normal, QIcon::Active, QIcon::Selected, QIcon::Disabled}) {
        icon.addPixmap(on, mode, QIcon::On);
        icon.addPixmap(off, mode, QIcon::Off);
    }
    return icon;
}

QAction *checkItem(QMenu *menu, const QString &name, const QString &caption, bool checked)
{
    QAction *action = menuItem(menu, name, caption);
    action->setCheckable(true);
    action->setIcon(checkMarkIcon());
    action->setChecked(checked);
    return action;
}

} // namespace

MainMenus MainMenus::build(QMainWindow *window)
{
    MainMenus m;
    QMenu *file =
        subMenu(window, nullptr, QStringLiteral("File"), QCoreApplication::translate("Main", "File"));
    m.newDeck = menuItem(file, QStringLiteral("FileNew"), QCoreApplication::translate("Main", "Nieuw"));
    m.openProject =
        menuItem(file, QStringLiteral("FileOpen"), QCoreApplication::translate("Main", "Open Vellora"));
    m.saveProject =
        menuItem(file, QStringLiteral("FileSave"), QCoreApplication::translate("Main", "Vellora Opslaan"));
    file->addSeparator()->setObjectName(QStringLiteral("Streep1"));
    QMenu *print =
        subMenu(window, file, QStringLiteral("FilePrint"), QCoreApplication::translate("Main", "Afdrukken"));
    m.printFaces = menuItem(print, arrayName("Afdrukken", 1), QCoreApplication::translate("Main", "Vellora"));
    m.printBacks =
        menuItem(print, arrayName("Afdrukken", 2), QCoreApplication::translate("Main", "Rugzijde"));
    m.printDeck =
        menuItem(print, arrayName("Afdrukken", 3), QCoreApplication::translate("Main", "Hele deck…"));
    file->addSeparator()->setObjectName(QStringLiteral("Streep2"));
    m.exit = menuItem(file, QStringLiteral("FileExit"), QCoreApplication::translate("Main", "Exit"));

    QMenu *edit =
        subMenu(window, nullptr, QStringLiteral("Bewerken"), QCoreApplication::translate("Main", "Bewerken"));
    m.undo = menuItem(edit, QStringLiteral("EditUndo"), QString());
    m.undo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    m.redo = menuItem(edit, QStringLiteral("EditRedo"), QString());
    m.redo->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    edit->addSeparator()->setObjectName(QStringLiteral("Streep3"));
    m.placeCourts = menuItem(edit, QStringLiteral("EditHofkaarten"),
                             QCoreApplication::translate("Main", "Hofkaarten plaatsen"));
    m.classicCards = checkItem(edit, QStringLiteral("EditKlassiek"),
                               QCoreApplication::translate("Main", "Klassieke kaarten"), false);

    QMenu *tools =
        subMenu(window, nullptr, QStringLiteral("Tools"), QCoreApplication::translate("Main", "Tools"));
    m.overview = menuItem(tools, QStringLiteral("ToolsShowKaarten"),
                          QCoreApplication::translate("Main", "Overzicht alle Vellora"));
    m.gridLines = checkItem(tools, QStringLiteral("Gridlijnen"),
                            QCoreApplication::translate("Main", "Grid Lijnen"), true);

    QMenu *help =
        subMenu(window, nullptr, QStringLiteral("Help"), QCoreApplication::translate("Main", "Help"));
    m.help = checkItem(help, QStringLiteral("HelpHelp"), QCoreApplication::translate("Main", "Help"), false);
    m.moreSoftware =
        menuItem(help, QStringLiteral("HelpSoftware"), QCoreApplication::translate("Main", "Meer Software"));
    QMenu *screen = subMenu(window, help, QStringLiteral("Beeldscherm"),
                            QCoreApplication::translate("Main", "Beeldscherm"));
    m.screenInfo = menuItem(screen, arrayName("HelpResolutie", 1),
                            QCoreApplication::translate("Main", "Resolutie Opvragen"));
    m.screenGuide = menuItem(screen, arrayName("HelpResolutie", 2),
                             QCoreApplication::translate("Main", "Wijzigen Resolutie"));

    m.jokerOrPhoto = new QMenu(QStringLiteral("JokerOfFoto"), window);
    m.jokerOrPhoto->setObjectName(QStringLiteral("JokerOfFoto"));
    m.jokerArt = menuItem(m.jokerOrPhoto, arrayName("ClipartOfFoto", 1),
                          QCoreApplication::translate("Main", "Clipart gebruiken"));
    m.jokerPhoto = menuItem(m.jokerOrPhoto, arrayName("ClipartOfFoto", 2),
                            QCoreApplication::translate("Main", "Eigen foto gebruiken"));
    return m;
}

} // namespace vellora
