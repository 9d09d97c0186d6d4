// Requests from outside the window: a second start with or without a
// switch, and what the running copy does with each request.
#include "FormHarness.h"
#include "WarningsFail.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {
// A second start for the same settings as first, whose running copy answers
// as told.
struct SecondCopy : FormHarness {
    SecondCopy(const FormHarness& first, RunningCopyAnswer answer)
        : FormHarness(first.paths.programDir) {
        fake.runningCopy.answer = answer;
    }
};
}  // namespace

class TestSummons : public WarningsFail {
    Q_OBJECT
private Q_SLOTS:
    // With a switch the answer is the exit status, never a box; without one
    // the box says the program is in the tray unless the running copy showed
    // its window instead. Nothing of the second start reaches the bus as a
    // running copy.
    void aSecondStartHandsTheRequestOnAndEnds_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("asked");
        QTest::addColumn<int>("status");
        QTest::addColumn<bool>("box");
        QTest::addColumn<bool>("error");
        using K = Summon::Kind;
        using A = RunningCopyAnswer;
        const auto row = [](const char* name, K kind, A answer, const char* asked, int status,
                            bool box, bool error) {
            QTest::newRow(name) << int(kind) << int(answer) << QString::fromUtf8(asked) << status
                                << box << error;
        };
        row("show reached", K::Show, A::Showed, "ShowWindow", 0, false, false);
        row("toggle reached", K::Toggle, A::Showed, "ToggleWindow", 0, false, false);
        row("popup reached", K::Popup, A::Showed, "PopupQuickList", 0, false, false);
        row("find reached", K::Find, A::Showed, "Find:tax", 0, false, false);
        row("show unreachable", K::Show, A::Unreachable, "ShowWindow", 1, false, true);
        row("bare with a tray", K::None, A::DidNotShow, "SecondStart", 0, true, false);
        row("bare, window shown", K::None, A::Showed, "SecondStart", 0, false, false);
        row("bare unreachable", K::None, A::Unreachable, "SecondStart", 0, true, false);
    }
    void aSecondStartHandsTheRequestOnAndEnds() {
        QFETCH(int, kind);
        QFETCH(int, answer);
        QFETCH(QString, asked);
        QFETCH(int, status);
        QFETCH(bool, box);
        QFETCH(bool, error);
        FormHarness first;
        first.load();
        QCOMPARE(first.fake.runningCopy.listening, u"org.varnel.Varnel"_s);
        SecondCopy second(first, RunningCopyAnswer(answer));
        const LoadResult result = second.form->Form_Load({Summon::Kind(kind), u"tax"_s});
        QVERIFY(!result.runs);
        QCOMPARE(result.exitStatus, status);
        QCOMPARE(second.fake.runningCopy.asked, QStringList{u"org.varnel.Varnel "_s + asked});
        QCOMPARE(second.fake.messages.shown.size(), std::size_t(box));
        if (box)
            QCOMPARE(second.fake.messages.shown.at(0).text,
                     u"Varnel is already installed in the Tray"_s);
        QCOMPARE(result.error.isEmpty(), !error);
        QVERIFY2(!error || result.error.contains(u"cannot be reached: no session bus"_s),
                 qPrintable(result.error));
        QVERIFY(second.fake.runningCopy.listening.isEmpty() && !second.fake.tray.shown);
    }

    // The running copy answers while it holds the lock and stops before it
    // lets the lock go; what comes meanwhile changes nothing.
    void onlyTheCopyHoldingTheLockAnswers() {
        FormHarness h;
        h.load();
        QCOMPARE(h.fake.runningCopy.listening, u"org.varnel.Varnel"_s);
        h.form->tvUnload_Click();
        h.wait(100);
        QVERIFY(h.fake.runningCopy.listening.isEmpty());
        QVERIFY(!h.form->summons().SecondStart(QString()));
        h.form->summons().ShowWindow(QString());
        QVERIFY(!h.fake.window.visible);
        FormHarness next(h.paths.programDir);
        QVERIFY(next.form->Form_Load().runs);  // the lock went too
    }

    // Shown as a left click on the icon shows it (the settings read first),
    // restored and brought forward, with the caller's token handed over
    // before the window moves.
    void showBringsTheWindowForwardWithTheCallersToken() {
        FormHarness h;
        h.writeSettings({u"Hide=False"_s});
        h.load();
        h.form->summons().ShowWindow(u"token-1"_s);
        QVERIFY(h.fake.window.visible && !h.form->settings().SettingsPending());
        QVERIFY(h.form->tray().OffersHide());
        QCOMPARE(h.fake.window.tokens.size(), std::size_t(1));
        QCOMPARE(h.fake.window.tokens.at(0).token, u"token-1"_s);
        QCOMPARE(h.fake.window.tokens.at(0).showsBefore, 0);
        QVERIFY(h.fake.window.broughtToFront > 0);

        h.fake.window.state = StateMinimized;
        const int raised = h.fake.window.broughtToFront;
        h.form->summons().ShowWindow(u"token-2"_s);
        QCOMPARE(h.fake.window.state, int(StateNormal));
        QCOMPARE(h.fake.window.tokens.back().broughtToFrontBefore, raised);
        QVERIFY(h.fake.window.broughtToFront > raised);
    }

    // Toggle puts away a window the user looks at: into the tray, or down
    // to the task bar where there is no tray; anything else brings it
    // forward. A bare second start shows nothing where there is a tray (the
    // box tells where the program is); without one, the window comes up.
    void toggleHidesWhatIsInFrontAndShowsTheRest() {
        FormHarness h;
        h.load();
        QVERIFY(!h.form->summons().SecondStart(u"t"_s));
        QVERIFY(!h.fake.window.visible && h.fake.window.tokens.empty());
        h.form->summons().ToggleWindow(QString());
        QVERIFY(h.fake.window.visible);
        h.fake.window.active = false;  // behind another window: forward
        const int raised = h.fake.window.broughtToFront;
        h.form->summons().ToggleWindow(QString());
        QVERIFY(h.fake.window.visible && h.fake.window.broughtToFront > raised);
        h.fake.window.active = true;
        h.form->summons().ToggleWindow(QString());
        QVERIFY(!h.fake.window.visible && !h.form->tray().OffersHide());
        h.form->summons().ToggleWindow(QString());
        QVERIFY(h.fake.window.visible);
        // While a menu of its own waits for a choice, the window stays.
        bool hidden = false;
        h.fake.menus.whileShown = [&h, &hidden] {
            h.form->summons().ToggleWindow(QString());
            hidden = hidden || !h.fake.window.visible;
        };
        h.click(TrayRightUp);
        h.wait(250);
        QVERIFY(!h.fake.menus.shown.empty() && !hidden);

        FormHarness bare;  // no tray: the window is never hidden
        bare.load();
        bare.form->tray().trayHostChanged(TrayHost::Absent);
        bare.form->summons().ToggleWindow(QString());
        QCOMPARE(bare.fake.window.state, int(StateMinimized));
        QVERIFY(bare.fake.window.visible);
        bare.form->summons().ToggleWindow(QString());
        QCOMPARE(bare.fake.window.state, int(StateNormal));
        bare.form->Form_QueryUnload(vbFormControlMenu);  // the close box minimises
        QCOMPARE(bare.fake.window.state, int(StateMinimized));
        QVERIFY(bare.form->summons().SecondStart(u"t"_s));
        QCOMPARE(bare.fake.window.state, int(StateNormal));
    }

    // With no copy running, a switch starts the program and then does what
    // it asks.
    void aSwitchWithNoCopyRunningStartsAndDoesIt() {
        for (const Summon::Kind kind :
             {Summon::Kind::Show, Summon::Kind::Toggle, Summon::Kind::Popup, Summon::Kind::Find}) {
            FormHarness h;
            QVERIFY(h.form->Form_Load({kind, u"x"_s}).runs);
            const bool popup = kind == Summon::Kind::Popup || kind == Summon::Kind::Find;
            QCOMPARE(h.fake.window.visible, !popup);
            QCOMPARE(h.fake.quickFind.shown, popup);
            if (kind == Summon::Kind::Find)
                QCOMPARE(h.fake.quickFind.text, u"x"_s);
            QVERIFY(h.fake.tray.shown && h.fake.runningCopy.asked.isEmpty());
        }
        FormHarness bare;
        QVERIFY(bare.form->Form_Load().runs);
        QVERIFY(!bare.fake.window.visible);
    }
};

QTEST_GUILESS_MAIN(TestSummons)
#include "test_summons.moc"
