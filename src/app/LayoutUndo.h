#pragma once
#include <QString>
#include <QStringList>
#include <memory>

class QUndoStack;

namespace numora {

class LayoutDocument;
class LayoutFileIO;
class Orientation;

// Undo and redo of the operator's edits of the layout. Each step is what
// one operator action changed in the layout's values, with everything it
// set off (handlers, deferred timers): the change is taken when the next
// action begins, so whoever passes the operator's input to the forms (a
// view, a form script) calls checkpoint() first. Keys typed one after
// another into the same field make one step.
//
// A load starts afresh; a save or a run is no step. Numbering moved by a
// run is never put back: a step taken before the run restores its other
// values only.
class LayoutUndo
{
public:
    LayoutUndo(LayoutDocument &doc, LayoutFileIO &files, Orientation &orientation);
    ~LayoutUndo();

    // An operator action begins; `action` names it (a key press names its
    // field: "key:Tee3"), so that typing merges into one step.
    void checkpoint(const QString &action = {});
    void undo();
    void redo();
    bool canUndo() const;
    bool canRedo() const;
    QUndoStack &stack() { return *m_stack; }

    // A layout was loaded: nothing before it can be undone.
    void clear();
    // The program changed the layout (a save, a run): what it changed is
    // taken as it is, no step; numberingMoved when a run moved the
    // numbering on.
    void absorb(bool numberingMoved);

private:
    class Step;
    QStringList values() const;
    // Writes the values of those lines, through the fields' own handlers.
    void apply(const QStringList &target, const QList<int> &lines, bool withNumbering);

    LayoutDocument &m_doc;
    LayoutFileIO &m_files;
    Orientation &m_orientation;
    std::unique_ptr<QUndoStack> m_stack;
    QStringList m_last;     // the values as the last step left them
    bool m_stale = true;    // m_last must be taken afresh, with no step
    QString m_action;       // the action under way since the last checkpoint
    int m_numberingEra = 0; // runs that moved the numbering so far
    bool m_applying = false;
};

} // namespace numora
