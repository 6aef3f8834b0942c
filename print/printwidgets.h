#pragma once

#include <QColor>
#include <QRect>
#include <QString>

class QComboBox;
class QLabel;
class QWidget;

namespace vellora {

class AppFolder;
class ImageButton;

// The pieces both print windows are made of, laid out in twips as their tables give them.
namespace printui {

void setPanelColour(QWidget *window);
QLabel *label(QWidget *parent, const char *name, const QString &text, int left, int top);
QLabel *frame(QWidget *parent, const char *name, QRect twips, QColor colour);
// An editable margin box listing "0" to "99", dark with light text, showing `initial`.
QComboBox *marginBox(QWidget *parent, const char *name, int left, int top, const QString &initial);
ImageButton *pictureButton(QWidget *parent, const AppFolder &folder, const char *name, const QString &art,
                           QRect twips);

} // namespace printui
} // namespace vellora
