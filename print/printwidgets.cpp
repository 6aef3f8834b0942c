#include "print/printwidgets.h"

#include "surface/appfolder.h"
#include "surface/widgets/artwork.h"
#include "surface/widgets/imagebutton.h"
#include "print/pagetables.h"
#include "surface/twips.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>

namespace vellora::printui {

void setPanelColour(QWidget *window)
{
    window->setAutoFillBackground(true);
    QPalette panel = window->palette();
    panel.setColor(QPalette::Window, QColor(220, 220, 190));
    window->setPalette(panel);
}

QLabel *label(QWidget *parent, const char *name, const QString &text, int left, int top)
{
    auto *l = new QLabel(text, parent);
    l->setObjectName(QLatin1String(name));
    l->move(px(QPoint(left, top)));
    l->adjustSize();
    return l;
}

QLabel *frame(QWidget *parent, const char *name, QRect twips, QColor colour)
{
    auto *l = new QLabel(parent);
    l->setObjectName(QLatin1String(name));
    l->setGeometry(px(twips));
    l->setAutoFillBackground(true);
    QPalette p = l->palette();
    p.setColor(QPalette::Window, colour);
    l->setPalette(p);
    return l;
}

QComboBox *marginBox(QWidget *parent, const char *name, int left, int top, const QString &initial)
{
    auto *box = new QComboBox(parent);
    box->setObjectName(QLatin1String(name));
    box->setEditable(true);
    // Typed values stay in the edit field and are never added to the list: "150" is a margin, not an entry.
    box->setInsertPolicy(QComboBox::NoInsert);
    box->setMaxVisibleItems(8);
    for (int i = 0; i < print::kMarginEntries; ++i)
        box->addItem(QString::number(i));
    box->setCurrentIndex(box->findText(initial));
    box->move(px(QPoint(left, top)));
    box->resize(px(750), box->sizeHint().height());
    QPalette dark = box->palette();
    for (const QPalette::ColorRole role : {QPalette::Base, QPalette::Button, QPalette::Window})
        dark.setColor(role, QColor(0, 0, 40));
    for (const QPalette::ColorRole role : {QPalette::Text, QPalette::ButtonText, QPalette::WindowText})
        dark.setColor(role, QColor(220, 220, 230));
    box->setPalette(dark);
    box->view()->setPalette(dark);
    return box;
}

ImageButton *pictureButton(QWidget *parent, const AppFolder &folder, const char *name, const QString &art,
                           QRect twips)
{
    auto *button = new ImageButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setGeometry(px(twips));
    button->setPixmap(artworkPixmap(folder, art, parent));
    button->setCursor(Qt::PointingHandCursor);
    return button;
}

} // namespace vellora::printui
