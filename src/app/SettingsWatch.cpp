#include "SettingsWatch.h"

#include "Texts.h"
#include "platform/FileWatch.h"
#include "platform/MessageBoxes.h"
#include "platform/Timer.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QLoggingCategory>
#include <algorithm>
#include <cstring>
#include <utility>

Q_LOGGING_CATEGORY(lcWatch, "varnel.settings")

namespace {
// A writer that is still at work changes the file again within this time;
// two looks this far apart that find it the same find it finished.
constexpr int QuietTime = 500;

// The file's bytes, or none when it is not there or cannot be read: a
// folder in its place, a link to nothing, no permission.
std::optional<QByteArray> bytesOf(const QString& path) {
    const QFileInfo info(path);
    QFile file(path);
    if (!info.isFile() || !file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;
    return bytes;
}
}  // namespace

void FileContent::addLarge(QByteArrayView piece) {
    size_ += quint64(piece.size());
    if (carried_ > 0) {
        const qsizetype take = std::min(Block - carried_, piece.size());
        std::memcpy(carry_.data() + carried_, piece.data(), std::size_t(take));
        carried_ += take;
        piece = piece.sliced(take);
        if (carried_ < Block)
            return;
        hash_ = qHashBits(carry_.data(), std::size_t(Block), hash_);
        carried_ = 0;
    }
    for (; piece.size() >= Block; piece = piece.sliced(Block))
        hash_ = qHashBits(piece.data(), std::size_t(Block), hash_);
    std::memcpy(carry_.data(), piece.data(), std::size_t(piece.size()));
    carried_ = piece.size();
}

QByteArray FileContent::result() const {
    const std::size_t hash =
        carried_ == 0 ? hash_ : qHashBits(carry_.data(), std::size_t(carried_), hash_);
    QByteArray bytes(reinterpret_cast<const char*>(&hash), sizeof hash);
    bytes.append(reinterpret_cast<const char*>(&size_), sizeof size_);
    return bytes;
}

QByteArray FileContent::of(QByteArrayView bytes) {
    FileContent content;
    content.add(bytes);
    return content.result();
}

SettingsWatch::SettingsWatch(const Platform& platform, const QString& path, Store store)
    : platform_(platform),
      path_(path),
      store_(std::move(store)),
      watch_(platform.fileWatches.createWatch([this] { FileChanged(); })),
      settleTimer_(platform.timers.createTimer([this] { SettleTimer_Timer(); })) {
    settleTimer_->setInterval(QuietTime);
    watch_->watch(path_);
}

SettingsWatch::~SettingsWatch() = default;

QString SettingsWatch::folder() const {
    return QFileInfo(path_).absolutePath();
}

SettingsWatch::Look SettingsWatch::lookNow() const {
    const QFileInfo info(path_);
    if (!info.exists())
        return {};
    return {true, info.size(), info.lastModified(), info.metadataChangeTime()};
}

void SettingsWatch::Known(const std::optional<QByteArray>& content) {
    known_ = content;
    knownLook_ = lookNow();
    knownTreeSide_ = store_.treeSide();
    seen_.clear();
    if (const std::optional<quint64> device = platform_.fileWatches.deviceOf(folder()))
        device_ = device;
    // The folder may have been made by the write, the file replaced by it.
    watch_->watch(path_);
    if (!keptAside_.isEmpty())
        platform_.messages.show(Texts::keptTheirs(path_, std::exchange(keptAside_, QString())),
                                Texts::programTitle(), MsgButtons::Ok, MsgIcon::Exclamation);
}

// A change wakes the looks; the file is taken to have settled once two
// looks a quiet time apart find it the same. Changes told meanwhile do not
// put that off: the folder may hold other files that change all the time.
void SettingsWatch::FileChanged() {
    if (settleTimer_->isActive())
        return;
    lastLook_.reset();
    settleTimer_->start();
}

void SettingsWatch::SettleTimer_Timer() {
    const Look look = lookNow();
    if (look != lastLook_) {
        lastLook_ = look;  // still changing, or the first look: once more
        return;
    }
    if (busy_ && busy_())
        return;  // looked at again when it is over
    settleTimer_->stop();
    lastLook_.reset();
    examine();
}

void SettingsWatch::examine() {
    if (knownLook_ && lookNow() == *knownLook_)
        return;  // as we left it: our own write, most often
    const std::optional<QByteArray> bytes = bytesOf(path_);
    // Removed, or not to be read: nothing to take in. The next save writes
    // ours, keeping aside first whatever it finds there by then.
    if (!bytes)
        return;
    const QByteArray content = FileContent::of(*bytes);
    if (content == known_ || content == seen_)
        return;
    seen_ = content;
    if (store_.notReadYet())
        return;  // the reading takes what is there
    if (store_.dirty() && store_.treeSide() != knownTreeSide_) {
        qCInfo(lcWatch) << path_ << "changed while a change of ours waits: both are kept";
        return;
    }
    if (store_.readTheirs(*bytes))
        Known(content);
}

bool SettingsWatch::ClearForWriting(bool sessionEnding) {
    return folderStillOnItsDevice(sessionEnding) && keepTheirsAside(sessionEnding);
}

// A folder that is gone is the writer's to judge: it makes it again only
// where it was. One that is there on another device is not where the file
// was read: nothing is written until the file's own disk is back.
bool SettingsWatch::folderStillOnItsDevice(bool sessionEnding) {
    if (!device_)
        return true;
    const std::optional<quint64> now = platform_.fileWatches.deviceOf(folder());
    if (!now || *now == *device_) {
        toldOffDevice_ = false;  // back: a later pull is told again
        return true;
    }
    qCWarning(lcWatch) << "not saving the settings:" << folder()
                       << "is no longer on the device the file was on";
    if (!sessionEnding && !std::exchange(toldOffDevice_, true))
        platform_.messages.show(Texts::folderOffItsDisk(folder()), Texts::programTitle(),
                                MsgButtons::Ok, MsgIcon::Exclamation);
    return false;
}

bool SettingsWatch::keepTheirsAside(bool sessionEnding) {
    // What cannot be read cannot be compared: the writer meets the same.
    const std::optional<QByteArray> bytes = bytesOf(path_);
    if (!bytes || FileContent::of(*bytes) == known_)
        return true;
    // Copied, not moved: a file that is a link to one kept elsewhere (a
    // folder of dotfiles) stays a link, and the write goes on through it.
    const QString aside = freshConflictName();
    QFile file(path_);
    if (!file.copy(aside)) {
        qCWarning(lcWatch) << "cannot copy" << path_ << "aside to" << aside << ":"
                           << file.errorString();
        if (!sessionEnding && !std::exchange(toldCannotKeep_, true))
            platform_.messages.show(Texts::cannotKeepTheirs(path_, file.errorString()),
                                    Texts::programTitle(), MsgButtons::Ok, MsgIcon::Exclamation);
        return false;
    }
    toldCannotKeep_ = false;
    qCWarning(lcWatch) << path_ << "was changed by another program: kept as" << aside;
    // Told once ours is written, not before: the box says it is.
    if (!sessionEnding)
        keptAside_ = aside;
    return true;
}

QString SettingsWatch::freshConflictName() const {
    const QString first =
        path_ + QStringLiteral(".conflict-") +
        platform_.timers.currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString name = first;
    for (int n = 2; QFileInfo::exists(name) || QFileInfo(name).isSymLink(); ++n)
        name = first + u'.' + QString::number(n);
    return name;
}
