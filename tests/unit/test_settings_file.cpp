#include "settings/SettingsFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;

namespace {
bool writeRaw(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray readRaw(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

// Lowers the largest file this process may write, for the life of the object.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &saved_);
        rlimit lowered = saved_;
        lowered.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &lowered);
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);  // fail the write, not the process
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, previousHandler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit saved_{};
    void (*previousHandler_)(int) = nullptr;
};
}  // namespace

class TestSettingsFile : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void settingsLiveBesideTheProgramWhenItCan();
    void readOnlyProgramDirectoryFallsBack();
    void readingTellsMissingFromUnreadable();
    void unreadableFileIsReported();
    void decodesUtf8ElseWindows1252();
    void writeCreatesDirectoryAndReplacesWhole();
    void failedWritesLeaveThePreviousFileWhole();
};

void TestSettingsFile::settingsLiveBesideTheProgramWhenItCan() {
    QTemporaryDir program;
    const QString config = u"/home/ann/.config/varnel"_s;
    QCOMPARE(ChooseSettingsPath(program.path(), config), program.path() + u"/Varnel.INI"_s);
    QCOMPARE(ChooseSettingsPath(program.path() + u'/', config), program.path() + u"/Varnel.INI"_s);
    QCOMPARE(ChooseSettingsPath(program.path() + u"/absent"_s, config), config + u"/Varnel.INI"_s);
    QCOMPARE(ChooseSettingsPath(QString(), config + u'/'), config + u"/Varnel.INI"_s);
    QVERIFY(writeRaw(program.filePath(u"file"_s), "x"));
    QCOMPARE(ChooseSettingsPath(program.filePath(u"file"_s), config), config + u"/Varnel.INI"_s);
}

void TestSettingsFile::readOnlyProgramDirectoryFallsBack() {
    if (geteuid() == 0)
        QSKIP("root may write into any directory; a read-only program directory cannot be shown");
    QTemporaryDir program;
    const QString config = u"/home/ann/.config/varnel"_s;
    QVERIFY(QFile::setPermissions(program.path(), QFile::ReadOwner | QFile::ExeOwner));
    QCOMPARE(ChooseSettingsPath(program.path(), config), config + u"/Varnel.INI"_s);
    QFile::setPermissions(program.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

void TestSettingsFile::readingTellsMissingFromUnreadable() {
    QTemporaryDir dir;
    QString text = u"untouched"_s;
    QCOMPARE(ReadSettingsFile(dir.filePath(u"Varnel.INI"_s), &text), ReadOutcome::Missing);
    QCOMPARE(text, u"untouched"_s);

    QVERIFY(QDir(dir.path()).mkdir(u"IsADirectory"_s));
    QCOMPARE(ReadSettingsFile(dir.filePath(u"IsADirectory"_s), &text), ReadOutcome::Unreadable);

    QVERIFY(writeRaw(dir.filePath(u"Varnel.INI"_s), "WinTop=1\r\n"));
    QCOMPARE(ReadSettingsFile(dir.filePath(u"Varnel.INI"_s), &text), ReadOutcome::Read);
    QCOMPARE(text, u"WinTop=1\r\n"_s);

    QVERIFY(writeRaw(dir.filePath(u"Empty.INI"_s), QByteArray()));
    QCOMPARE(ReadSettingsFile(dir.filePath(u"Empty.INI"_s), &text), ReadOutcome::Read);
    QCOMPARE(text, QString());
}

void TestSettingsFile::unreadableFileIsReported() {
    if (geteuid() == 0)
        QSKIP("root reads files without read permission");
    QTemporaryDir dir;
    QString text;
    QVERIFY(writeRaw(dir.filePath(u"Varnel.INI"_s), "WinTop=1\r\n"));
    QVERIFY(QFile::setPermissions(dir.filePath(u"Varnel.INI"_s), QFile::WriteOwner));
    QCOMPARE(ReadSettingsFile(dir.filePath(u"Varnel.INI"_s), &text), ReadOutcome::Unreadable);
}

void TestSettingsFile::decodesUtf8ElseWindows1252() {
    QCOMPARE(DecodeSettingsBytes("Caf\xc3\xa9 \xe2\x82\xac"), u"Caf\u00e9 \u20ac"_s);
    QCOMPARE(DecodeSettingsBytes("\xef\xbb\xbfWinTop=1"), u"WinTop=1"_s);
    QCOMPARE(DecodeSettingsBytes(QByteArray("a\0b", 3)), QString(u"a\0b"_s));
    // One stray byte makes the whole file an older one.
    QCOMPARE(DecodeSettingsBytes("\xc3\xa9 \xe9"), u"\u00c3\u00a9 \u00e9"_s);
    // A truncated sequence at the very end is not valid UTF-8 either.
    QCOMPARE(DecodeSettingsBytes("ok\xe2\x82"), u"ok\u00e2\u201a"_s);

    QByteArray high;
    for (int b = 0x80; b <= 0xFF; ++b)
        high += char(b);
    const QString decoded = DecodeSettingsBytes(high);
    QCOMPARE(decoded.size(), 128);
    const char16_t expected[32] = {
        0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
    for (int i = 0; i < 32; ++i)
        QCOMPARE(decoded[i].unicode(), expected[i]);
    for (int i = 32; i < 128; ++i)
        QCOMPARE(decoded[i].unicode(), char16_t(0x80 + i));
}

void TestSettingsFile::writeCreatesDirectoryAndReplacesWhole() {
    QTemporaryDir home;
    const QString path = home.filePath(u"config/varnel/Varnel.INI"_s);
    QVERIFY(WriteSettingsFile(path, "first version, rather long\r\n"));
    QCOMPARE(readRaw(path), QByteArray("first version, rather long\r\n"));
    QVERIFY(WriteSettingsFile(path, "second\r\n"));
    QCOMPARE(readRaw(path), QByteArray("second\r\n"));
    QCOMPARE(QDir(home.filePath(u"config/varnel"_s)).entryList(QDir::Files | QDir::Hidden),
             QStringList{u"Varnel.INI"_s});
}

void TestSettingsFile::failedWritesLeaveThePreviousFileWhole() {
    QTemporaryDir home;
    const QString path = home.filePath(u"Varnel.INI"_s);
    const QByteArray previous = "WinTop=1\r\nNode=Work\t\tclosed\topen\tTrue\t0\tFalse\r\n";
    QVERIFY(WriteSettingsFile(path, previous));

    // A directory that cannot be made: its parent is a regular file.
    QVERIFY(!WriteSettingsFile(path + u"/sub/Varnel.INI"_s, "x"));

    // The disk fills up halfway through the new file.
    {
        FileSizeLimit limit(4096);
        QVERIFY(WriteSettingsFile(home.filePath(u"Small.INI"_s), "fits\r\n"));
        QVERIFY(!WriteSettingsFile(path, QByteArray(1024 * 1024, 'n')));
    }
    QCOMPARE(readRaw(path), previous);

    // A directory stands where the file should go.
    QVERIFY(QDir(home.path()).mkdir(u"Taken.INI"_s));
    QVERIFY(!WriteSettingsFile(home.filePath(u"Taken.INI"_s), "x"));

    // No temporary file is left behind by any of the failures.
    QCOMPARE(QDir(home.path()).entryList(QDir::Files | QDir::Hidden), (QStringList{u"Small.INI"_s, u"Varnel.INI"_s}));
}

QTEST_GUILESS_MAIN(TestSettingsFile)
#include "test_settings_file.moc"
