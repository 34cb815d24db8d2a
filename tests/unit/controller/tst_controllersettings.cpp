#include "controller/controller.h"

#include <QFile>
#include <QMetaMethod>
#include <QMetaProperty>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

// The stored choice of controller and the display time-out, on files in a private directory.
class TestControllerSettings : public QObject
{
    Q_OBJECT

private slots:
    // Runs first: the time-out fallback is process-wide and every accepted set replaces it.
    void displayTimeoutDefaultsTo60();
    void readsLastController_data();
    void readsLastController();
    void readsHugeFileWithBoundedMemory();
    void equalValueIsNoOp();
    void writesValueUnchanged_data();
    void writesValueUnchanged();
    void emitsBeforeWriting();
    void replacesFileAtomically();
    void unwritableFileKeepsValueInMemory();
    void displayTimeout_data();
    void displayTimeout();
    void displayTimeoutReadsGarbage_data();
    void displayTimeoutReadsGarbage();
    void metaObjectSurface();

private:
    std::unique_ptr<Controller> make() const
    {
        return std::make_unique<Controller>(lastPath(), iniPath());
    }
    QString lastPath() const { return m_dir.filePath(QStringLiteral("last_selected_controller")); }
    QString iniPath() const { return m_dir.filePath(QStringLiteral("controllerselect.ini")); }
    void writeLast(const QByteArray &bytes) const
    {
        QFile f(lastPath());
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    QByteArray readLast() const
    {
        QFile f(lastPath());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }
    void clear() const
    {
        QFile::remove(lastPath());
        QFile::remove(iniPath());
        QDir(lastPath()).removeRecursively();
        QDir(iniPath()).removeRecursively();
    }

    QTemporaryDir m_dir;
};

void TestControllerSettings::displayTimeoutDefaultsTo60()
{
    clear();
    auto controller = make();
    QCOMPARE(controller->displayTimeout(), 60);
}

void TestControllerSettings::readsLastController_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("asDirectory");
    QTest::addColumn<QString>("expected");

    QTest::newRow("blank, address and line end are trimmed")
        << QByteArray(" 192.168.1.20\n") << false << QStringLiteral("192.168.1.20");
    QTest::newRow("zero byte ends the address")
        << QByteArray("192.168.1.20\0junk\x01\x02", 19) << false << QStringLiteral("192.168.1.20");
    QTest::newRow("leading zero byte gives none") << QByteArray("\0"
                                                                "192.168.1.20",
                                                                13)
                                                  << false << QString();
    QTest::newRow("empty file gives none") << QByteArray() << false << QString();
    QTest::newRow("leading zeros of an older version read as decimal")
        << QByteArray("192.168.001.010:80") << false << QStringLiteral("192.168.1.10:80");
    QTest::newRow("address with port kept")
        << QByteArray("10.0.0.5:8080") << false << QStringLiteral("10.0.0.5:8080");
    QTest::newRow("utf-8 decoded")
        << QByteArray("h\xc3\xa9te") << false << QString::fromUtf8("h\xc3\xa9te");
    QTest::newRow("invalid utf-8 does not crash")
        << QByteArray("\xff\xfe\x80 10.1.1.1") << false
        << QString::fromUtf8(QByteArray("\xff\xfe\x80 10.1.1.1")).trimmed();
    QTest::newRow("directory in place of the file gives none") << QByteArray() << true << QString();
}

void TestControllerSettings::readsLastController()
{
    QFETCH(QByteArray, content);
    QFETCH(bool, asDirectory);
    QFETCH(QString, expected);

    clear();
    if (asDirectory)
        QVERIFY(QDir().mkpath(lastPath()));
    else
        writeLast(content);

    auto controller = make();
    QSignalSpy changed(controller.get(), &Controller::lastControllerChanged);
    QCOMPARE(controller->lastController(), expected);
    QCOMPARE(changed.count(), 0);
}

void TestControllerSettings::readsHugeFileWithBoundedMemory()
{
    clear();
    {
        QFile f(lastPath());
        QVERIFY(f.open(QIODevice::WriteOnly));
        const QByteArray chunk(1 << 20, 'a');
        for (int i = 0; i < 100; ++i)
            QVERIFY(f.write(chunk) == chunk.size());
    }
    auto controller = make();
    // Never the whole 100 MB in memory; an address is never that long anyway.
    QVERIFY(controller->lastController().size() <= 64 * 1024);
    QVERIFY(controller->lastController().startsWith(QLatin1String("aaaa")));
}

