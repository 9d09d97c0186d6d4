#include "TestFiles.h"
#include "WarningsFail.h"
#include "settings/SettingsFile.h"

#include <QTemporaryDir>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <cerrno>
#include <csignal>
#include <cstring>

using namespace Qt::Literals::StringLiterals;

namespace {
// Root may write into any directory: as root, what a read-only one is asks
// for the eyes of an ordinary user, for a moment (the real user too, which
// the system's access check goes by; the saved one brings root back).
template <typename Check>
auto asUnprivileged(Check check) {
    const uid_t root = geteuid();
    if (root == 0 && setresuid(65534, 65534, 0) != 0)
        qFatal("cannot look as an ordinary user");
    const auto result = check();
    if (root == 0 && setresuid(0, 0, 0) != 0)
        qFatal("cannot come back as root");
    return result;
}
}  // namespace

class TestSettingsFile : public WarningsFail {
    Q_OBJECT
private Q_SLOTS:
    // A program installed anywhere keeps its settings in the configuration
    // directory; only a file the user put beside it (a link too), in a
    // directory it may write in, is used there.
    void settingsLiveBesideTheProgramOnlyWhenPutThere() {
        QTemporaryDir program;
        const QString config = u"/home/ann/.config/varnel"_s;
        const QString fallback = config + u"/Varnel.INI"_s;
        QCOMPARE(ChooseSettingsPath(program.path(), config), fallback);
        QCOMPARE(ChooseSettingsPath(program.path() + u"/absent"_s, config), fallback);
        QVERIFY(QFile::link(u"/nowhere/Varnel.INI"_s, program.filePath(u"Varnel.INI"_s)));
        QCOMPARE(ChooseSettingsPath(program.path() + u'/', config),
                 program.path() + u"/Varnel.INI"_s);
        QVERIFY(QFile::setPermissions(program.path(), QFile::ReadOwner | QFile::ExeOwner |
                                                          QFile::ReadOther | QFile::ExeOther));
        QCOMPARE(asUnprivileged([&] { return ChooseSettingsPath(program.path(), config); }),
                 fallback);
        QFile::setPermissions(program.path(),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    void decidesTheEncodingLineByLine_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        // Only the mark at the very start of the file is skipped.
        QTest::newRow("utf-8 mark") << QByteArray("\xef\xbb\xbfWinTop=1\n\xef\xbb\xbfWinTop=2")
                                    << u"WinTop=1\n\ufeffWinTop=2"_s;
        // One stray byte makes its own line an older one and leaves the UTF-8
        // of the others alone; a CR stays with its line.
        QTest::newRow("stray byte") << QByteArray("\xc3\xa9\r\n\xc3\xa9 \xe9\r\n\xc3\xa9")
                                    << u"\u00e9\r\n\u00c3\u00a9 \u00e9\r\n\u00e9"_s;
        // A sequence cut off by the end of a line does not run on into the next.
        QTest::newRow("cut off") << QByteArray("ok\xe2\x82\n\x82\xac\nok\xe2\x82")
                                 << u"ok\u00e2\u201a\n\u201a\u00ac\nok\u00e2\u201a"_s;
        QTest::newRow("windows-1252")
            << QByteArray("\x80\x81\x8a\x8d\x92\x9e\x9f\xa0\xff")
            << u"\u20ac\u0081\u0160\u008d\u2019\u017e\u0178\u00a0\u00ff"_s;
    }

    void decidesTheEncodingLineByLine() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QCOMPARE(DecodeSettingsBytes(bytes), text);
    }

    // A file is read through once when it is opened, then given again in
    // pieces; a pipe, which cannot be read twice, is given whole.
    void readsInPiecesWhatItCheckedFirst() {
        QTemporaryDir dir;
        SettingsFilePieces file;
        QString error;
        QCOMPARE(file.open(dir.filePath(u"none"_s)), ReadOutcome::Missing);
        QCOMPARE(file.open(dir.path(), &error), ReadOutcome::Unreadable);
        QCOMPARE(error, u"a folder stands in its place"_s);
        QByteArray content;
        for (int i = 0; content.size() < 300000; ++i)
            content += "Node=" + QByteArray::number(i) + QByteArray(i % 7, '\t') + "\r\n";
        const QString path = dir.filePath(u"Varnel.INI"_s);
        const QString pipe = dir.filePath(u"pipe"_s);
        QVERIFY(WriteSettingsFile(path, content) && mkfifo(qPrintable(pipe), 0600) == 0);
        const pid_t writer = fork();
        if (writer == 0) {
            QFile end(pipe);
            _exit(end.open(QIODevice::WriteOnly) && end.write(content) == content.size() ? 0 : 1);
        }
        for (const QString& name : {path, pipe}) {
            QCOMPARE(file.open(name), ReadOutcome::Read);
            QByteArray read;
            int pieces = 0;
            for (QByteArrayView piece = file.next(); !piece.isEmpty();
                 piece = file.next(), ++pieces)
                read += piece;
            QVERIFY(read == content && !file.failed() && file.next().isEmpty());
            QCOMPARE(pieces, name == path ? 5 : 1);
        }
        int status = -1;
        QVERIFY(waitpid(writer, &status, 0) == writer && status == 0);
    }

    // Whatever fails, the file keeps its previous text and no temporary file
    // is left behind.
    void writeReplacesTheFileWholeOrNotAtAll() {
        QTemporaryDir home;
        const QString dir = home.filePath(u"config/varnel"_s);
        const QString path = dir + u"/Varnel.INI"_s;
        QVERIFY(WriteSettingsFile(path, "first version, rather long\r\n"));  // makes the directory
        const QByteArray previous = "second\r\n";
        QVERIFY(WriteSettingsFile(path, previous));
        // The disk fills up: the largest file this process may write shrinks.
        // A large file fails while it is written, a small one only when its
        // buffer is flushed at the end. Nothing between lowering and
        // restoring may return early.
        rlimit saved{};
        getrlimit(RLIMIT_FSIZE, &saved);
        rlimit lowered = saved;
        lowered.rlim_cur = 4096;
        setrlimit(RLIMIT_FSIZE, &lowered);
        const auto handler = std::signal(SIGXFSZ, SIG_IGN);
        QString largeError, smallError;
        const bool largeWritten =
            WriteSettingsFile(path, QByteArray(1024 * 1024, 'n'), &largeError);
        const QByteArray afterLarge = contentOf(path);
        const bool smallWritten = WriteSettingsFile(path, QByteArray(8 * 1024, 's'), &smallError);
        const QByteArray afterSmall = contentOf(path);
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, handler);
        QVERIFY(!largeWritten && !smallWritten);
        QCOMPARE(afterLarge + afterSmall, previous + previous);
        // The log names the cause, however far the write got.
        const QString tooLarge = QString::fromLocal8Bit(std::strerror(EFBIG));
        QCOMPARE(largeError + u'|' + smallError, tooLarge + u'|' + tooLarge);
        QVERIFY(QDir(dir).mkdir(u"Taken.INI"_s));  // the rename cannot replace it
        QVERIFY(!WriteSettingsFile(dir + u"/Taken.INI"_s, "x"));
        QVERIFY(!WriteSettingsFile(path + u"/sub/Varnel.INI"_s, "x"));  // parent is a file
        QCOMPARE(QDir(dir).entryList(QDir::Files | QDir::Hidden), QStringList{u"Varnel.INI"_s});
    }
};

QTEST_GUILESS_MAIN(TestSettingsFile)
#include "test_settings_file.moc"
