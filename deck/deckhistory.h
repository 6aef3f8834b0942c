#pragma once

#include "sheet/printmaster.h"

#include <QObject>
#include <QPoint>
#include <QUndoStack>

#include <vector>

class QImage;

namespace vellora {

class Surface;

// The undo history of the deck. Every change is made first and recorded afterwards, with the sheet and the
// print record as they were before, as one step of a QUndoStack; undo and redo bring back both in one move,
// the record before the window hears of the sheet.
//
// The history never holds more than its budget. QUndoStack can only drop its oldest commands by a count set
// while it is empty, so steps over the budget are emptied from the oldest on and stay below the reach of
// undo; they cost a few bytes each.
class DeckHistory : public QObject
{
    Q_OBJECT
public:
    static constexpr qint64 kDefaultBudget = 256ll * 1024 * 1024;

    // `sheet` and `record` are the deck's own, which undo and redo set.
    DeckHistory(Surface &sheet, PrintRecord &record, qint64 budget = kDefaultBudget, QObject *parent = nullptr);
    ~DeckHistory() override;

    // Keeps the change just made to the sheet and the record as one step named `name`. A change of nothing
    // on the sheet is no step, and the record goes back to `recordBefore`: false then.
    bool record(const QString &name, const QImage &before, const PrintRecord &recordBefore);

    // The clean state is the window's "saved" state.
    bool isClean() const { return m_stack.isClean(); }
    void setClean() { m_stack.setClean(); }
    // No state is clean any more, not even this one.
    void resetClean() { m_stack.resetClean(); }

    bool canUndo() const { return m_stack.index() > m_dropped; }
    bool canRedo() const { return m_stack.canRedo(); }
    QString undoText() const { return canUndo() ? m_stack.undoText() : QString(); }
    QString redoText() const { return m_stack.redoText(); }
    void undo();
    void redo();

    // The steps that can still be undone, and the memory all steps hold: their sheet changes and the
    // pictures of their records that no newer state and not the present holds.
    int undoableSteps() const { return m_stack.index() - m_dropped; }
    qint64 bytes() const;

Q_SIGNALS:
    // After an undo or redo: the card the step changed (column, row), or the whole sheet.
    void sheetRestored(QPoint card, bool wholeSheet);
    // What can be undone or redone, or under which name, changed.
    void stepsChanged();
    void cleanChanged(bool clean);
    // A step was recorded, undone or redone.
    void indexChanged();

private:
    friend class DeckCommand;
    std::vector<qint64> recordBytesByState() const;
    void keepWithinBudget();

    Surface &m_sheet;
    PrintRecord &m_record;
    qint64 m_budget;
    QUndoStack m_stack;
    int m_dropped = 0; // the oldest commands, emptied to keep within the budget
};

} // namespace vellora
