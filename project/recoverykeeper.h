#pragma once

#include "project/recoverystore.h"

#include <QImage>
#include <QObject>
#include <QTimer>

#include <functional>
#include <memory>
#include <optional>

namespace vellora {

// Keeps a copy of unsaved work in the user's data folder: a few seconds after the last change, so a burst of
// changes costs one write, and none while the work is saved. The copy goes when the work is saved or the
// program closes normally; one that a crashed program left is offered at the next start.
class RecoveryKeeper : public QObject
{
    Q_OBJECT
public:
    static constexpr int kDelayMs = 3000;

    // `unsaved` gives the work to copy, or nothing when all of it is saved.
    explicit RecoveryKeeper(std::function<std::optional<RecoveryStore::Work>()> unsaved,
                            QObject *parent = nullptr);
    ~RecoveryKeeper() override;

    // Takes this program's place in the folder. Without one the program runs on, keeping no copies.
    bool start(const QString &folder);
    bool isKeeping() const { return m_store != nullptr; }
    RecoveryStore *store() const { return m_store.get(); }

    // After every change: the copy follows once the changes pause.
    void changed();
    // Writes now what the quiet moment would write.
    void writeNow();
    // The work is saved, or the program closes: no copy is needed any more.
    void discardCopy();

    // Copies left by programs that are gone, newest first, each offered once.
    std::vector<RecoveryStore::Leftover> leftovers() const;

private:
    std::function<std::optional<RecoveryStore::Work>()> m_unsaved;
    std::unique_ptr<RecoveryStore> m_store;
    QTimer m_quiet;
};

} // namespace vellora
