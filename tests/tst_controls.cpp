#include "platform/ManualScheduler.h"
#include "platform/controls/BasicControls.h"
#include "platform/controls/ComboBox.h"
#include "platform/controls/Label.h"
#include "platform/controls/TextEditing.h"
#include "platform/controls/Timer.h"

#include <QTest>

using namespace numora;

class TestControls : public QObject
{
    Q_OBJECT
private slots:
    void writesOfTheHeldValueRunNothing();
    void failingWritesChangeNothing_data();
    void failingWritesChangeNothing();
    void typingRunsFilterInsertChangeRelease();
    void filtersCanRewriteTheTextBeforeInsertion();
    void pickListAndEditableCombos();
    void handlersAreReentrant();
    void disconnectedHandlersRunNoMore();
    void schedulerRunsDueTicksInOrder();
    void severalArmingsGiveOneTick();
    void settleLeavesEndlessTimersAside();
    void autosizedLabelFollowsItsText();
    void propertiesByName_data();
    void propertiesByName();
};

void TestControls::writesOfTheHeldValueRunNothing()
{
    int changes = 0;
    TextBox t(QStringLiteral("t"));
    t.onChange.connect([&] { ++changes; });
    t.setText(QStringLiteral("a"));
    t.setText(QStringLiteral("a"));
    ScrollBar s(QStringLiteral("s"), 1, 10, 1);
    s.onChange.connect([&] { ++changes; });
    s.setValue(1);
    CheckBox c(QStringLiteral("c"), QString());
    c.onClick.connect([&] { ++changes; });
    c.setValue(0);
    Label l(QStringLiteral("l"), QStringLiteral("x"));
    l.onChange.connect([&] { ++changes; });
    l.setCaption(QStringLiteral("x"));
    QCOMPARE(changes, 1);
}

void TestControls::failingWritesChangeNothing_data()
{
    QTest::addColumn<int>("value");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("below minimum") << 0 << false;
    QTest::newRow("above maximum") << 2971 << false;
    QTest::newRow("minimum") << 1 << true;
    QTest::newRow("maximum") << 2970 << true;
}

void TestControls::failingWritesChangeNothing()
{
    QFETCH(int, value);
    QFETCH(bool, accepted);
    ScrollBar s(QStringLiteral("VS1"), 1, 2970, 500);
    int changes = 0;
    s.onChange.connect([&] { ++changes; });
    QCOMPARE(s.setValue(value), accepted);
    QCOMPARE(s.value(), accepted ? value : 500);
    QCOMPARE(changes, accepted ? 1 : 0);
}

void TestControls::typingRunsFilterInsertChangeRelease()
{
    TextBox t(QStringLiteral("t"));
    QStringList log;
    t.onKeyPress.connect([&](int &key) {
        log << QStringLiteral("press %1").arg(key);
        if (key == 'x')
            key = 0; // refused
        else if (key == 'a')
            key = 'b'; // rewritten
    });
    t.onChange.connect([&] { log << QStringLiteral("change ") + t.text(); });
    t.onKeyUp.connect([&](int key) { log << QStringLiteral("up %1").arg(key); });
    for (int k : {int('a'), int('x'), int('c')}) {
        t.pressKey(k);
        t.releaseKey(k);
    }
    QCOMPARE(t.text(), QStringLiteral("bc"));
    QCOMPARE(log, (QStringList{QStringLiteral("press 97"), QStringLiteral("change b"), QStringLiteral("up 97"),
                               QStringLiteral("press 120"), QStringLiteral("up 120"), QStringLiteral("press 99"),
                               QStringLiteral("change bc"), QStringLiteral("up 99")}));
    // The selection is replaced; Backspace deletes it or the character before.
    t.select(0, 1);
    t.pressKey('z');
    QCOMPARE(t.text(), QStringLiteral("zc"));
    t.pressKey(TextEditing::KeyBackspace);
    QCOMPARE(t.text(), QStringLiteral("c"));
    t.selectAll();
    t.pressKey(TextEditing::KeyBackspace);
    QCOMPARE(t.text(), QString());
    t.pressKey(TextEditing::KeyBackspace); // nothing to delete, no change
    // A paste that the filter cancels inserts nothing.
    t.onKeyPress.connect([](int &key) {
        if (key == TextEditing::KeyPaste)
            key = 0;
    });
    t.paste(QStringLiteral("pasted"));
    QCOMPARE(t.text(), QString());
    // Line breaks cannot enter a one-line field.
    TextBox line(QStringLiteral("Co1"));
    line.paste(QStringLiteral("No\r\nX\n"));
    QCOMPARE(line.text(), QStringLiteral("No  X "));
}

