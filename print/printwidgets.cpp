#include "print/printwidgets.h"

#include "print/pagetables.h"
#include "surface/twips.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

namespace vellora::printui {

QLabel *label(QWidget *parent, const char *name, const QString &text, int left, int top)
{
    auto *l = new QLabel(text, parent);
    l->setObjectName(QLatin1String(name));
    l->move(px(QPoint(left, top)));
    l->adjustSize();
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

} // namespace vellora::printui
