#include "deck/sheethistory.h"

#include "sheet/sheetstep.h"
#include "surface/surface.h"

#include <QUndoCommand>

namespace vellora {

// One recorded change. Its first redo is the change the window has already made.
class SheetCommand final : public QUndoCommand
{
public:
    SheetCommand(SheetHistory &history, const QString &name, SheetStep step)
        : QUndoCommand(name), m_history(history), m_step(std::move(step))
    {
    }

    void undo() override { apply(&SheetStep::undo); }
    void redo() override
    {
        if (m_made) {
            m_made = false;
            return;
        }
        apply(&SheetStep::redo);
    }

    qint64 bytes() const { return m_step.bytes(); }
    void drop() { m_step = SheetStep(); }

private:
    void apply(bool (SheetStep::*direction)(QImage &) const)
    {
        if ((m_step.*direction)(m_history.m_sheet.image()))
            Q_EMIT m_history.sheetRestored(m_step.card(), m_step.isWholeSheet());
    }

    SheetHistory &m_history;
    SheetStep m_step;
    bool m_made = true;
};

SheetHistory::SheetHistory(Surface &sheet, qint64 budget, QObject *parent)
    : QObject(parent), m_sheet(sheet), m_budget(budget)
{
    connect(&m_stack, &QUndoStack::indexChanged, this, &SheetHistory::stepsChanged);
    connect(&m_stack, &QUndoStack::undoTextChanged, this, &SheetHistory::stepsChanged);
    connect(&m_stack, &QUndoStack::redoTextChanged, this, &SheetHistory::stepsChanged);
}

SheetHistory::~SheetHistory()
{
    // The commands refer to this object; they go first.
    QSignalBlocker quiet(m_stack);
    m_stack.clear();
}

void SheetHistory::record(const QString &name, const QImage &before)
{
    SheetStep step = SheetStep::between(before, m_sheet.image());
    if (step.isEmpty())
        return;
    m_stack.push(new SheetCommand(*this, name, std::move(step)));
    keepWithinBudget();
    Q_EMIT stepsChanged();
}

void SheetHistory::undo()
{
    if (canUndo())
        m_stack.undo();
}

void SheetHistory::redo()
{
    if (canRedo())
        m_stack.redo();
}

namespace {

qint64 heldBy(const std::vector<qint64> &held, int state)
{
    return state < int(held.size()) ? held[size_t(state)] : 0;
}

} // namespace

qint64 SheetHistory::bytes() const
{
    const std::vector<qint64> held = m_stateBytes ? m_stateBytes() : std::vector<qint64>();
    qint64 total = heldBy(held, m_stack.count());
    for (int i = m_dropped; i < m_stack.count(); ++i)
        total += static_cast<const SheetCommand *>(m_stack.command(i))->bytes() + heldBy(held, i);
    return total;
}

void SheetHistory::keepWithinBudget()
{
    // The newest step stays whatever it costs: it is the one the user may want back first.
    const std::vector<qint64> held = m_stateBytes ? m_stateBytes() : std::vector<qint64>();
    qint64 total = heldBy(held, m_stack.count());
    for (int i = m_stack.count() - 1; i >= m_dropped; --i) {
        total += static_cast<const SheetCommand *>(m_stack.command(i))->bytes() + heldBy(held, i);
        if (total > m_budget && i < m_stack.count() - 1) {
            for (int j = m_dropped; j <= i; ++j)
                const_cast<SheetCommand *>(static_cast<const SheetCommand *>(m_stack.command(j)))->drop();
            m_dropped = i + 1;
            return;
        }
    }
}

} // namespace vellora
