// What the backups of the settings file cost on a large tree: the day's
// copy (read the file, compare it, write it), the listing's node count, and
// the check of a backup before a restore.
#include "app/BackupRestore.h"
#include "app/SettingsBackups.h"
#include "model/NodeTree.h"
#include "platform/MessageBoxes.h"
#include "platform/Timer.h"
#include "settings/SettingsFile.h"
#include "settings/SettingsWriter.h"

#include <benchmark/benchmark.h>
#include <QDir>
#include <QTemporaryDir>

using namespace Qt::Literals::StringLiterals;

namespace {
class NoTimer : public Timer {
public:
    void setInterval(int) override {}
    void start() override {}
    void stop() override {}
    bool isActive() const override { return false; }
};

class NoTimers : public TimerFactory {
public:
    std::unique_ptr<Timer> createTimer(std::function<void()>) override {
        return std::make_unique<NoTimer>();
    }
};

class NoBoxes : public MessageBoxes {
public:
    MsgAnswer show(const QString&, const QString&, MsgButtons, MsgIcon) override {
        return MsgAnswer::Ok;
    }
};

// Items of a few folders, as a user's large tree has them.
QByteArray fileBytes(int count) {
    NodeTree tree;
    TreeNode* folder = nullptr;
    for (int i = 0; i < count; ++i) {
        if (i % 10 == 0) {
            folder = tree.Add(nullptr, tvwLast, QString(), u"Folder %1"_s.arg(i), u"closed"_s);
            continue;
        }
        TreeNode* node = tree.Add(folder, tvwChild, QString(), u"Entry %1"_s.arg(i), u"leaf"_s);
        node->SetTag(u"/home/ann/Documents/project %1/file %2.txt"_s.arg(i / 10).arg(i));
    }
    return WriteSettingsText(SettingsValues{}, tree, {});
}

// The first save of a day: the previous file read, compared with the new
// text and written as the day's backup.
void BM_DayBackup(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = dir.filePath(u"Varnel.INI"_s);
    const QByteArray previous = fileBytes(int(state.range(0)));
    QByteArray next = previous;
    next.replace("WinTop=0", "WinTop=1");
    WriteSettingsFile(path, previous);
    NoTimers timers;
    NoBoxes boxes;
    SettingsBackups backups(path, timers, boxes);
    for (auto _ : state) {
        backups.BeforeReplacing(next, false);
        state.PauseTiming();
        QDir(dir.filePath(u"backups"_s)).removeRecursively();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(qint64(state.iterations()) * previous.size());
}
BENCHMARK(BM_DayBackup)->Arg(100000)->Unit(benchmark::kMillisecond);

// One line of the chooser: the node lines of one backup counted.
void BM_CountNodeLines(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = dir.filePath(u"Varnel.INI"_s);
    const QByteArray bytes = fileBytes(int(state.range(0)));
    WriteSettingsFile(path, bytes);
    for (auto _ : state)
        benchmark::DoNotOptimize(CountNodeLines(path));
    state.SetBytesProcessed(qint64(state.iterations()) * bytes.size());
}
BENCHMARK(BM_CountNodeLines)->Arg(100000)->Unit(benchmark::kMillisecond);

// What a restore adds before it replaces anything: the chosen backup read
// whole and read aside once.
void BM_CheckBackup(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = dir.filePath(u"Varnel.INI"_s);
    WriteSettingsFile(path, fileBytes(int(state.range(0))));
    for (auto _ : state)
        benchmark::DoNotOptimize(ReadBackupText(path, nullptr).has_value());
}
BENCHMARK(BM_CheckBackup)->Arg(100000)->Unit(benchmark::kMillisecond);
}  // namespace

BENCHMARK_MAIN();
