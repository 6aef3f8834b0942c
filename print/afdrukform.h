#pragma once

#include "sheet/printmaster.h"

#include <QDialog>
#include <QImage>

#include <array>

class QComboBox;
class QLabel;
class QRadioButton;

namespace vellora {

class AppFolder;
class Pacer;
class PictureBox;
class PrintQueues;
class Prompter;
class WorkStrip;

// "Vellora Afdrukken": prints the card faces on six landscape A4 pages, one page for each press of Ok, with a
// reduced preview of the chosen page and a top and left margin. Built afresh at every opening, so the choices
// start again at "Serie 1", "40" and "10". The sheet is only read. A page is handed to the printer in the
// background: the window goes on answering, and takes no second Ok until the page has gone.
class AfdrukForm : public QDialog
{
    Q_OBJECT
public:
    AfdrukForm(const QImage &sheet, Pacer &pacer, Prompter &prompter, const AppFolder &folder,
               const PrintQueues &queues, QWidget *parent = nullptr);

    int selectedPage() const; // 1 to 6
    // Pages are printed from this record's master, drawn on the worker; without one from the sheet. A
    // record that is only the sheet enlarged is said in a line of its own.
    void setPrintRecord(PrintRecord record);

public Q_SLOTS:
    // Closing while a page is on its way calls it off first.
    void reject() override;

private:
    void showPreview(int page);
    void ok();

    QImage m_sheet;
    PrintRecord m_record;
    Prompter &m_prompter;
    WorkStrip *m_work;
    PictureBox *m_pic;
    std::array<QRadioButton *, 6> m_options{};
    QComboBox *m_topMargin;
    QComboBox *m_leftMargin;
    QLabel *m_screenResolution;
};

} // namespace vellora