void TestControllerSettings::equalValueIsNoOp()
{
    clear();
    writeLast(" 10.0.0.1 \n");
    auto controller = make();
    QCOMPARE(controller->lastController(), QStringLiteral("10.0.0.1"));

    QSignalSpy changed(controller.get(), &Controller::lastControllerChanged);
    controller->setLastController(QStringLiteral("10.0.0.1"));
    QCOMPARE(changed.count(), 0);
    QCOMPARE(readLast(), QByteArray(" 10.0.0.1 \n")); // not rewritten
}

void TestControllerSettings::writesValueUnchanged_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("readBack");

    QTest::newRow("plain address")
        << QStringLiteral("192.168.1.20") << QStringLiteral("192.168.1.20");
    QTest::newRow("empty text leaves an empty file") << QString() << QString();
    QTest::newRow("blanks kept on write, trimmed on next read")
        << QStringLiteral("  10.0.0.7 ") << QStringLiteral("10.0.0.7");
    QTest::newRow("non-latin text as utf-8")
        << QString::fromUtf8("\xe6\x8e\xa7") << QString::fromUtf8("\xe6\x8e\xa7");
}

void TestControllerSettings::writesValueUnchanged()
{
    QFETCH(QString, value);
    QFETCH(QString, readBack);

    clear();
    writeLast("172.16.0.1");
    auto controller = make();
    QSignalSpy changed(controller.get(), &Controller::lastControllerChanged);
    controller->setLastController(value);

    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed.at(0).at(0).toString(), value);
    QCOMPARE(controller->lastController(), value);
    QCOMPARE(readLast(), value.toUtf8()); // no terminator, no line end
    QCOMPARE(make()->lastController(), readBack);
}

void TestControllerSettings::emitsBeforeWriting()
{
    clear();
    writeLast("10.0.0.1");
    auto controller = make();
    QByteArray seenInSlot;
    connect(controller.get(), &Controller::lastControllerChanged, this,
            [&] { seenInSlot = readLast(); });
    controller->setLastController(QStringLiteral("10.0.0.2"));
    QCOMPARE(seenInSlot, QByteArray("10.0.0.1"));
    QCOMPARE(readLast(), QByteArray("10.0.0.2"));
}

void TestControllerSettings::replacesFileAtomically()
{
    clear();
    writeLast("10.0.0.1");
    auto controller = make();

    // A reader holding the old file still sees the old address in full: the new one was
    // written beside it and renamed over it, not written into it.
    QFile old(lastPath());
    QVERIFY(old.open(QIODevice::ReadOnly));
    controller->setLastController(QStringLiteral("10.0.0.200"));
    QCOMPARE(old.readAll(), QByteArray("10.0.0.1"));
    QCOMPARE(readLast(), QByteArray("10.0.0.200"));

    // Nothing but the two files is left behind.
    QStringList files = QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden);
    files.removeAll(QStringLiteral("controllerselect.ini"));
    QCOMPARE(files, QStringList{QStringLiteral("last_selected_controller")});
}

void TestControllerSettings::unwritableFileKeepsValueInMemory()
{
    clear();
    QVERIFY(QDir().mkpath(lastPath())); // a directory where the file should be
    auto controller = make();
    QSignalSpy changed(controller.get(), &Controller::lastControllerChanged);
    controller->setLastController(QStringLiteral("10.0.0.9"));
    QCOMPARE(changed.count(), 1);
    QCOMPARE(controller->lastController(), QStringLiteral("10.0.0.9"));
    QVERIFY(QFileInfo(lastPath()).isDir());
}

