// The real watch follows a file that another file is renamed over, as a
// synchronising program does it; devices come from the system.
#include "platform/qt/QtFileWatches.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>

using namespace Qt::Literals::StringLiterals;

namespace {
constexpr int slow = 30000;  // only an upper bound for the system to tell

bool write(const QString& path, const QByteArray& bytes, QIODevice::OpenMode mode) {
    QFile file(path);
    return file.open(mode) && file.write(bytes) == bytes.size();
}
}  // namespace

class TestQtFileWatch : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void aFileReplacedByARenameIsStillWatched() {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"Varnel.INI"_s);
        QVERIFY(write(path, "first\r\n", QIODevice::WriteOnly));
        QtFileWatches watches;
        int told = 0;
        const std::unique_ptr<FileWatch> watch = watches.createWatch([&told] { ++told; });
        watch->watch(path);

        const QString fresh = dir.filePath(u"fresh"_s);
        QVERIFY(write(fresh, "second\r\n", QIODevice::WriteOnly));
        QTRY_VERIFY_WITH_TIMEOUT(told > 0, slow);  // the new file in the folder
        QVERIFY(std::rename(QFile::encodeName(fresh).constData(),
                            QFile::encodeName(path).constData()) == 0);
        told = 0;
        QTRY_VERIFY_WITH_TIMEOUT(told > 0, slow);
        QTest::qWait(200);  // whatever else the rename makes the system say

        // Written in place, with no change to the folder: the file itself
        // must be watched, the new one and not the one replaced.
        told = 0;
        QVERIFY(write(path, "third\r\n", QIODevice::Append));
        QTRY_VERIFY_WITH_TIMEOUT(told > 0, slow);
    }

    void aFolderIsOnTheDeviceItsFileSystemIsOn() {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir(u"sub"_s));
        const QtFileWatches watches;
        const std::optional<quint64> here = watches.deviceOf(dir.path());
        QVERIFY(here);
        QCOMPARE(watches.deviceOf(dir.filePath(u"sub"_s)), here);
        QVERIFY(watches.deviceOf(u"/proc"_s) != here);  // a file system of its own
        QVERIFY(!watches.deviceOf(dir.filePath(u"gone"_s)));
    }
};

QTEST_MAIN(TestQtFileWatch)
#include "test_qt_file_watch.moc"
