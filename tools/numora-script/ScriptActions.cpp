// The operator's actions: each runs the events the action runs in the
// program, in the same order, through the model controls.
#include "ScriptRunner.h"
#include "app/LayoutUndo.h"
#include "platform/controls/BasicControls.h"
#include "platform/controls/ComboBox.h"

namespace numora::script {

void ScriptRunner::cmdType(const Args &a)
{
    requireStarted("type");
    auto &box = controlAs<TextEditing>(a.at(0), "a text box or combo box");
    // One key press and release per character; the key filters may change or
    // cancel the press, the release still happens.
    for (const char32_t u : a.at(1).text.toUcs4()) {
        box.pressKey(int(u));
        box.releaseKey(int(u));
    }
}

void ScriptRunner::cmdKey(const Args &a)
{
    requireStarted("key");
    auto &box = controlAs<TextEditing>(a.at(0), "a text box or combo box");
    const int code = int(integer(a.at(1), 0, 0x10FFFF, "the key code"));
    box.pressKey(code);
    box.releaseKey(code);
}

void ScriptRunner::cmdLeave(const Args &a)
{
    requireStarted("leave");
    controlAs<TextEditing>(a.at(0), "a text box or combo box").leave();
}

void ScriptRunner::cmdSelect(const Args &a)
{
    requireStarted("select");
    auto &box = controlAs<TextEditing>(a.at(0), "a text box or combo box");
    const qint64 size = box.text().size();
    if (a.size() == 2) {
        if (a.at(1).quoted || a.at(1).text != QLatin1String("all"))
            error(QStringLiteral("usage: select CONTROL START LENGTH | select CONTROL all"));
        box.selectAll();
        return;
    }
    const qint64 start = integer(a.at(1), 0, size, "the start");
    const qint64 length = integer(a.at(2), 0, size - start, "the length");
    box.select(int(start), int(length));
}

void ScriptRunner::cmdClear(const Args &a)
{
    requireStarted("clear");
    auto &box = controlAs<TextEditing>(a.at(0), "a text box or combo box");
    box.clearText();
    box.releaseKey(TextEditing::KeyBackspace);
}

void ScriptRunner::cmdPaste(const Args &a)
{
    requireStarted("paste");
    auto &box = controlAs<TextEditing>(a.at(0), "a text box or combo box");
    box.paste(a.at(1).text);
    box.releaseKey(TextEditing::KeyPaste);
}

void ScriptRunner::cmdChoose(const Args &a)
{
    requireStarted("choose");
    Control &c = operable(a.at(0));
    auto *combo = dynamic_cast<ComboBox *>(&c);
    auto *list = dynamic_cast<ListBox *>(&c);
    if (!combo && !list)
        error(QStringLiteral("%1 is a %2, not a list").arg(a.at(0).text, QLatin1String(c.kind())));
    const QStringList &items = combo ? combo->items() : list->items();
    const Word &item = a.at(1);
    qint64 index = -1;
    // A bare #N picks by position; "#N" in quotes is an item's text.
    if (!item.quoted && item.text.startsWith(QLatin1Char('#'))) {
        if (items.isEmpty())
            error(QStringLiteral("%1 has no items").arg(a.at(0).text));
        index = integer(Word{item.text.mid(1), false}, 0, items.size() - 1, "the position");
    } else {
        index = items.indexOf(item.text);
        if (index < 0)
            error(QStringLiteral("%1 has no item %2").arg(a.at(0).text, quote(item.text)));
    }
    if (combo)
        combo->choose(int(index));
    else
        list->choose(int(index));
}

void ScriptRunner::cmdClick(const Args &a)
{
    requireStarted("click");
    Control &c = operable(a.at(0));
    // A click on a check box turns it over; its click handlers run from there.
    if (auto *check = dynamic_cast<CheckBox *>(&c))
        check->toggle();
    else
        c.click();
}

void ScriptRunner::cmdDblClick(const Args &a)
{
    requireStarted("dblclick");
    Control &c = operable(a.at(0));
    if (auto *list = dynamic_cast<ListBox *>(&c); list && list->listIndex() < 0)
        error(QStringLiteral("%1 has no selected entry to double-click").arg(a.at(0).text));
    c.doubleClick();
}

void ScriptRunner::cmdScroll(const Args &a)
{
    requireStarted("scroll");
    auto &bar = controlAs<ScrollBar>(a.at(0), "a scroll bar");
    const qint64 lo = std::min(bar.min(), bar.max());
    const qint64 hi = std::max(bar.min(), bar.max());
    bar.setValue(integer(a.at(1), lo, hi, "the scroll value"));
}

void ScriptRunner::cmdMouse(const Args &a)
{
    requireStarted("mouse");
    const QString &what = a.at(0).text;
    MouseAction action = MouseAction::Down;
    if (what == QLatin1String("down"))
        action = MouseAction::Down;
    else if (what == QLatin1String("move"))
        action = MouseAction::Move;
    else if (what == QLatin1String("up"))
        action = MouseAction::Up;
    else
        error(QStringLiteral("usage: mouse down|move|up CONTROL X Y [BUTTON]"));
    // A window's name is the pointer over its own background.
    const bool background = !a.at(1).quoted && isFormName(a.at(1).text);
    Form *f = background ? &operableForm(a.at(1).text) : nullptr;
    Control *c = background ? nullptr : &operable(a.at(1));
    const double x = number(a.at(2), "X");
    const double y = number(a.at(3), "Y");
    const int button = a.size() > 4 ? int(integer(a.at(4), 0, 7, "the button")) : 1;
    if (f)
        f->mouse(action, button, x, y);
    else
        c->mouse(action, button, x, y);
}

// Ctrl+Z and Ctrl+Shift+Z on the main window.
void ScriptRunner::cmdUndo(const Args &)
{
    requireStarted("undo");
    m_session->main->undo().undo();
}

void ScriptRunner::cmdRedo(const Args &)
{
    requireStarted("redo");
    m_session->main->undo().redo();
}

void ScriptRunner::cmdClose(const Args &a)
{
    requireStarted("close");
    const QString &name = a.at(0).text;
    const FormEntry *entry = findFormEntry(name);
    if (!entry)
        error(QStringLiteral("unknown window %1").arg(quote(name)));
    if (!entry->close)
        notAvailable(QStringLiteral("closing %1 has no handler in the program yet").arg(name));
    entry->close(*m_session, form(name));
}

void ScriptRunner::cmdRestore(const Args &a)
{
    requireStarted("restore");
    // The operator brings a minimised (or maximised) window back to its
    // normal state, as from the task bar.
    operableForm(a.at(0).text).setWindowState(0);
}

} // namespace numora::script
