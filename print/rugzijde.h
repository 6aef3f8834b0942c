#pragma once

#include "print/backgallery.h"
#include "surface/surface.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QScrollBar;

namespace vellora {

class AppFolder;
class Pacer;
class PictureBox;
class PrintQueues;
class Prompter;
class WorkStrip;

// " Afdrukken Rugzijde": prints a chosen card back stretched over a portrait A4 sheet, so that sheets printed
// with faces can be fed in again. The backs are browsed with a scroll bar; the preview shows a back's top-left
// at its own size. Built afresh at every opening: back 0, margins "0" and "0". The back goes to the printer in
// the background, as the faces do.
class Rugzijde : public QDialog
{
    Q_OBJECT
public:
    Rugzijde(Pacer &pacer, Prompter &prompter, const AppFolder &folder, const PrintQueues &queues,
             QWidget *parent = nullptr);

    // The back that Print prints.
    const Surface &backPic() const { return m_backPic; }

public Q_SLOTS:
    // Closing while a back is on its way calls it off first.
    void reject() override;

private:
    void showBack(int n);
    void print();

    Prompter &m_prompter;
    WorkStrip *m_work;
    BackGallery m_gallery;
    PictureBox *m_pic;
    QScrollBar *m_scroll;
    QLabel *m_counter;
    QComboBox *m_topMargin;
    QComboBox *m_leftMargin;
    Surface m_backPic;
};

} // namespace vellora
