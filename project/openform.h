#pragma once

#include <QDialog>
#include <QImage>

#include <optional>

class QLabel;
class QListWidget;

namespace vellora {

class AppFolder;
class ImageButton;
class Pacer;
class ProjectCommands;
class ProjectStore;

// The project chooser: lists Projecten\*.krt by name and opens the chosen one with Ok or a double-click.
class OpenForm : public QDialog
{
    Q_OBJECT
public:
    OpenForm(const ProjectStore &store, ProjectCommands &commands, Pacer &pacer, const AppFolder &folder,
             QWidget *parent = nullptr);

    // The card sheet that Ok installed, if any.
    const std::optional<QImage> &openedSheet() const { return m_opened; }

    QListWidget *list() const { return m_list; }

private:
    void ok();

    ProjectCommands &m_commands;
    QListWidget *m_list;
    QLabel *m_label;
    ImageButton *m_okButton;
    std::optional<QImage> m_opened;
};

} // namespace vellora
