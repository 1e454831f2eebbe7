#pragma once
// A main form on test doubles: manual timers, fixed text sizes, an in-memory
// settings store, a fixed clock and a real Data folder in a temporary place.
#include "app/MainForm.h"
#include "journal/SqlJournal.h"
#include "platform/Dialogs.h"
#include "platform/LayoutFolder.h"
#include "platform/ManualScheduler.h"
#include "platform/MemorySettingsStore.h"
#include "testsupport/FixedClock.h"
#include "testsupport/FixedTextMeasure.h"
#include "testsupport/RecordingDesktop.h"
#include "testsupport/RecordingPrinter.h"

#include <QTemporaryDir>
#include <QTest>
#include <deque>

namespace numora::test {

// Answers questions from a queue; an unexpected question fails the test.
class QueuedDialogs : public Dialogs
{
public:
    std::deque<QString> answers;
    QStringList asked;

    Answer ask(const QString &text, const QString &, Buttons, Answer) override
    {
        asked << text;
        const QString a = next();
        if (a == QLatin1String("Yes"))
            return Answer::Yes;
        if (a == QLatin1String("No"))
            return Answer::No;
        if (a == QLatin1String("Cancel"))
            return Answer::Cancel;
        return Answer::OK;
    }
    QString input(const QString &prompt, const QString &, const QString &proposal) override
    {
        asked << prompt + QStringLiteral(" [") + proposal + QStringLiteral("]");
        const QString a = next();
        return a == QLatin1String("Cancel") ? QString() : a;
    }
    std::optional<qint32> chooseColour(qint32) override
    {
        asked << QStringLiteral("colour");
        const QString a = next();
        if (a == QLatin1String("Cancel"))
            return std::nullopt;
        return qint32(a.toLongLong());
    }
    bool printerSetup(Printer &) override { return next() == QLatin1String("OK"); }
    // A preview asks nothing: it is noted with its lines, and its drawing
    // kept for the test to run.
    void printPreview(const QString &title, const QStringList &lines, Printer &,
                      const std::function<void(Printer &)> &drawPages) override
    {
        previews << (QStringList{title} + lines);
        previewPages = drawPages;
    }
    QList<QStringList> previews;
    std::function<void(Printer &)> previewPages;

private:
    QString next()
    {
        if (answers.empty()) {
            QTest::qFail(qPrintable(QStringLiteral("a question was asked that the test did not expect: ")
                                    + asked.value(asked.size() - 1)),
                         __FILE__, __LINE__);
            return QStringLiteral("Cancel");
        }
        QString a = answers.front();
        answers.pop_front();
        return a;
    }
};

struct FormFixture
{
    ManualScheduler scheduler;
    // The text sizes and the font families the display offers; another
    // choice takes effect when set before start().
    std::unique_ptr<TextMeasure> measure = std::make_unique<FixedTextMeasure>(100, 240);
    QStringList fontNames{QStringLiteral("Arial"), QStringLiteral("Tahoma")};
    QueuedDialogs dialogs;
    MemorySettingsStore settings;
    FixedClock clock;
    QTemporaryDir dir;
    DiskLayoutFolder folder{dir.path() + QStringLiteral("/Data")};
    RecordingPrinter printer;
    RecordingDesktop desktop;
    SqlJournal journal{dir.path() + QStringLiteral("/journal.sqlite")};
    // Another printer or settings store for the forms, when set before
    // start(): a store shared by two fixtures is two programs' one session.
    Printer *usePrinter = nullptr;
    SettingsStore *useSettings = nullptr;
    std::unique_ptr<MainForm> form;

    MainForm &start()
    {
        form = std::make_unique<MainForm>(Services{scheduler, *measure, dialogs,
                                                   useSettings ? *useSettings : settings, clock,
                                                   [names = fontNames] { return names; }, folder,
                                                   usePrinter ? *usePrinter : printer, &desktop, &journal});
        form->startUp();
        settle();
        return *form;
    }
    void settle() { scheduler.settle(); }
};

} // namespace numora::test
