#pragma once

#include "sheet/cardpaste.h"
#include "surface/appfolder.h"
#include "surface/surface.h"

#include <QColor>
#include <QString>

namespace vellora {

// The joker dialog's work without its window: the shipped joker pictures Data\joker-NN.jok, paged by
// number, and the preview that is pasted into the joker area.
class JokerBrowser
{
public:
    explicit JokerBrowser(AppFolder folder, QColor previewBackground = Qt::white);

    // "\Data\joker-09.jok", "\Data\joker-10.jok": a leading 0 up to 9 only.
    static QString relativePath(int number);

    // The number of *.jok files in Data, counted once when the dialog opens.
    int count() const { return m_count; }
    int number() const { return m_number; }
    // "Joker 10/12"
    QString counter() const;

    // Showing joker n: the counter follows whatever happens; a file that cannot be read leaves the
    // previous picture in the preview. True when the picture was loaded.
    bool show(int number);

    // KaartPic: 240 x 330 pixels; a joker picture is shown from its top-left corner.
    const Surface &preview() const { return m_preview; }

    // The preview 1:1 in the joker area of the option's rows of the joker column.
    CardPaste chosen(int option) const;

private:
    bool loadPicture(int number);

    AppFolder m_folder;
    int m_count = 0;
    int m_number = 1;
    Surface m_preview;
    QImage m_master; // the preview at three times the pixels, from the joker's own drawing; null without one
};

} // namespace vellora
