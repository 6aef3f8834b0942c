#pragma once

#include <QObject>
#include <QPoint>
#include <QUndoStack>

#include <functional>
#include <vector>

class QImage;

namespace vellora {

class Surface;

// The undo history of the card sheet. Every change is made first and recorded afterwards, with the sheet
// as it was before, as one step of a QUndoStack.
//
// The history never holds more than its budget. QUndoStack can only drop its oldest commands by a count set
// while it is empty, so steps over the budget are emptied from the oldest on and stay below the reach of
// undo; they cost a few bytes each.
class SheetHistory : public QObject
{
    Q_OBJECT
public:
    static constexpr qint64 kDefaultBudget = 256ll * 1024 * 1024;

    explicit SheetHistory(Surface &sheet, qint64 budget = kDefaultBudget, QObject *parent = nullptr);
    ~SheetHistory() override;

    // The stack's clean state is the window's "saved" state.
    QUndoStack &stack() { return m_stack; }
    const QUndoStack &stack() const { return m_stack; }

    // Keeps the change just made to the sheet as one step named `name`; a change of nothing is no step.
    void record(const QString &name, const QImage &before);

    bool canUndo() const { return m_stack.index() > m_dropped; }
    bool canRedo() const { return m_stack.canRedo(); }
    QString undoText() const { return canUndo() ? m_stack.undoText() : QString(); }
    QString redoText() const { return m_stack.redoText(); }
    void undo();
    void redo();

    // What the history keeps alive besides its steps, by state (state i comes before step i): for each, the
    // bytes no newer state and not the present holds. It is weighed with the steps whenever one is recorded.
    void setStateBytes(std::function<std::vector<qint64>()> stateBytes)
    {
        m_stateBytes = std::move(stateBytes);
    }

    // The steps that can still be undone, and the memory all steps and their states hold.
    int undoableSteps() const { return m_stack.index() - m_dropped; }
    qint64 bytes() const;

Q_SIGNALS:
    // After an undo or redo: the card the step changed (column, row), or the whole sheet.
    void sheetRestored(QPoint card, bool wholeSheet);
    // What can be undone or redone, or under which name, changed.
    void stepsChanged();

private:
    friend class SheetCommand;
    void keepWithinBudget();

    Surface &m_sheet;
    std::function<std::vector<qint64>()> m_stateBytes;
    qint64 m_budget;
    QUndoStack m_stack;
    int m_dropped = 0; // the oldest commands, emptied to keep within the budget
};

} // namespace vellora
