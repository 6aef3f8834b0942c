#pragma once

#include <QString>

class QComboBox;
class QLabel;
class QWidget;

namespace vellora {

// The pieces the print windows are made of, laid out in twips as their tables give them.
namespace printui {

QLabel *label(QWidget *parent, const char *name, const QString &text, int left, int top);
// An editable margin box listing "0" to "99", dark with light text, showing `initial`.
QComboBox *marginBox(QWidget *parent, const char *name, int left, int top, const QString &initial);

} // namespace printui
} // namespace vellora
