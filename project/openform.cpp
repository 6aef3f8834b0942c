#include "project/openform.h"

#include "project/projectcommands.h"
#include "project/projectstore.h"
#include "surface/appfolder.h"
#include "surface/platform.h"
#include "surface/twips.h"
#include "surface/widgets/dialogparts.h"
#include "surface/widgets/imagebutton.h"

#include <QCoreApplication>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <utility>

namespace vellora {

OpenForm::OpenForm(const ProjectStore &store, ProjectCommands &commands, Pacer &pacer, const AppFolder &folder,
                   QWidget *parent)
    : QDialog(parent), m_commands(commands), m_pacer(pacer),
      m_reader([store](const QString &name) { return readProject(store, name); }),
      m_recordReader([store](const QString &name) { return store.openCompanion(name); })
{
    setObjectName(QStringLiteral("OpenForm"));
    setWindowTitle(QCoreApplication::translate("Project", "Openen Vellora"));
    // The list's margins all round, and below the buttons as much as above the list: no empty band.
    setFixedSize(px(QSize(195 + 3120 + 195, 4680 + 435 + 210)));
    setPanelColour(this);

    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("List1"));
    m_list->setGeometry(twipRect(195, 210, 3120, 4140));
    m_list->setFont(QFont(QStringLiteral("Arial"), 10));
    QPalette dark = m_list->palette();
    dark.setColor(QPalette::Base, kListColour);
    dark.setColor(QPalette::Text, kListTextColour);
    m_list->setPalette(dark);
    const QStringList names = store.names();
    m_list->addItems(names);
    // No entry is chosen at first; keyboard focus would otherwise make the first one look chosen.
    m_list->setFocusPolicy(Qt::ClickFocus);
    m_list->setCurrentRow(-1);

    // The count has the catalogue's plural forms; in Dutch it reads "3 Project(en)" whatever the number.
    m_label = new QLabel(QCoreApplication::translate("Project", "%n Project(en)", nullptr, int(names.size())),
                         this);
    m_label->setObjectName(QStringLiteral("Label1"));
    m_label->move(px(QPoint(240, 4410)));
    m_label->setMinimumWidth(px(3120 - 45));

    cancelButton(this, pacer, folder, QRect(1680, 4680, 765, 435));
    m_okButton = pictureButton(this, pacer, folder, QStringLiteral("OkKnop"), QStringLiteral("ok.png"),
                               QRect(2520, 4680, 765, 435));
    // Left of the buttons, shown only while a read takes its time.
    m_progress = new QProgressBar(this);
    m_progress->setObjectName(QStringLiteral("Voortgang"));
    m_progress->setGeometry(twipRect(240, 4800, 1305, 195));
    m_progress->setRange(0, 0);
    m_progress->setTextVisible(false);
    m_progress->hide();

    // Arrow keys move the choice as a click does; the highlighted entry and Label1 never disagree.
    connect(m_list, &QListWidget::currentItemChanged, this, [this](QListWidgetItem *item) {
        if (item)
            m_label->setText(item->text());
    });
    connect(m_list, &QListWidget::itemClicked, this, [this](QListWidgetItem *item) { m_label->setText(item->text()); });
    // A double-click is a press of Ok, pressed look included.
    connect(m_list, &QListWidget::itemDoubleClicked, m_okButton, &ImageButton::click);
    connect(m_okButton, &ImageButton::clicked, this, [this] { ok(); });
}

void OpenForm::ok()
{
    // One read at a time: Ok or a double-click while it runs starts nothing.
    if (m_reading)
        return;
    const QListWidgetItem *item = m_list->currentItem();
    const QString name = item && item->isSelected() ? item->text() : QString();
    if (name.isEmpty()) {
        opened(name, {});
        return;
    }
    m_reading = true;
    const int number = ++m_readNumber;
    m_task.run(this, [reader = m_reader, records = m_recordReader, name](std::stop_token, const TaskProgress &) {
        Read read{reader(name), std::nullopt};
        if (read.sheet)
            read.record = records(name);
        return read;
    }, [this, name, number](Read read) {
        if (number != m_readNumber)
            return;
        m_reading = false;
        m_progress->hide();
        opened(name, std::move(read));
    });
    m_pacer.after(500, m_progress, [this] {
        if (m_reading)
            m_progress->show();
    });
}

void OpenForm::opened(const QString &name, Read read)
{
    m_opened = m_commands.finishOpen(name, std::move(read.sheet));
    if (m_opened)
        m_openedRecord = std::move(read.record);
    accept();
}

void OpenForm::done(int result)
{
    // Closed while a project is read: the read runs out on its worker and its sheet is dropped unseen.
    m_reading = false;
    ++m_readNumber;
    m_progress->hide();
    QDialog::done(result);
}

} // namespace vellora
