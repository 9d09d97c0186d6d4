#include "QtShell.h"

#include <QLoggingCategory>
#include <QProcess>
#include <QStandardPaths>
#include <utility>

Q_LOGGING_CATEGORY(lcOpen, "varnel.open")

namespace {
// One hand-over to xdg-open. It answers once, from its end or from the while
// after which it counts as opened; after that it only waits for its end, to
// be deleted then.
class Opener : public QProcess {
public:
    Opener(QObject* parent, TimerFactory& timers, const QUrl& url, Shell::Done done)
        : QProcess(parent),
          url_(url.toString(QUrl::FullyEncoded)),
          done_(std::move(done)),
          patience_(timers.createTimer([this] { answer(true); })) {
        patience_->setInterval(QtShell::StillRunningMeansOpenedMs);
        connect(this, &QProcess::finished, this, &Opener::ended);
        connect(this, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
            // A crash is told by finished() too; nothing else applies to a
            // process without pipes.
            if (error == QProcess::FailedToStart)
                failed(errorString());
        });
    }

    // Only at program end is an opener deleted before it has ended: by then
    // it is xdg-open waiting for the application it runs itself. QProcess
    // cannot let a child go, and one left behind would go unreaped, so it is
    // killed; the signal reaches xdg-open alone, not its process group, and
    // the application, its child, is taken over by init and keeps running.
    // Disconnected first: that end is no failure, and nobody is listening.
    ~Opener() override {
        disconnect();
        if (state() == QProcess::NotRunning)
            return;
        kill();
        waitForFinished();
    }

    void launch() {
        // Looked up first: a desktop without xdg-utils is the likeliest
        // failure, and the log should say so rather than quote execvp.
        const QString program = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
        if (program.isEmpty()) {
            failed(QStringLiteral("xdg-open is not on PATH"));
            return;
        }
        setProgram(program);
        // One argument, fully encoded, and never read by a shell: whatever a
        // file's name holds, xdg-open decodes exactly that file from it, and
        // starting with its scheme, it cannot pass for an option.
        setArguments({url_});
        // Nothing for it to read, and its output goes where ours goes, so no
        // pipe of ours can fill up and stall it.
        setStandardInputFile(QProcess::nullDevice());
        setProcessChannelMode(QProcess::ForwardedChannels);
        patience_->start();
        start();
    }

private:
    void ended(int status, QProcess::ExitStatus how) {
        patience_->stop();
        const bool opened = how == QProcess::NormalExit && status == 0;
        // Once taken as opened, its end is the application's, and no news.
        if (!opened && done_) {
            if (how == QProcess::CrashExit)
                qCWarning(lcOpen, "xdg-open crashed opening %s", qUtf8Printable(url_));
            else
                qCWarning(lcOpen, "xdg-open ended with status %d opening %s", status,
                          qUtf8Printable(url_));
        }
        answerLater(opened);
    }

    void failed(const QString& reason) {
        patience_->stop();
        qCWarning(lcOpen, "xdg-open could not start for %s: %s", qUtf8Printable(url_),
                  qUtf8Printable(reason));
        answerLater(false);
    }

    // From the event loop rather than from inside QProcess's signals: the
    // answer may open a modal message box, and its nested loop had better
    // not run in the middle of QProcess's bookkeeping. Deleted afterwards.
    void answerLater(bool opened) {
        QMetaObject::invokeMethod(
            this,
            [this, opened] {
                deleteLater();
                answer(opened);
            },
            Qt::QueuedConnection);
    }

    void answer(bool opened) {
        patience_->stop();
        if (!done_)
            return;
        const Shell::Done done = std::exchange(done_, {});
        done(opened);
    }

    const QString url_;
    Shell::Done done_;  // empty once answered
    std::unique_ptr<Timer> patience_;
};
}  // namespace

QtShell::QtShell(TimerFactory& timers) : timers_(timers) {}

// Openers still running go with openers_, unheard (see ~Opener).
QtShell::~QtShell() = default;

void QtShell::open(const QUrl& url, Done done) {
    (new Opener(&openers_, timers_, url, std::move(done)))->launch();
}

int QtShell::openersRunning() const {
    return static_cast<int>(openers_.children().size());
}
