#include "model/NodeTree.h"
#include "settings/SettingsFile.h"
#include "settings/SettingsReader.h"
#include "settings/SettingsSink.h"
#include "settings/SettingsWriter.h"

#include "FloorRatios.h"

#include <benchmark/benchmark.h>
#include <malloc.h>
#include <sys/wait.h>
#include <unistd.h>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <memory>
#include <string_view>
#include <vector>

using namespace Qt::Literals::StringLiterals;

namespace {
// Stands in for the main window: takes everything, looks up nothing.
class NullSink : public SettingsSink {
public:
    void applyWinTop(std::int32_t) override {}
    void applyWinLeft(std::int32_t) override {}
    void applyWinHeight(std::int32_t) override {}
    void applyWinWidth(std::int32_t) override {}
    void applyWinState(int) override {}
    void applyAutoHide(bool) override {}
    void applyFullPath(bool) override {}
    bool applyDrive(const QString&) override { return true; }
    bool applyDirPath(const QString&) override { return true; }
    void applyDirSel(int) override {}
    void applyDirVis(bool) override {}
    bool appendQuickEntry(const QString&, const QString&) override { return true; }
    void selectLoadedNode(TreeNode*) override {}
    void itemIconWanted(TreeNode*) override {}
    void keepOwnLine(const QString&) override {}
};

// A realistic shape: folders of ten entries, four levels deep, where every
// tenth entry of a folder is itself a folder; items carry home paths, a
// third with a stale icon index, of a few hundred kinds as a home has.
void fillTree(NodeTree& tree, int count) {
    std::vector<TreeNode*> folders{nullptr};
    int made = 0;
    for (std::size_t f = 0; f < folders.size() && made < count; ++f) {
        TreeNode* parent = folders[f];
        for (int i = 0; i < 10 && made < count; ++i, ++made) {
            const bool folder = i == 0 || (i == 5 && folders.size() < std::size_t(count) / 5);
            TreeNode* node =
                tree.Add(parent, parent ? tvwChild : tvwLast, QString(),
                         u"Entry %1 of folder %2"_s.arg(i).arg(f),
                         folder  ? u"closed"_s
                         : i % 3 ? u"leaf"_s
                                 : QString::number(4 + (f * 7 + std::size_t(i)) % 400));
            if (folder) {
                node->SetExpandedImage(u"open"_s);
                node->SetExpanded(i == 0);
                folders.push_back(node);
            } else {
                node->SetTag(u"/home/ann/Documents/project %1/file %2.txt"_s.arg(f).arg(i));
            }
        }
    }
}

QuickEntries quickList() {
    QuickEntries list;
    for (int i = 0; i < 64; ++i)
        list.push_back({u"Quick %1"_s.arg(i), u"/home/ann/q%1"_s.arg(i)});
    return list;
}

QByteArray fileBytes(int count) {
    NodeTree tree;
    fillTree(tree, count);
    return WriteSettingsText(SettingsValues{}, tree, quickList());
}

// The least any reader must do: find every line and every field of the same
// file, building nothing.
qsizetype readFloor(const QByteArray& bytes) {
    const char* at = bytes.constData();
    const char* const end = at + bytes.size();
    qsizetype fields = 0;
    while (at < end) {
        const auto* lineEnd =
            static_cast<const char*>(std::memchr(at, '\n', std::size_t(end - at)));
        if (!lineEnd)
            lineEnd = end;
        for (const char* field = at; field < lineEnd; ++fields) {
            const auto* tab =
                static_cast<const char*>(std::memchr(field, '\t', std::size_t(lineEnd - field)));
            field = tab ? tab + 1 : lineEnd;
        }
        at = lineEnd + 1;
    }
    return fields;
}

void BM_ReadFloor(benchmark::State& state) {
    const QByteArray bytes = fileBytes(int(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(readFloor(bytes));
    state.SetBytesProcessed(qint64(state.iterations()) * bytes.size());
}
BENCHMARK(BM_ReadFloor)->Arg(100000)->Unit(benchmark::kMillisecond);

std::unique_ptr<NodeTree> readTree(const QByteArray& bytes) {
    auto tree = std::make_unique<NodeTree>();
    NullSink sink;
    ReadSettingsText(bytes, sink, *tree);
    return tree;
}

void BM_ReadSettings(benchmark::State& state) {
    const QByteArray bytes = fileBytes(int(state.range(0)));
    for (auto _ : state) {
        auto tree = readTree(bytes);
        benchmark::DoNotOptimize(tree->Count());
        state.PauseTiming();  // destroying the tree is not part of reading
        tree.reset();
        state.ResumeTiming();
    }
    state.SetComplexityN(state.range(0));
    state.SetBytesProcessed(qint64(state.iterations()) * bytes.size());
}
BENCHMARK(BM_ReadSettings)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity();

// Building the text to write, without writing it.
void BM_BuildSettings(benchmark::State& state) {
    NodeTree tree;
    fillTree(tree, int(state.range(0)));
    const QuickEntries quick = quickList();
    for (auto _ : state) {
        const QByteArray text = WriteSettingsText(SettingsValues{}, tree, quick);
        benchmark::DoNotOptimize(text.constData());
    }
}
BENCHMARK(BM_BuildSettings)->Arg(100000)->Unit(benchmark::kMillisecond);

// The fields of an ASCII tree copied as they are, unchecked.
char* appendNarrow(char* out, QStringView text) {
    for (const QChar c : text)
        *out++ = char(c.unicode());
    return out;
}

char* appendBytes(char* out, std::string_view bytes) {
    std::memcpy(out, bytes.data(), bytes.size());
    return out + bytes.size();
}

// A node's label or path as it keeps it, all UTF-8 in this tree.
char* appendUtf8(char* out, std::optional<QByteArrayView> bytes) {
    std::memcpy(out, bytes->data(), std::size_t(bytes->size()));
    return out + bytes->size();
}

// The least any writer must do: the same node lines of the same tree,
// appended into one buffer of reserved size.
QByteArray buildFloor(const NodeTree& tree) {
    QByteArray text(qsizetype(tree.Count()) * 96, Qt::Uninitialized);
    char* out = text.data();
    int position = 0;
    for (TreeNode* node = tree.First(); node; node = NodeTree::NextInDocumentOrder(node)) {
        out = appendBytes(out, "Node=");
        out = appendUtf8(out, node->TextUtf8());
        *out++ = '\t';
        out = appendUtf8(out, node->TagUtf8());
        *out++ = '\t';
        out = appendNarrow(out, node->Image());
        *out++ = '\t';
        out = appendNarrow(out, node->ExpandedImage());
        out = appendBytes(out, node->Expanded() ? "\tTrue\t" : "\tFalse\t");
        out = std::to_chars(out, out + 12, ++position).ptr;
        out = appendBytes(out, node->Selected() ? "\tTrue\r\n" : "\tFalse\r\n");
    }
    text.truncate(out - text.constData());
    return text;
}

void BM_BuildFloor(benchmark::State& state) {
    NodeTree tree;
    fillTree(tree, int(state.range(0)));
    for (auto _ : state) {
        const QByteArray text = buildFloor(tree);
        benchmark::DoNotOptimize(text.constData());
    }
}
BENCHMARK(BM_BuildFloor)->Arg(100000)->Unit(benchmark::kMillisecond);

double threadCpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) * 1e-9;
}

double median(std::vector<double> values) {
    if (values.empty())
        return 0;
    const auto middle = values.begin() + std::ptrdiff_t(values.size() / 2);
    std::nth_element(values.begin(), middle, values.end());
    return *middle;
}

// The real code against its floor, run by turns in one loop, which goes
// first alternating: a machine whose speed drifts from one second to the
// next moves both alike, so each pair's ratio holds where two runs' figures,
// taken a second apart, do not. Reported as the median of the pairs' ratios.
// after() runs untimed once a pair is done.
template <typename Floor, typename Real, typename After>
void measureAgainstFloor(benchmark::State& state, Floor floor, Real real, After after) {
    std::vector<double> ratios, floors, reals;
    for (auto _ : state) {
        double seconds[2] = {0, 0};  // the floor's, the real code's
        for (int turn = 0; turn < 2; ++turn) {
            const bool floorTurn = (turn == 0) == (ratios.size() % 2 == 0);
            const double start = threadCpuSeconds();
            floorTurn ? floor() : real();
            seconds[floorTurn ? 0 : 1] = threadCpuSeconds() - start;
        }
        state.PauseTiming();
        after();
        state.ResumeTiming();
        if (seconds[0] > 0) {
            ratios.push_back(seconds[1] / seconds[0]);
            floors.push_back(seconds[0] * 1e3);
            reals.push_back(seconds[1] * 1e3);
        }
    }
    state.counters["ratio"] = median(ratios);
    state.counters["floor_ms"] = median(floors);
    state.counters["real_ms"] = median(reals);
}

void BM_ReadAgainstFloor(benchmark::State& state) {
    const QByteArray bytes = fileBytes(int(state.range(0)));
    std::unique_ptr<NodeTree> tree;
    measureAgainstFloor(
        state, [&bytes] { benchmark::DoNotOptimize(readFloor(bytes)); },
        [&bytes, &tree] { tree = readTree(bytes); }, [&tree] { tree.reset(); });
}
BENCHMARK(BM_ReadAgainstFloor)->Arg(100000)->Iterations(60)->Unit(benchmark::kMillisecond);

void BM_BuildAgainstFloor(benchmark::State& state) {
    NodeTree tree;
    fillTree(tree, int(state.range(0)));
    const QuickEntries quick = quickList();
    QByteArray text;
    measureAgainstFloor(
        state, [&tree, &text] { text = buildFloor(tree); },
        [&tree, &quick, &text] { text = WriteSettingsText(SettingsValues{}, tree, quick); },
        [&text] { text = QByteArray(); });
}
BENCHMARK(BM_BuildAgainstFloor)->Arg(100000)->Iterations(60)->Unit(benchmark::kMillisecond);

void BM_WriteSettings(benchmark::State& state) {
    NodeTree tree;
    fillTree(tree, int(state.range(0)));
    const QuickEntries quick = quickList();
    QTemporaryDir dir;
    const QString path = dir.filePath(u"Varnel.INI"_s);
    qint64 bytes = 0;
    for (auto _ : state) {
        const QByteArray text = WriteSettingsText(SettingsValues{}, tree, quick);
        if (!WriteSettingsFile(path, text))
            state.SkipWithError("write failed");
        bytes += text.size();
    }
    state.SetComplexityN(state.range(0));
    state.SetBytesProcessed(bytes);
}
BENCHMARK(BM_WriteSettings)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity();
long peakKiB() {
    QFile status(u"/proc/self/status"_s);
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    return -1;
}

// --peak=N: the peak memory a read of N nodes adds, read from the file as the
// program reads it, and what a save of them adds on top. The file is made by a child process, so
// that making it weighs nothing here.
int measurePeak(int count) {
    QTemporaryDir dir;
    const QString path = dir.filePath(u"Varnel.INI"_s);
    if (const pid_t child = fork(); child == 0) {
        _exit(WriteSettingsFile(path, fileBytes(count)) ? 0 : 1);
    } else {
        int status = 0;
        if (child < 0 || waitpid(child, &status, 0) != child || status != 0)
            return 1;
    }
    const long before = peakKiB();
    SettingsFilePieces file;
    if (file.open(path) != ReadOutcome::Read)
        return 1;
    NodeTree tree;
    NullSink sink;
    ReadSettingsPieces([&file] { return file.next(); }, sink, tree);
    const long read = peakKiB();
    const QByteArray saved = WriteSettingsText(SettingsValues{}, tree, quickList());
    const long written = peakKiB();
    std::printf("%d nodes: read peak +%ld KiB (%ld bytes a node), save +%ld KiB more\n",
                tree.Count(), read - before, (read - before) * 1024 / count, written - read);
    return saved.isEmpty() ? 1 : 0;
}
}  // namespace

int main(int argc, char** argv) {
    if (argc == 2 && std::strncmp(argv[1], "--peak=", 7) == 0)
        return measurePeak(std::atoi(argv[1] + 7));
    // The memory a tree gives back stays with the process for the next one
    // to reuse: whether glibc hands it to the system in between (and the
    // next read faults it in anew) hangs on the order of earlier
    // allocations, and would make the figures of two runs differ by a
    // third. Every read here costs its work alone.
    mallopt(M_TRIM_THRESHOLD, 1 << 30);
    mallopt(M_MMAP_THRESHOLD, 1 << 30);
    return RunWithFloorRatios(argc, argv,
                              {{"BM_ReadSettings/100000", "BM_ReadFloor/100000"},
                               {"BM_BuildSettings/100000", "BM_BuildFloor/100000"}});
}
