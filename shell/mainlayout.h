#pragma once

#include <QColor>
#include <QCursor>
#include <QString>
#include <QStringList>

#include <array>

class QButtonGroup;
class QLabel;
class QPushButton;
class QRadioButton;
class QWidget;

namespace vellora {

class ArtworkShelf;
class ImageButton;
class Pacer;
class PictureBox;
class ShapeWidget;

// The controls of the main window, laid out in twips as the design fixes them. Nothing reacts to a change
// of size. The window wires them; the object names are the ones tests and the help text refer to.
struct MainLayout
{
    PictureBox *symbolSet = nullptr; // HkrsPic
    QButtonGroup *styleChoices = nullptr;
    std::array<QRadioButton *, 10> styleButtons{}; // Option1
    ImageButton *composeButton = nullptr;          // OkKnop
    std::array<ImageButton *, 5> placeButtons{};   // Image1: aces, jacks, queens, kings, jokers
    PictureBox *progressBar = nullptr;             // Bar
    QLabel *clock = nullptr;                       // KlokLabel
    QLabel *viewerBackground = nullptr;            // Label1
    PictureBox *viewer = nullptr;                  // Pic
    QLabel *helpText = nullptr;                    // HelpScherm
    QLabel *rankCaption = nullptr;                 // KaartLabel
    ShapeWidget *pictureArea = nullptr;            // BinnenImage
    std::array<ShapeWidget *, 6> gridLines{};      // Line1 .. Line6
    std::array<QPushButton *, 14> rankButtons{};   // Knop
    std::array<ImageButton *, 4> suitRowButtons{}; // Img
    QLabel *suitRowMark = nullptr;                 // Vinkje

    // The pictures of the Artwork folder that build() shows, in the order it asks for them.
    static QStringList artworkInOrder();
    // Builds every control on `panel`, the window's central widget. Pictures come from `artwork` at the scale
    // of `window`'s screen.
    static MainLayout build(QWidget *panel, const QWidget *window, const ArtworkShelf &artwork, Pacer &pacer,
                            const QCursor &pointer);

    // The rank caption over the viewer, "10" further left to stay centred.
    void showRankCaption(int column);
    // The help text in place of the viewer, or the viewer back.
    void showHelpText(bool on);
    // The guide lines, the picture area and the rank caption over the viewer.
    void showOverlay(bool on);
};

// "Knop(3)": the name of a control in a row of like controls.
QString arrayName(const char *name, int index);

} // namespace vellora
