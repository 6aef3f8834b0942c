#pragma once

#include "sheet/printmaster.h"
#include "surface/backgroundtask.h"

#include <QDialog>
#include <QImage>

#include <functional>
#include <optional>

class QLabel;
class QListWidget;
class QProgressBar;

namespace vellora {

class AppFolder;
class ImageButton;
class Pacer;
class ProjectCommands;
class ProjectStore;

// The project chooser: lists Projecten\*.krt by name and opens the chosen one with Ok or a double-click. The
// chosen project is read on a worker thread while the window goes on answering; it closes itself once the
// project is read, and a window closed before that drops what the read brings.
class OpenForm : public QDialog
{
    Q_OBJECT
public:
    // Reads the project of that name on a worker thread: its sheet, or nothing when it is not a card sheet.
    using Reader = std::function<std::optional<QImage>(const QString &name)>;

    OpenForm(const ProjectStore &store, ProjectCommands &commands, Pacer &pacer, const AppFolder &folder,
             QWidget *parent = nullptr);

    // The print master's record beside the project, read on the same worker once its sheet is read.
    using RecordReader = std::function<std::optional<PrintRecord>(const QString &name)>;

    // Reads through `reader` instead of the store.
    void setReader(Reader reader) { m_reader = std::move(reader); }

    // The card sheet that Ok installed, if any.
    const std::optional<QImage> &openedSheet() const { return m_opened; }
    // Its record, when a companion beside it belongs to it.
    const std::optional<PrintRecord> &openedRecord() const { return m_openedRecord; }
    bool isReading() const { return m_reading; }

    QListWidget *list() const { return m_list; }

    void done(int result) override;

private:
    void ok();
    struct Read
    {
        std::optional<QImage> sheet;
        std::optional<PrintRecord> record;
    };
    void opened(const QString &name, Read read);

    ProjectCommands &m_commands;
    Pacer &m_pacer;
    Reader m_reader;
    RecordReader m_recordReader;
    QListWidget *m_list;
    QLabel *m_label;
    ImageButton *m_okButton;
    QProgressBar *m_progress;
    bool m_reading = false;
    int m_readNumber = 0; // a read that no longer has this number was dropped by a close
    std::optional<QImage> m_opened;
    std::optional<PrintRecord> m_openedRecord;
    // Last, so that a read going on ends before the rest goes.
    BackgroundTask m_task;
};

} // namespace vellora
