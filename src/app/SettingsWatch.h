#pragma once

#include "platform/Platform.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <algorithm>
#include <array>
#include <functional>
#include <memory>
#include <optional>

class FileWatch;
class Timer;

// What a file holds, told apart by a hash of its bytes and their count.
// Only this run compares the hashes, and nobody chooses the bytes to make
// two alike, so a fast hash does: a cryptographic one cost as much as the
// reading of a large tree, at every read and write. The bytes are hashed in
// blocks of a fixed size, so that the same bytes hash alike in whatever
// pieces they come.
class FileContent {
public:
    void add(QByteArrayView piece) {
        // A tree's side comes as texts of a few bytes each, node after node:
        // copied without a call while they fit the block begun.
        if (piece.size() < Block - carried_) {
            // (An empty piece may have no bytes at all to copy from.)
            std::copy(piece.begin(), piece.end(), carry_.data() + carried_);
            carried_ += piece.size();
            size_ += quint64(piece.size());
            return;
        }
        addLarge(piece);
    }
    QByteArray result() const;
    static QByteArray of(QByteArrayView bytes);

private:
    static constexpr qsizetype Block = 4096;
    void addLarge(QByteArrayView piece);

    std::size_t hash_ = 0;
    quint64 size_ = 0;
    std::array<char, Block> carry_;  // the start of a block not yet whole
    qsizetype carried_ = 0;
};

// The settings file on disk against what this run last read or wrote there.
// Another program may change the file while we run (a second machine's copy
// brought by a synchronising program, an editor): once it has stopped
// changing, the change is read in when no change of ours to the tree, the
// quick list or our own section waits to be saved (the window, the browser
// and the options stay ours through a reading anyway); while one does, the
// save keeps both, ours in the file and theirs beside it. A write never goes over a change that was
// not read, nor into a folder that is no longer on the device the file was on (a stick pulled out
// leaves its mount point behind as a plain folder).
class SettingsWatch {
public:
    // What the watch asks of the settings store.
    struct Store {
        // The file was not read yet, or is being read.
        std::function<bool()> notReadYet;
        // Something waits to be saved.
        std::function<bool()> dirty;
        // What a file read in would replace, as a hash: the tree's side of
        // the file. A change of the window, the browser or the options only
        // is kept through a reading.
        std::function<QByteArray()> treeSide;
        // Reads another writer's file in; false when it could not be used.
        std::function<bool(const QByteArray& bytes)> readTheirs;
    };

    SettingsWatch(const Platform& platform, const QString& path, Store store);
    ~SettingsWatch();
    SettingsWatch(const SettingsWatch&) = delete;
    SettingsWatch& operator=(const SettingsWatch&) = delete;

    // While busy says so (a menu or a box is open, a drag, a label edit),
    // handlers hold nodes of the tree: a change is read in once it is over.
    void SetBusy(std::function<bool()> busy) { busy_ = std::move(busy); }

    // The file now holds what was just read or written (its hash, from
    // FileContent); none: there is no file.
    void Known(const std::optional<QByteArray>& content);
    // Before a write: whether it may go ahead. A file changed under us is
    // first kept beside it under a dated name, and the user told where.
    bool ClearForWriting(bool sessionEnding);

    void FileChanged();
    void SettleTimer_Timer();

private:
    // What the file looks like without reading it.
    struct Look {
        bool exists = false;
        qint64 size = 0;
        QDateTime modified;
        QDateTime metadataChanged;
        bool operator==(const Look&) const = default;
    };
    Look lookNow() const;
    QString folder() const;
    bool folderStillOnItsDevice(bool sessionEnding);
    bool keepTheirsAside(bool sessionEnding);
    QString freshConflictName() const;
    void examine();

    Platform platform_;
    QString path_;
    Store store_;
    std::function<bool()> busy_;
    std::unique_ptr<FileWatch> watch_;
    std::unique_ptr<Timer> settleTimer_;
    std::optional<QByteArray> known_;  // the hash of what we read or wrote; none: no file
    std::optional<Look> knownLook_;    // how the file looked then
    QByteArray knownTreeSide_;         // the tree's side of it
    QByteArray seen_;                  // the last change looked at and left alone
    std::optional<Look> lastLook_;     // at the last tick while settling
    std::optional<quint64> device_;    // where the file's folder was
    bool toldOffDevice_ = false;
    bool toldCannotKeep_ = false;
    QString keptAside_;  // another writer's version kept, to tell of once ours is written
};