void TestControls::filtersCanRewriteTheTextBeforeInsertion()
{
    // A filter that empties a fully selected field: the key then lands in
    // the empty field, not at the old caret.
    TextBox t(QStringLiteral("Te1"));
    t.setText(QStringLiteral("1234"));
    t.onKeyPress.connect([&](int &) {
        if (t.selectedText() == t.text())
            t.setText(QString());
    });
    t.selectAll();
    t.pressKey('5');
    QCOMPARE(t.text(), QStringLiteral("5"));
}

void TestControls::pickListAndEditableCombos()
{
    ComboBox pick(QStringLiteral("Combo3"), ComboBox::PickList);
    pick.setItems({QStringLiteral("1 X 1"), QStringLiteral("2 X 2")});
    int clicks = 0, changes = 0;
    pick.onClick.connect([&] { ++clicks; });
    pick.onChange.connect([&] { ++changes; });
    QVERIFY(!pick.setText(QStringLiteral("5 X 5")));
    QCOMPARE(pick.listIndex(), -1);
    QVERIFY(pick.setText(QStringLiteral("2 X 2")));
    QVERIFY(pick.setText(QStringLiteral("2 X 2")));
    QCOMPARE(pick.listIndex(), 1);
    QVERIFY(!pick.setListIndex(2));
    pick.pressKey('a'); // a pick list takes no typing
    QCOMPARE(pick.text(), QStringLiteral("2 X 2"));
    QVERIFY(pick.choose(QStringLiteral("2 X 2"))); // the operator's pick always clicks
    QCOMPARE(clicks, 2);
    QCOMPARE(changes, 0);

    ComboBox edit(QStringLiteral("Co1"), ComboBox::Editable);
    edit.setItems({QString(), QStringLiteral("No:")});
    edit.onClick.connect([&] { ++clicks; });
    edit.onChange.connect([&] { ++changes; });
    QVERIFY(edit.setText(QStringLiteral("free text")));
    QCOMPARE(edit.listIndex(), -1);
    edit.pressKey('!');
    QCOMPARE(edit.text(), QStringLiteral("free text!"));
    QVERIFY(edit.choose(0)); // the empty item is a real choice
    QCOMPARE(edit.text(), QString());
    QCOMPARE(changes, 2);
    QCOMPARE(clicks, 3);
}

void TestControls::handlersAreReentrant()
{
    // A handler that writes another control runs that control's handlers
    // before the write returns.
    TextBox a(QStringLiteral("a")), b(QStringLiteral("b"));
    QStringList order;
    a.onChange.connect([&] {
        order << QStringLiteral("a");
        b.setText(a.text());
        order << QStringLiteral("a done");
    });
    b.onChange.connect([&] {
        order << QStringLiteral("b");
        if (b.text() == QLatin1String("1"))
            a.setText(QStringLiteral("2"));
    });
    a.setText(QStringLiteral("1"));
    QCOMPARE(a.text(), QStringLiteral("2"));
    QCOMPARE(b.text(), QStringLiteral("2"));
    QCOMPARE(order.first(), QStringLiteral("a"));
    QCOMPARE(order.last(), QStringLiteral("a done"));
}

void TestControls::disconnectedHandlersRunNoMore()
{
    // A handler may take itself or a later one off while the event runs;
    // the others still run in order and the list does not keep dead entries.
    Event<int> e;
    QStringList order;
    Event<int>::Token second = 0;
    Event<int>::Token first = 0;
    first = e.connect([&](int v) {
        order << QStringLiteral("first %1").arg(v);
        e.disconnect(first);
        e.disconnect(second);
    });
    second = e.connect([&](int) { order << QStringLiteral("second"); });
    e.connect([&](int v) { order << QStringLiteral("third %1").arg(v); });
    e.raise(1);
    e.raise(2);
    QCOMPARE(order, (QStringList{QStringLiteral("first 1"), QStringLiteral("third 1"), QStringLiteral("third 2")}));
    QCOMPARE(e.size(), std::size_t(1));
    e.disconnect(first); // spent tokens are ignored
    e.raise(3);
    QCOMPARE(order.size(), 4);
}

void TestControls::schedulerRunsDueTicksInOrder()
{
    ManualScheduler s;
    Timer slow(QStringLiteral("slow"), s), fast(QStringLiteral("fast"), s);
    QStringList log;
    slow.onTick.connect([&] {
        log << QStringLiteral("slow@%1").arg(s.now());
        slow.setInterval(0);
    });
    fast.onTick.connect([&] {
        log << QStringLiteral("fast@%1").arg(s.now());
        if (s.now() >= 30)
            fast.setInterval(0);
    });
    slow.setInterval(25);
    fast.setInterval(10);
    s.advance(9);
    QVERIFY(log.isEmpty());
    s.advance(100);
    QCOMPARE(log, (QStringList{QStringLiteral("fast@10"), QStringLiteral("fast@20"), QStringLiteral("slow@25"),
                               QStringLiteral("fast@30")}));
    QVERIFY(!s.anyArmed(true));
}

