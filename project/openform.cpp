#include "project/openform.h"

#include "surface/appfolder.h"
#include "surface/widgets/artwork.h"
#include "surface/widgets/imagebutton.h"
#include "surface/platform.h"
#include "project/projectcommands.h"
#include "project/projectstore.h"
#include "surface/twips.h"

#include <QLabel>
#include <QListWidget>
#include <QPixmap>

namespace vellora {

namespace {

ImageButton *pictureButton(QWidget *parent, const AppFolder &folder, const char *name, const QString &art,
                           QRect geometry)
{
    auto *button = new ImageButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(geometry);
    button->setPixmap(artworkPixmap(folder, art, parent));
    button->setCursor(Qt::PointingHandCursor);
    return button;
}

} // namespace

OpenForm::OpenForm(const ProjectStore &store, ProjectCommands &commands, Pacer &pacer, const AppFolder &folder,
                   QWidget *parent)
    : QDialog(parent), m_commands(commands), m_pacer(pacer)
{
    setObjectName(QStringLiteral("OpenForm"));
    setWindowTitle(QStringLiteral("Openen Vellora"));
    // The list's margins all round, and below the buttons as much as above the list: no empty band.
    setFixedSize(px(QSize(195 + 3120 + 195, 4680 + 435 + 210)));
    setAutoFillBackground(true);
    QPalette panel = palette();
    panel.setColor(QPalette::Window, QColor(220, 220, 190));
    setPalette(panel);

    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("List1"));
    m_list->setGeometry(twipRect(195, 210, 3120, 4140));
    m_list->setFont(QFont(QStringLiteral("Arial"), 10));
    QPalette dark = m_list->palette();
    dark.setColor(QPalette::Base, QColor(0, 0, 40));
    dark.setColor(QPalette::Text, QColor(220, 220, 220));
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

    m_cancelButton = pictureButton(this, folder, "CancelKnop", QStringLiteral("cancel.png"), twipRect(1680, 4680, 765, 435));
    m_okButton = pictureButton(this, folder, "OkKnop", QStringLiteral("ok.png"), twipRect(2520, 4680, 765, 435));

    // Arrow keys move the choice as a click does; the highlighted entry and Label1 never disagree.
    connect(m_list, &QListWidget::currentItemChanged, this, [this](QListWidgetItem *item) {
        if (item)
            m_label->setText(item->text());
    });
    connect(m_list, &QListWidget::itemClicked, this, [this](QListWidgetItem *item) { m_label->setText(item->text()); });
    connect(m_list, &QListWidget::itemDoubleClicked, this, [this] { ok(); });
    connect(m_okButton, &ImageButton::clicked, this, [this] { ok(); });
    connect(m_cancelButton, &ImageButton::clicked, this, [this] { cancel(); });
    m_cancelButton->takeEscapeKey();
}

void OpenForm::ok()
{
    if (m_closing)
        return;
    m_closing = true;
    m_okButton->pressedLook(m_pacer);
    const QListWidgetItem *item = m_list->currentItem();
    const bool chosen = item && item->isSelected();
    m_opened = m_commands.open(chosen ? item->text() : QString());
    accept();
}

void OpenForm::cancel()
{
    if (m_closing)
        return;
    m_closing = true;
    m_cancelButton->pressedLook(m_pacer);
    reject();
}

} // namespace vellora