void TestControllerSettings::displayTimeout_data()
{
    QTest::addColumn<QList<int>>("sets");
    QTest::addColumn<QList<int>>("emitted");
    QTest::addColumn<int>("expected");

    QTest::newRow("30 read back") << QList<int>{30} << QList<int>{30} << 30;
    QTest::newRow("negative ignored") << QList<int>{45, -1} << QList<int>{45} << 45;
    QTest::newRow("zero stored and emitted") << QList<int>{20, 0} << QList<int>{20, 0} << 0;
    QTest::newRow("equal value emits again") << QList<int>{90, 90} << QList<int>{90, 90} << 90;
    QTest::newRow("large value") << QList<int>{999999} << QList<int>{999999} << 999999;
}

void TestControllerSettings::displayTimeout()
{
    QFETCH(QList<int>, sets);
    QFETCH(QList<int>, emitted);
    QFETCH(int, expected);

    clear();
    {
        auto controller = make();
        QSignalSpy changed(controller.get(), &Controller::displayTimeoutChanged);
        for (int v : sets)
            controller->setDisplayTimeout(v);
        QList<int> got;
        for (const auto &args : changed)
            got << args.at(0).toInt();
        QCOMPARE(got, emitted);
        QCOMPARE(controller->displayTimeout(), expected);
    } // the settings store writes the file at the latest here

    QSettings ini(iniPath(), QSettings::IniFormat);
    QCOMPARE(ini.value(QStringLiteral("DisplayTimeout")).toInt(), expected);
    QCOMPARE(make()->displayTimeout(), expected);
}

void TestControllerSettings::displayTimeoutReadsGarbage_data()
{
    QTest::addColumn<QByteArray>("ini");
    QTest::addColumn<bool>("asDirectory");
    QTest::addColumn<int>("expected");

    QTest::newRow("letters read as 0")
        << QByteArray("[General]\nDisplayTimeout=abc\n") << false << 0;
    QTest::newRow("stored value read")
        << QByteArray("[General]\nDisplayTimeout=120\n") << false << 120;
    QTest::newRow("binary garbage gives the fallback")
        << QByteArray("\x00\xff\x13[[[=\n\n==", 12) << false << -1;
    QTest::newRow("directory in place of the file gives the fallback")
        << QByteArray() << true << -1;
}

void TestControllerSettings::displayTimeoutReadsGarbage()
{
    QFETCH(QByteArray, ini);
    QFETCH(bool, asDirectory);
    QFETCH(int, expected);

    clear();
    int fallback = make()->displayTimeout(); // whatever the last accepted set left in force
    if (asDirectory) {
        QVERIFY(QDir().mkpath(iniPath()));
    } else {
        QFile f(iniPath());
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(ini);
    }
    auto controller = make();
    QCOMPARE(controller->displayTimeout(), expected < 0 ? fallback : expected);

    // A new value is held even when the file cannot take it.
    controller->setDisplayTimeout(33);
    QCOMPARE(controller->displayTimeout(), 33);
}

void TestControllerSettings::metaObjectSurface()
{
    const QMetaObject &mo = Controller::staticMetaObject;
    QCOMPARE(mo.className(), "Controller");

    const QList<QByteArray> methods = {
        "lastControllerChanged(QString)", "displayTimeoutChanged(int)", "discoverControllers()",
        "blinkController(QString)", "checkLastControllerAvailable()",
        // Appended after the fixed indices: the start-up retry checks a kept address.
        "checkControllerAvailable(QString)"};
    QCOMPARE(mo.methodCount() - mo.methodOffset(), methods.size());
    for (int i = 0; i < methods.size(); ++i)
        QCOMPARE(mo.method(mo.methodOffset() + i).methodSignature(), methods.at(i));

    QCOMPARE(mo.propertyCount() - mo.propertyOffset(), 2);
    const QMetaProperty last = mo.property(mo.propertyOffset());
    const QMetaProperty timeout = mo.property(mo.propertyOffset() + 1);
    QCOMPARE(last.name(), "lastController");
    QCOMPARE(timeout.name(), "displayTimeout");
    QCOMPARE(last.notifySignal().name(), QByteArray("lastControllerChanged"));
    QCOMPARE(timeout.notifySignal().name(), QByteArray("displayTimeoutChanged"));
    QVERIFY(last.isWritable() && timeout.isWritable());
    QCOMPARE(mo.enumeratorCount() - mo.enumeratorOffset(), 0);
}

QTEST_GUILESS_MAIN(TestControllerSettings)
#include "tst_controllersettings.moc"