void TestControls::severalArmingsGiveOneTick()
{
    ManualScheduler s;
    Timer t(QStringLiteral("Timer5"), s);
    int ticks = 0;
    t.onTick.connect([&] {
        ++ticks;
        t.setInterval(0);
    });
    t.setInterval(50);
    t.setInterval(1); // a sooner request replaces the pending one
    t.setInterval(1);
    s.advance(1);
    QCOMPARE(ticks, 1);
    s.advance(100);
    QCOMPARE(ticks, 1);
}

void TestControls::settleLeavesEndlessTimersAside()
{
    ManualScheduler s;
    Timer endless(QStringLiteral("keepInFront"), s, true), once(QStringLiteral("once"), s);
    int endlessTicks = 0, onceTicks = 0;
    endless.onTick.connect([&] { ++endlessTicks; });
    once.onTick.connect([&] {
        ++onceTicks;
        once.setInterval(0);
    });
    endless.setInterval(1000);
    once.setInterval(2500);
    QVERIFY(s.settle());
    QCOMPARE(onceTicks, 1);
    QCOMPARE(endlessTicks, 2);
    QVERIFY(s.anyArmed(true));
    QVERIFY(!s.anyArmed(false));
    // A timer that never stops is reported once the bound is reached.
    Timer runaway(QStringLiteral("runaway"), s);
    runaway.setInterval(1);
    QVERIFY(!s.settle(100));
}

void TestControls::autosizedLabelFollowsItsText()
{
    Label l(QStringLiteral("LA1"));
    l.setAutoSize(true, [](const QString &t, const FontSpec &f, double &w, double &h) {
        w = 100.0 * double(t.size()) * (f.bold ? 2 : 1);
        h = 200;
    });
    l.setCaption(QStringLiteral("abc"));
    QCOMPARE(l.width(), 300.0);
    l.setFontBold(true);
    QCOMPARE(l.width(), 600.0);
    QCOMPARE(l.height(), 200.0);
}

QTEST_GUILESS_MAIN(TestControls)
#include "tst_controls.moc"

void TestControls::propertiesByName_data()
{
    QTest::addColumn<QString>("target"); // "control.property"
    QTest::addColumn<QVariant>("written");
    QTest::addColumn<bool>("done");
    QTest::addColumn<QVariant>("read");
    const auto row = [](const char *name, const char *target, QVariant written, bool done, QVariant read) {
        QTest::newRow(name) << QString::fromUtf8(target) << written << done << read;
    };
    const QVariant x(QStringLiteral("x")), b(QStringLiteral("b"));
    row("own", "Label.caption", x, true, x);
    row("converted", "Label.fontsize", QStringLiteral("12.5"), true, 12.5);
    row("the base's", "Label.left", 120, true, 120.0);
    row("read-only", "Label.autosize", true, false, false);
    row("refused by the setter", "ListBox.listIndex", 5, false, -1);
    row("an item", "ListBox.list(1)", QVariant(), false, b);
    row("two levels up", "ComboBox.text", b, true, b);
    row("checked", "Timer.interval", -1, false, 0);
    row("unknown", "Timer.caption", x, false, QVariant());
}

void TestControls::propertiesByName()
{
    QFETCH(QString, target);
    QFETCH(QVariant, written);
    QFETCH(bool, done);
    QFETCH(QVariant, read);
    ManualScheduler scheduler;
    Label label(QStringLiteral("l"));
    ListBox list(QStringLiteral("b"));
    ComboBox combo(QStringLiteral("c"), ComboBox::Editable);
    Timer timer(QStringLiteral("t"), scheduler);
    for (const char *item : {"a", "b"}) {
        list.addItem(QLatin1String(item));
        combo.addItem(QLatin1String(item));
    }
    const QString control = target.section(QLatin1Char('.'), 0, 0);
    const QString property = target.section(QLatin1Char('.'), 1);
    Control *c = control == QLatin1String("Label")      ? static_cast<Control *>(&label)
                 : control == QLatin1String("ListBox")  ? static_cast<Control *>(&list)
                 : control == QLatin1String("ComboBox") ? static_cast<Control *>(&combo)
                                                        : static_cast<Control *>(&timer);
    QCOMPARE(c->has(property), read.isValid());
    if (written.isValid())
        QCOMPARE(c->set(property, written), done);
    QCOMPARE(c->get(property), read);
}
