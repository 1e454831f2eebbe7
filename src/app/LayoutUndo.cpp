#include "LayoutUndo.h"
#include "layout/LayoutDocument.h"
#include "layoutfiles/LayoutFile.h"
#include "preview/Orientation.h"

#include <QUndoStack>

namespace numora {

namespace {

constexpr int StartNumberLine = 8;
constexpr int OrientationLine = 13;
constexpr int FirstPositionLine = 17, LastPositionLine = 40;
constexpr int FirstCounterLine = 43;

bool isNumbering(int line) { return line == StartNumberLine || line >= FirstCounterLine; }

const QString typingPrefix = QStringLiteral("key:");

} // namespace

class LayoutUndo::Step : public QUndoCommand
{
public:
    Step(LayoutUndo &owner, QStringList before, QStringList after, QString action)
        : m_owner(owner)
        , m_before(std::move(before))
        , m_after(std::move(after))
        , m_action(std::move(action))
        , m_era(owner.m_numberingEra)
    {
        findChanged();
    }

    void undo() override { m_owner.apply(m_before, m_lines, m_era == m_owner.m_numberingEra); }
    void redo() override
    {
        // Pushed after it happened: the first redo has nothing to do.
        if (std::exchange(m_done, false))
            return;
        m_owner.apply(m_after, m_lines, m_era == m_owner.m_numberingEra);
    }
    int id() const override { return m_action.startsWith(typingPrefix) ? 1 : -1; }
    bool mergeWith(const QUndoCommand *other) override
    {
        const auto *next = static_cast<const Step *>(other);
        if (next->m_action != m_action || next->m_era != m_era)
            return false;
        m_after = next->m_after;
        findChanged();
        return true;
    }

private:
    void findChanged()
    {
        m_lines.clear();
        for (int i = 0; i < m_after.size(); ++i)
            if (m_before.value(i) != m_after.at(i))
                m_lines.append(i + 1);
    }

    LayoutUndo &m_owner;
    QStringList m_before, m_after;
    QList<int> m_lines; // 1-based, in the layout file's order
    QString m_action;
    int m_era;
    bool m_done = true;
};

LayoutUndo::LayoutUndo(LayoutDocument &doc, LayoutFileIO &files, Orientation &orientation)
    : m_doc(doc)
    , m_files(files)
    , m_orientation(orientation)
    , m_stack(std::make_unique<QUndoStack>())
{}

LayoutUndo::~LayoutUndo() = default;

QStringList LayoutUndo::values() const { return layoutFileValues(m_doc); }

void LayoutUndo::checkpoint(const QString &action)
{
    if (m_applying)
        return;
    const QStringList now = values();
    if (!m_stale && now != m_last)
        m_stack->push(new Step(*this, m_last, now, m_action));
    m_last = now;
    m_stale = false;
    m_action = action;
}

void LayoutUndo::undo()
{
    checkpoint();
    m_stack->undo();
}

void LayoutUndo::redo()
{
    checkpoint();
    m_stack->redo();
}

bool LayoutUndo::canUndo() const { return m_stack->canUndo(); }

bool LayoutUndo::canRedo() const { return m_stack->canRedo(); }

void LayoutUndo::clear()
{
    m_stack->clear();
    m_stale = true;
}

void LayoutUndo::absorb(bool numberingMoved)
{
    // The action that set it off was taken as it began.
    m_stale = true;
    if (numberingMoved)
        ++m_numberingEra;
}

void LayoutUndo::apply(const QStringList &target, const QList<int> &lines, bool withNumbering)
{
    m_applying = true;
    for (const int line : lines) {
        if (isNumbering(line) && !withNumbering)
            continue;
        // The page turns as the operator turns it; positions stay.
        if (line == OrientationLine) {
            m_orientation.toggleOrientation();
            continue;
        }
        m_files.applyLine(line, target.at(line - 1));
        // A position is taken as a typed one is when its field is left: the
        // scroll bar and the page's box follow it.
        if (line >= FirstPositionLine && line <= LastPositionLine) {
            SignSlot &slot = m_doc.slot((line - 15) / 2);
            (line % 2 ? slot.topCm : slot.leftCm).leave();
        }
    }
    // A counter written after the start number copies itself into it.
    if (withNumbering && lines.contains(StartNumberLine))
        m_files.applyLine(StartNumberLine, target.at(StartNumberLine - 1));
    m_applying = false;
    m_last = values();
}

} // namespace numora
