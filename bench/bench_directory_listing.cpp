// How long a complete, sorted listing of a large directory takes: the time
// the browser's lists wait for it, away from the user-interface thread.
#include "browser/ReadDirectory.h"

#include "FloorRatios.h"

#include <benchmark/benchmark.h>
#include <dirent.h>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <map>
#include <memory>
#include <string>
#include <vector>

using namespace Qt::Literals::StringLiterals;

namespace {
// A directory of count empty files with names of mixed case and length, and
// a few subdirectories and dot files, made once per size.
const QTemporaryDir& directoryOf(int count) {
    static std::map<int, std::unique_ptr<QTemporaryDir>> made;
    std::unique_ptr<QTemporaryDir>& dir = made[count];
    if (dir)
        return *dir;
    dir = std::make_unique<QTemporaryDir>();
    for (int i = 0; i < count; ++i) {
        const QString name =
            (i % 3 ? u"Report %1.txt"_s : u"photo_%1.JPG"_s).arg((i * 7919) % count);
        QFile file(dir->filePath(name));
        if (!file.open(QIODevice::WriteOnly))
            qFatal("cannot make the files to list");
    }
    for (int i = 0; i < 20; ++i) {
        QDir(dir->path()).mkdir(u"Folder %1"_s.arg(i));
        QFile(dir->filePath(u".hidden%1"_s.arg(i))).open(QIODevice::WriteOnly);
    }
    return *dir;
}

void BM_ReadDirectory(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    const QString path = directoryOf(count).path();
    for (auto _ : state) {
        const DirectoryListing listing = ReadDirectory(path);
        if (listing.files.size() != count)
            state.SkipWithError("the listing is incomplete");
        benchmark::DoNotOptimize(listing);
    }
    state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(BM_ReadDirectory)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);

// The least a listing must do: read the names and sort them bytewise.
void BM_ListingFloor(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    const QByteArray path = QFile::encodeName(directoryOf(count).path());
    for (auto _ : state) {
        std::vector<std::string> names;
        DIR* dir = opendir(path.constData());
        while (const dirent* entry = dir ? readdir(dir) : nullptr)
            names.emplace_back(entry->d_name);
        if (dir)
            closedir(dir);
        std::sort(names.begin(), names.end());
        benchmark::DoNotOptimize(names.data());
    }
}
BENCHMARK(BM_ListingFloor)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_SortNames(benchmark::State& state) {
    QStringList names;
    for (int i = 0; i < 100000; ++i)
        names << (i % 3 ? u"Report %1.txt"_s : u"photo_%1.JPG"_s).arg((i * 7919) % 100000);
    for (auto _ : state) {
        QStringList sorted = names;
        SortNames(sorted);
        benchmark::DoNotOptimize(sorted);
    }
}
BENCHMARK(BM_SortNames)->Unit(benchmark::kMillisecond);
}  // namespace

int main(int argc, char** argv) {
    return RunWithFloorRatios(argc, argv, {{"BM_ReadDirectory/100000", "BM_ListingFloor/100000"}});
}
