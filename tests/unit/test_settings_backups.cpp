// Dated backups of the settings file.
#include "FormHarness.h"
#include "WarningsFail.h"
#include "app/SettingsBackups.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {
constexpr qint64 Minute = 60000;
constexpr qint64 Day = 24 * 60 * Minute;

void expectWarning(const char* pattern, int times = 1) {
    while (times-- > 0)
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QLatin1String(pattern)));
}

QByteArray contentOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

QString node(const QString& text, int parent = 0) {
    return u"Node=%1\t/tmp/%1\tleaf\t\tFalse\t%2\tFalse"_s.arg(text).arg(parent);
}

// A change the file must remember, saved when the save timer runs out.
void addAndSave(FormHarness& h, const QString& text) {
    h.form->tree().Add(nullptr, tvwLast, QString(), text, u"leaf"_s);
    h.form->settings().ScheduleSave();
    h.wait(Minute);
}

QString dayFile(const FormHarness& h, const QString& day) {
    return h.temp->filePath(u"backups/Varnel-"_s + day + u".INI"_s);
}

}  // namespace

class TestSettingsBackups : public WarningsFail {
    Q_OBJECT
private Q_SLOTS:
    // Nine days go by, on one of which a save changes nothing: each other
    // day the first save keeps the file as that day found it, and later
    // saves of the day keep nothing more. The seven newest are kept.
    void oneBackupADayThatChangedTheFileTheNewestSevenKept() {
        FormHarness h;
        h.writeSettings({node(u"Start"_s)});
        h.loadAndShow();
        QMap<QString, QByteArray> expected;  // day -> the file as that day found it
        for (int day = 0; day < 9; ++day) {
            const QString date = h.fake.clock.currentDateTime().date().toString(Qt::ISODate);
            const QByteArray previous = h.settingsBytes();
            if (day == 3) {  // a save that changes nothing in the file
                h.form->settings().ScheduleSave();
                h.wait(Minute);
                QCOMPARE(h.settingsBytes(), previous);
                QVERIFY(!QFileInfo::exists(dayFile(h, date)));
            } else {
                addAndSave(h, u"Day %1"_s.arg(day));
                expected[date] = previous;
                addAndSave(h, u"Day %1 again"_s.arg(day));
                QCOMPARE(contentOf(dayFile(h, date)), previous);
            }
            h.wait(Day - h.fake.clock.now() % Day);
        }
        const QStringList kept =
            QDir(h.temp->filePath(u"backups"_s)).entryList(QDir::Files, QDir::Name);
        QCOMPARE(kept.size(), SettingsBackups::DaysKept);
        QCOMPARE(kept.first(), u"Varnel-2026-01-06.INI"_s);  // the first of eight went
        QVERIFY(!kept.contains(u"Varnel-2026-01-08.INI"_s));
        QCOMPARE(kept.last(), u"Varnel-2026-01-13.INI"_s);
        for (const QString& date : expected.keys().mid(1))
            QCOMPARE(contentOf(dayFile(h, date)), expected.value(date));
    }

    // A file set aside as unread is no source of a backup: the first backup
    // is of the file written in its place.
    void aFileSetAsideIsNeverBackedUp() {
        FormHarness h;
        h.writeSettings({u"[Desktop Entry]"_s, u"Name=Firefox"_s});
        expectWarning("lines no settings file holds");
        h.loadAndShow();
        expectWarning("kept the settings file");
        addAndSave(h, u"A"_s);
        QVERIFY(QFileInfo::exists(h.paths.settingsPath + u".unread"_s));
        QVERIFY(!QFileInfo::exists(h.temp->filePath(u"backups"_s)));
        const QByteArray ours = h.settingsBytes();
        h.wait(Day);
        addAndSave(h, u"B"_s);
        QCOMPARE(contentOf(dayFile(h, u"2026-01-06"_s)), ours);
    }

    // A backup that cannot be written (something else in the folder's
    // place) is logged every time, told once when the save is done, and
    // the save itself goes on.
    void aBackupThatCannotBeWrittenIsToldOnceAndTheSaveGoesOn() {
        FormHarness h;
        h.writeSettings({node(u"A"_s)});
        writeFile(h.temp->filePath(u"backups"_s), "not a folder");
        h.loadAndShow();
        expectWarning("cannot back up");
        addAndSave(h, u"B"_s);
        QCOMPARE(h.settingsLines().filter(u"Node="_s).size(), 2);
        QCOMPARE(h.fake.messages.shown.size(), size_t(1));
        QVERIFY(h.fake.messages.shown[0].text.contains(h.temp->filePath(u"backups"_s)));
        QCOMPARE(h.fake.messages.shown[0].icon, MsgIcon::Exclamation);
        expectWarning("cannot back up");
        addAndSave(h, u"C"_s);
        QCOMPARE(h.settingsLines().filter(u"Node="_s).size(), 3);
        QCOMPARE(h.fake.messages.shown.size(), size_t(1));
    }

    // Node lines are counted as the reader takes them, also where a line is
    // cut between two pieces of the file.
    void nodeLinesAreCountedAcrossPieces() {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"Varnel.INI"_s);
        QByteArray bytes = "\xEF\xBB\xBFNode=a\r\n  node =b\r\nNodes=c\r\nQLI=Node=d\r\n";
        bytes += QByteArray(65536 - bytes.size() - 3, 'x') + "\nNo";  // cut inside the key
        bytes += "de=e\r\n" + QByteArray(70000, 'y') + "\nNode=f";    // cut inside a long line
        writeFile(path, bytes);
        QCOMPARE(CountNodeLines(path), 4);
        QCOMPARE(CountNodeLines(dir.filePath(u"none"_s)), -1);
        QCOMPARE(CountNodeLines(dir.path()), -1);
    }
};

QTEST_GUILESS_MAIN(TestSettingsBackups)
#include "test_settings_backups.moc"
