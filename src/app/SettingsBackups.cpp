#include "SettingsBackups.h"

#include "BackupTexts.h"
#include "Texts.h"
#include "platform/MessageBoxes.h"
#include "platform/Timer.h"
#include "settings/SettingsFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QRegularExpression>

#include <algorithm>
#include <cstring>
#include <utility>

Q_LOGGING_CATEGORY(lcBackups, "varnel.settings")

namespace {
const QString DayFormat = QStringLiteral("yyyy-MM-dd");
const QString TimeFormat = QStringLiteral("HHmmss");
const QString RestoreMark = QStringLiteral("-before-restore");

// A dangling link is there too, though it names no file.
bool occupied(const QString& path) {
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

// A copy is no easier to read than the file it copies.
bool writeCopy(const QString& target, const QByteArray& bytes, const QString& original,
               QString* error) {
    if (!WriteSettingsFile(target, bytes, error))
        return false;
    QFile::setPermissions(target, QFileInfo(original).permissions());
    return true;
}
}  // namespace

struct SettingsBackups::Name {
    QString file;
    QDateTime when;
    bool beforeRestore = false;
    int attempt = 1;  // the second copy kept within one second is the 2nd attempt

    bool newerThan(const Name& other) const {
        if (when != other.when)
            return when > other.when;
        if (beforeRestore != other.beforeRestore)
            return beforeRestore;
        return attempt > other.attempt;
    }
};

SettingsBackups::SettingsBackups(const QString& settingsPath, TimerFactory& timers,
                                 MessageBoxes& messages)
    : path_(settingsPath),
      timers_(timers),
      messages_(messages),
      tellTimer_(timers.createTimer([this] { tellOfFailure(); })) {
    const QFileInfo info(settingsPath);
    folder_ = info.absolutePath() + QStringLiteral("/backups");
    base_ = info.completeBaseName();
    suffix_ = info.suffix().isEmpty() ? QString() : u'.' + info.suffix();
    tellTimer_->setInterval(0);
}

SettingsBackups::~SettingsBackups() = default;

QString SettingsBackups::dayName(const QDate& day) const {
    return base_ + u'-' + day.toString(DayFormat) + suffix_;
}

QString SettingsBackups::restoreName(const QDateTime& when, int attempt) const {
    QString name = base_ + u'-' + when.date().toString(DayFormat) + u'-' +
                   when.time().toString(TimeFormat) + RestoreMark;
    if (attempt > 1)
        name += u'-' + QString::number(attempt);
    return name + suffix_;
}

// The backups in the folder, newest first; files of other names are none.
std::vector<SettingsBackups::Name> SettingsBackups::names() const {
    const QRegularExpression pattern(u'^' + QRegularExpression::escape(base_) +
                                     QStringLiteral("-(\\d{4}-\\d\\d-\\d\\d)(?:-(\\d{6})") +
                                     QRegularExpression::escape(RestoreMark) +
                                     QStringLiteral("(?:-(\\d+))?)?") +
                                     QRegularExpression::escape(suffix_) + u'$');
    std::vector<Name> found;
    const QDir folder(folder_);
    for (const QString& file : folder.entryList(QDir::Files | QDir::Hidden)) {
        const QRegularExpressionMatch match = pattern.match(file);
        if (!match.hasMatch())
            continue;
        Name name;
        name.file = folder.filePath(file);
        const QDate day = QDate::fromString(match.captured(1), DayFormat);
        name.beforeRestore = match.hasCaptured(2);
        const QTime time =
            name.beforeRestore ? QTime::fromString(match.captured(2), TimeFormat) : QTime(0, 0);
        if (!day.isValid() || !time.isValid())
            continue;
        name.when = QDateTime(day, time);
        if (match.hasCaptured(3))
            name.attempt = match.captured(3).toInt();
        found.push_back(name);
    }
    std::sort(found.begin(), found.end(),
              [](const Name& a, const Name& b) { return a.newerThan(b); });
    return found;
}

void SettingsBackups::BeforeReplacing(const QByteArray& content, bool sessionEnding) {
    if (!QFileInfo(path_).isFile())
        return;  // none yet, or something else than a file in its place
    const QString target = folder_ + u'/' + dayName(timers_.currentDateTime().date());
    if (occupied(target))
        return;  // the day's backup is made
    QByteArray previous;
    QString error;
    if (ReadSettingsFile(path_, &previous, &error) == ReadOutcome::Read) {
        if (previous == content)
            return;  // this save changes nothing in the file
        if (writeCopy(target, previous, path_, &error)) {
            prune(false);
            return;
        }
    }
    qCWarning(lcBackups) << "cannot back up" << path_ << "as" << target << ":" << error;
    if (!sessionEnding && !told_) {
        failure_ = BackupTexts::cannotBackUp(folder_, error);
        tellTimer_->start();
    }
}

void SettingsBackups::tellOfFailure() {
    tellTimer_->stop();
    if (std::exchange(told_, true))
        return;
    messages_.show(failure_, Texts::programTitle(), MsgButtons::Ok, MsgIcon::Exclamation);
}

bool SettingsBackups::KeepBeforeRestore(QString* error) {
    if (!QFileInfo(path_).isFile())
        return true;  // nothing to keep
    QString why;
    QByteArray current;
    if (ReadSettingsFile(path_, &current, &why) == ReadOutcome::Read) {
        // A later copy within the same second counts on from the latest
        // one, even where older ones of that second were removed: it must
        // be the newest by its name too.
        const QDateTime now = timers_.currentDateTime();
        const QDateTime second(now.date(),
                               QTime(now.time().hour(), now.time().minute(), now.time().second()));
        int attempt = 1;
        for (const Name& name : names()) {
            if (name.beforeRestore && name.when == second)
                attempt = std::max(attempt, name.attempt + 1);
        }
        QString target = folder_ + u'/' + restoreName(now, attempt);
        while (occupied(target))
            target = folder_ + u'/' + restoreName(now, ++attempt);
        if (writeCopy(target, current, path_, &why)) {
            prune(true);
            return true;
        }
    }
    qCWarning(lcBackups) << "cannot keep" << path_ << "before a restore:" << why;
    if (error)
        *error = why;
    return false;
}

void SettingsBackups::prune(bool beforeRestore) const {
    const std::size_t kept = beforeRestore ? RestoresKept : DaysKept;
    std::size_t seen = 0;
    for (const Name& name : names()) {
        if (name.beforeRestore != beforeRestore || ++seen <= kept)
            continue;
        QFile file(name.file);
        if (!file.remove())
            qCWarning(lcBackups) << "cannot remove the old backup" << name.file << ":"
                                 << file.errorString();
    }
}

std::vector<SettingsBackups::Backup> SettingsBackups::List() const {
    std::vector<Backup> backups;
    for (const Name& name : names())
        backups.push_back({name.file, name.when, name.beforeRestore, CountNodeLines(name.file)});
    return backups;
}

bool SettingsBackups::Any() const {
    return !names().empty();
}

namespace {
constexpr qsizetype HeadBytes = 32;  // more than a key line's start needs

// Whether a line starts with the key "Node=", in any letter case, blanks
// around the key allowed, as the reader takes it.
bool isNodeLine(QByteArrayView line) {
    if (line.startsWith("\xEF\xBB\xBF"))
        line = line.sliced(3);
    qsizetype i = 0;
    while (i < line.size() && line[i] == ' ')
        ++i;
    if (line.size() - i < 5 ||
        QByteArrayView(line.sliced(i, 4)).compare("node", Qt::CaseInsensitive) != 0)
        return false;
    for (i += 4; i < line.size() && line[i] == ' ';)
        ++i;
    return i < line.size() && line[i] == '=';
}
}  // namespace

int CountNodeLines(const QString& path) {
    QFile file(path);
    if (QFileInfo(path).isDir() || !file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return -1;
    int count = 0;
    QByteArray head;  // the start of a line cut at a piece's end
    bool cut = false;
    QByteArray buffer(qsizetype(1) << 16, Qt::Uninitialized);
    for (;;) {
        const qint64 read = file.read(buffer.data(), buffer.size());
        if (read < 0)
            return -1;
        if (read == 0)
            break;
        QByteArrayView piece(buffer.constData(), read);
        while (!piece.isEmpty()) {
            const auto* lf = static_cast<const char*>(
                std::memchr(piece.data(), '\n', std::size_t(piece.size())));
            const QByteArrayView line = lf ? piece.first(lf - piece.data()) : piece;
            if (cut)
                head.append(
                    line.first(std::clamp(HeadBytes - head.size(), qsizetype(0), line.size())));
            if (lf) {
                count += isNodeLine(cut ? QByteArrayView(head) : line) ? 1 : 0;
                cut = false;
                piece = piece.sliced(line.size() + 1);
            } else {
                if (!cut)
                    head = line.first(std::min(line.size(), HeadBytes)).toByteArray();
                cut = true;
                piece = QByteArrayView();
            }
        }
    }
    if (cut)
        count += isNodeLine(head) ? 1 : 0;
    return count;
}
