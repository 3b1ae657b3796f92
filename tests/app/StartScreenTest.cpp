#include <QScopeGuard>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>
#include <sys/stat.h>

#include "app/Application.h"
#include "support/ScreenSupport.h"
#include "widgets/ProjectorColours.h"

using namespace velarium;

class StartTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { test::prepareScreenTests(); }
    void init() { test::failOnWarnings(); }

    // What the command line understands, and what it says of the rest: the option as typed, cut
    // short when it is long, and a second lesson beyond the one it opens.
    void theCommandLineNamesWhatItDoesNotUnderstand_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<bool>("projector");
        QTest::addColumn<QString>("error");
        QTest::newRow("two dashes") << QStringList{"--projector"} << true << QString();
        QTest::newRow("one dash") << QStringList{"-projector", "-self-test"} << true << QString();
        QTest::newRow("unknown") << QStringList{"-projektor"} << false
                                 << QStringLiteral("unknown option “-projektor”.");
        QTest::newRow("unknown, long")
            << QStringList{QStringLiteral("--") + QString(120000, QLatin1Char('x'))} << false
            << QStringLiteral("unknown option “--%1…”.").arg(QString(58, QLatin1Char('x')));
        QTest::newRow("a lesson") << QStringList{"lesson.velarium"} << false << QString();
        QTest::newRow("two lessons")
            << QStringList{"-projector", "lesson.velarium", "other.velarium"} << false
            << QStringLiteral("“other.velarium” is one file too many: Velarium opens one lesson "
                              "at a time.");
    }
    void theCommandLineNamesWhatItDoesNotUnderstand() {
        QFETCH(QStringList, arguments);
        QFETCH(bool, projector);
        QFETCH(QString, error);
        const StartOptions options =
            parseCommandLine(QStringList{QStringLiteral("velarium")} + arguments);
        QCOMPARE(options.error, error);
        QCOMPARE(options.projector, projector);
        QCOMPARE(options.lesson, error.isEmpty() && arguments.contains(QStringLiteral("lesson.velarium"))
                                     ? QStringLiteral("lesson.velarium")
                                     : QString());
    }

    // A settings file that is not a regular file (here a FIFO, which would hold the start for
    // ever) is neither read nor written: the program starts with its own colours.
    void settingsAreReadOnlyFromARegularFile() {
        QTemporaryDir home;
        qputenv("XDG_CONFIG_HOME", home.path().toLocal8Bit());
        QStandardPaths::setTestModeEnabled(false);
        const auto testSettings = qScopeGuard([] { QStandardPaths::setTestModeEnabled(true); });
        QVERIFY(QDir(home.path()).mkpath(QStringLiteral("velarium")));
        const QString conf = home.filePath(QStringLiteral("velarium/velarium.conf"));
        QCOMPARE(mkfifo(QFile::encodeName(conf).constData(), 0600), 0);
        QVERIFY(!ProjectorColours::remembered());
        test::TestProgram t;
        t.program.projector().action()->trigger();
        QVERIFY(QFileInfo(conf).exists() && !QFileInfo(conf).isFile());
        // In a regular file, the choice is kept.
        QFile::remove(conf);
        t.program.projector().action()->trigger();
        t.program.projector().action()->trigger();
        QVERIFY(QFileInfo(conf).isFile());
        QVERIFY(ProjectorColours::remembered());
    }
};

QTEST_MAIN(StartTest)
#include "StartScreenTest.moc"
