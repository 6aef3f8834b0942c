#pragma once

#include <QObject>

#include <array>

class QWidget;

namespace vellora {

class AppFolder;
class ImageButton;

// The five target pictures Image1(0) .. Image1(4) of both picture dialogs: at most one is chosen, and the
// chosen one alone has a thin border. None is chosen at first.
class TargetOptions : public QObject
{
    Q_OBJECT
public:
    // Placed at left, tops firstTop + 420 x i twips.
    TargetOptions(QWidget *parent, const AppFolder &folder, int left, int firstTop);

    int chosen() const { return m_chosen; } // -1 for none
    void choose(int option);
    ImageButton *option(int i) const { return m_options[std::size_t(i)]; }

private:
    std::array<ImageButton *, 5> m_options{};
    int m_chosen = -1;
};

} // namespace vellora
