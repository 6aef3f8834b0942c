#include "deck/deckhistory.h"

#include "sheet/sheetstep.h"
#include "surface/surface.h"

#include <QUndoCommand>

namespace vellora {

// One recorded change: the sheet's step and the record on either side of it. Its first redo is the change
// the deck has already made.
class DeckCommand final : public QUndoCommand
{
public:
    DeckCommand(DeckHistory &history, const QString &name, SheetStep step, PrintRecord before, PrintRecord after)
        : QUndoCommand(name), m_history(history), m_step(std::move(step)), m_before(std::move(before)),
          m_after(std::move(after))
    {
    }

    void undo() override { apply(&SheetStep::undo, m_before); }
    void redo() override
    {
        if (m_made) {
            m_made = false;
            return;
        }
        apply(&SheetStep::redo, m_after);
    }

    qint64 bytes() const { return m_step.bytes(); }
    const PrintRecord &before() const { return m_before; }
    const PrintRecord &after() const { return m_after; }
    void drop()
    {
        m_step = SheetStep();
        m_before = PrintRecord();
        m_after = PrintRecord();
    }

private:
    void apply(bool (SheetStep::*direction)(QImage &) const, const PrintRecord &record)
    {
        // The record first: whoever hears of the sheet may print it at once.
        m_history.m_record = record;
        if ((m_step.*direction)(m_history.m_sheet.image()))
            Q_EMIT m_history.sheetRestored(m_step.card(), m_step.isWholeSheet());
    }

    DeckHistory &m_history;
    SheetStep m_step;
    PrintRecord m_before;
    PrintRecord m_after;
    bool m_made = true;
};

namespace {

const DeckCommand &commandAt(const QUndoStack &stack, int index)
{
    return *static_cast<const DeckCommand *>(stack.command(index));
}

qint64 heldBy(const std::vector<qint64> &held, int state)
{
    return state < int(held.size()) ? held[size_t(state)] : 0;
}

} // namespace

DeckHistory::DeckHistory(Surface &sheet, PrintRecord &record, qint64 budget, QObject *parent)
    : QObject(parent), m_sheet(sheet), m_record(record), m_budget(budget)
{
    connect(&m_stack, &QUndoStack::indexChanged, this, &DeckHistory::indexChanged);
    connect(&m_stack, &QUndoStack::indexChanged, this, &DeckHistory::stepsChanged);
    connect(&m_stack, &QUndoStack::undoTextChanged, this, &DeckHistory::stepsChanged);
    connect(&m_stack, &QUndoStack::redoTextChanged, this, &DeckHistory::stepsChanged);
    connect(&m_stack, &QUndoStack::cleanChanged, this, &DeckHistory::cleanChanged);
}

DeckHistory::~DeckHistory()
{
    // The commands refer to this object; they go first.
    QSignalBlocker quiet(m_stack);
    m_stack.clear();
}

bool DeckHistory::record(const QString &name, const QImage &before, const PrintRecord &recordBefore)
{
    SheetStep step = SheetStep::between(before, m_sheet.image());
    if (step.isEmpty()) {
        m_record = recordBefore;
        return false;
    }
    m_stack.push(new DeckCommand(*this, name, std::move(step), recordBefore, m_record));
    keepWithinBudget();
    Q_EMIT stepsChanged();
    return true;
}

void DeckHistory::undo()
{
    if (canUndo())
        m_stack.undo();
}

void DeckHistory::redo()
{
    if (canRedo())
        m_stack.redo();
}

// The records' pictures that only the history keeps alive, by state (state i comes before step i): those of
// the present are the deck's own, and a picture that states share counts once, for the newest of them.
std::vector<qint64> DeckHistory::recordBytesByState() const
{
    const int count = m_stack.count();
    std::vector<qint64> held(size_t(count) + 1, 0);
    QSet<qint64> counted;
    m_record.bytesBeyond(counted);
    for (int state = count; state >= 0; --state) {
        if (state == m_stack.index())
            continue;
        const PrintRecord &record = state < count ? commandAt(m_stack, state).before()
                                                  : commandAt(m_stack, count - 1).after();
        held[size_t(state)] = record.bytesBeyond(counted);
    }
    return held;
}

qint64 DeckHistory::bytes() const
{
    const std::vector<qint64> held = recordBytesByState();
    qint64 total = heldBy(held, m_stack.count());
    for (int i = m_dropped; i < m_stack.count(); ++i)
        total += commandAt(m_stack, i).bytes() + heldBy(held, i);
    return total;
}

void DeckHistory::keepWithinBudget()
{
    // The newest step stays whatever it costs: it is the one the user may want back first.
    const std::vector<qint64> held = recordBytesByState();
    qint64 total = heldBy(held, m_stack.count());
    for (int i = m_stack.count() - 1; i >= m_dropped; --i) {
        total += commandAt(m_stack, i).bytes() + heldBy(held, i);
        if (total > m_budget && i < m_stack.count() - 1) {
            // QUndoStack hands its commands out as const only; emptying one is the only change a command sees
            // after its push.
            for (int j = m_dropped; j <= i; ++j)
                static_cast<DeckCommand *>(const_cast<QUndoCommand *>(m_stack.command(j)))->drop();
            m_dropped = i + 1;
            return;
        }
    }
}

} // namespace vellora
