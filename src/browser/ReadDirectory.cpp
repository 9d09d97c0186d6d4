#include "ReadDirectory.h"

#include "files/LongPath.h"
#include "files/NameBytes.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStorageInfo>
#include <algorithm>
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace {
// File systems that hold no user's files: the kernel's own, memory, and the
// read-only images that packages (snaps) are mounted from.
bool isPseudoFileSystem(const QByteArray& type) {
    static const QByteArrayList pseudo = {
        "tmpfs",           "ramfs",       "devtmpfs",  "squashfs",  "erofs",
        "overlay",         "autofs",      "proc",      "sysfs",     "devpts",
        "cgroup",          "cgroup2",     "debugfs",   "tracefs",   "securityfs",
        "pstore",          "bpf",         "mqueue",    "hugetlbfs", "configfs",
        "fusectl",         "binfmt_misc", "efivarfs",  "nsfs",      "rpc_pipefs",
        "fuse.gvfsd-fuse", "fuse.portal", "fuse.lxcfs"};
    return pseudo.contains(type);
}

// Where the system keeps its own mounts; removable media under /run/media
// are the user's.
bool isSystemPlace(const QString& root) {
    static const QStringList places = {QStringLiteral("/proc"), QStringLiteral("/sys"),
                                       QStringLiteral("/dev"), QStringLiteral("/run"),
                                       QStringLiteral("/snap")};
    if (root.startsWith(QLatin1String("/run/media/")))
        return false;
    return std::any_of(places.begin(), places.end(), [&root](const QString& place) {
        return root == place || root.startsWith(place + QLatin1Char('/'));
    });
}

// The directories and files in the listing's directory, symbolic links by
// what they point at; hidden (dot) entries, and sockets, pipes, devices and
// links that point nowhere, are left out. Names are read as bytes: Qt's own
// listing passes over a name that is not UTF-8 without a word, and the
// user would miss a file that is there.
void ListEntries(DirectoryListing& listing) {
    namespace fs = std::filesystem;
    std::error_code error;
    fs::directory_iterator entry(QFile::encodeName(listing.path).toStdString(), error);
    for (; !error && entry != fs::directory_iterator(); entry.increment(error)) {
        const std::string& path = entry->path().native();
        const QByteArrayView name =
            QByteArrayView(path).sliced(qsizetype(path.find_last_of('/') + 1));
        if (name.empty() || name.front() == '.')
            continue;
        std::error_code typeError;
        if (entry->is_directory(typeError))
            listing.subdirectories << NameFromBytes(name);
        else if (entry->is_regular_file(typeError))
            listing.files << NameFromBytes(name);
    }
}
}  // namespace

namespace {
// Folds one UTF-16 unit as a case-insensitive comparison of QStrings does:
// a low surrogate after a high one stands for the pair's character, and
// becomes the low surrogate of that character folded.
char16_t foldUnit(char16_t unit, char32_t& last) {
    char32_t ucs4 = unit;
    if (QChar::isLowSurrogate(ucs4) && QChar::isHighSurrogate(last))
        ucs4 = QChar::surrogateToUcs4(char16_t(last), unit);
    last = unit;
    const char32_t folded = QChar::toCaseFolded(ucs4);
    return QChar::requiresSurrogates(ucs4) ? QChar::lowSurrogate(folded) : char16_t(folded);
}
}  // namespace

void SortNames(QStringList& names) {
    // Each name is folded once, into one buffer, rather than twice in every
    // comparison; the folded keys compare as the names compare without regard
    // to case, and equal keys fall back on the names themselves. Each unit
    // is kept high byte first, so that keys compare as bytes.
    struct Entry {
        qsizetype key, size;
        QString name;
    };
    std::string keys;
    std::vector<Entry> entries;
    entries.reserve(std::size_t(names.size()));
    for (QString& name : names) {
        const qsizetype at = qsizetype(keys.size());
        char32_t last = 0;
        for (const QChar c : std::as_const(name)) {
            const char16_t folded = foldUnit(c.unicode(), last);
            keys.push_back(char(folded >> 8));
            keys.push_back(char(folded & 0xFF));
        }
        entries.push_back({at, qsizetype(keys.size()) - at, std::move(name)});
    }
    const auto key = [&keys](const Entry& e) {
        return std::string_view(keys.data() + e.key, std::size_t(e.size));
    };
    std::sort(entries.begin(), entries.end(), [&key](const Entry& a, const Entry& b) {
        const int byLetters = key(a).compare(key(b));
        return byLetters != 0 ? byLetters < 0 : a.name < b.name;
    });
    for (qsizetype i = 0; i < names.size(); ++i)
        names[i] = std::move(entries[std::size_t(i)].name);
}

DirectoryListing ReadDirectory(const QString& path) {
    DirectoryListing listing;
    if (!QDir::isAbsolutePath(path))
        return listing;
    listing.path = LongPath(QDir::cleanPath(path));
    const QFileInfo directory(listing.path);
    // Without the right to read it lists nothing, and without the right to
    // enter it nothing in it opens: either way it cannot be browsed.
    if (!directory.isDir() || !directory.isReadable() || !directory.isExecutable())
        return listing;
    ListEntries(listing);
    SortNames(listing.subdirectories);
    SortNames(listing.files);
    listing.volume = QStorageInfo(listing.path).rootPath();
    listing.readable = true;
    return listing;
}

QStringList ReadVolumes() {
    QStringList roots;
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        const QString root = volume.rootPath();
        if (root == QDir::rootPath() || !volume.isValid() || !volume.isReady() ||
            isPseudoFileSystem(volume.fileSystemType()) || isSystemPlace(root) ||
            roots.contains(root))
            continue;
        roots << root;
    }
    SortNames(roots);
    roots.prepend(QDir::rootPath());
    return roots;
}
