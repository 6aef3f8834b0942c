#include "project/openform.h"

#include "surface/appfolder.h"
#include "surface/widgets/dialogparts.h"
#include "surface/widgets/imagebutton.h"
#include "surface/platform.h"
#include "project/projectcommands.h"
#include "project/projectstore.h"
#include "surface/twips.h"

#include <QLabel>
#include <QListWidget>

namespace vellora {

OpenForm::OpenForm(const ProjectStore &store, ProjectCommands &commands, Pacer &pacer, const AppFolder &folder,
                   QWidget *parent)
    : QDialog(parent), m_commands(commands)
{
    setObjectName(QStringLiteral("OpenForm"));
    setWindowTitle(QStringLiteral("Openen Vellora"));
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

    m_label = new QLabel(QString::number(names.size()) + QStringLiteral(" Project(en)"), this);
    m_label->setObjectName(QStringLiteral("Label1"));
    m_label->move(px(QPoint(240, 4410)));
    m_label->setMinimumWidth(px(3120 - 45));

    cancelButton(this, pacer, folder, QRect(1680, 4680, 765, 435));
    m_okButton = pictureButton(this, pacer, folder, QStringLiteral("OkKnop"), QStringLiteral("ok.png"),
                               QRect(2520, 4680, 765, 435));

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
    const QListWidgetItem *item = m_list->currentItem();
    const bool chosen = item && item->isSelected();
    m_opened = m_commands.open(chosen ? item->text() : QString());
    accept();
}

} // namespace vellora
