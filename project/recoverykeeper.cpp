#include "project/recoverykeeper.h"

namespace vellora {

RecoveryKeeper::RecoveryKeeper(std::function<std::optional<RecoveryStore::Work>()> unsaved, QObject *parent)
    : QObject(parent), m_unsaved(std::move(unsaved))
{
    m_quiet.setObjectName(QStringLiteral("RecoveryTimer"));
    m_quiet.setSingleShot(true);
    m_quiet.setInterval(kDelayMs);
    connect(&m_quiet, &QTimer::timeout, this, &RecoveryKeeper::writeNow);
}

RecoveryKeeper::~RecoveryKeeper() = default;

bool RecoveryKeeper::start(const QString &folder)
{
    auto store = std::make_unique<RecoveryStore>(folder);
    if (!store->claim())
        return false;
    m_store = std::move(store);
    return true;
}

void RecoveryKeeper::changed()
{
    if (m_store)
        m_quiet.start();
}

void RecoveryKeeper::writeNow()
{
    if (!m_store)
        return;
    if (const std::optional<RecoveryStore::Work> work = m_unsaved())
        m_store->write(work->sheet, work->record);
    else
        m_store->remove();
}

void RecoveryKeeper::discardCopy()
{
    m_quiet.stop();
    if (m_store)
        m_store->remove();
}

std::vector<RecoveryStore::Leftover> RecoveryKeeper::leftovers() const
{
    return m_store ? m_store->leftovers() : std::vector<RecoveryStore::Leftover>{};
}

} // namespace vellora
