#include "environment.h"

#include <QtTest>

// The start-up environment: defaults must yield to anything inherited (even an empty value),
// while the board's fixed switches always win.
class TestEnvironment : public QObject
{
    Q_OBJECT

private slots:
    void variables_data();
    void variables();
    void webEngineFlags_data();
    void webEngineFlags();
};

namespace {

enum Inherited
{
    Unset,
    Empty,
    Value
};

void setInherited(const char *name, Inherited inherited)
{
    switch (inherited) {
    case Unset:
        qunsetenv(name);
        break;
    case Empty:
        qputenv(name, QByteArray());
        break;
    case Value:
        qputenv(name, QByteArrayLiteral("inherited"));
        break;
    }
}

// The board's flag string as it must be, written out here so that a
// change of the program's string cannot pass unnoticed: single blanks between the flags, the
// sandbox off (the display runs as root), touch on.
const QByteArray kBoardFlags =
    "--ignore-gpu-blacklist --egl --disable-es3-gl-context --use-gl=egl "
    "--enable-checker-imaging --num-raster-threads=3 --enable-gpu-rasterization "
    "--enable-native-gpu-memory-buffers --no-sandbox --touch-events=enabled";

} // namespace

void TestEnvironment::variables_data()
{
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<int>("inherited");
    QTest::addColumn<QByteArray>("expected");

    const QByteArray defaults[][2] = {
        {"QT_QPA_PLATFORM", "eglfs"},     {"QT_QPA_EGLFS_INTEGRATION", "eglfs_mali"},
        {"QT_QPA_EGLFS_FORCEVSYNC", "1"}, {"QT_QPA_EGLFS_FORCE888", "1"},
        {"QSG_RENDER_LOOP", "basic"},     {"XDG_CACHE_HOME", "/tmp/cache"},
        {"XDG_DATA_HOME", "/tmp/data"},
    };
    for (const auto &d : defaults) {
        QTest::addRow("%s unset gets the default", d[0].constData()) << d[0] << int(Unset) << d[1];
        QTest::addRow("%s inherited empty is kept", d[0].constData())
            << d[0] << int(Empty) << QByteArray();
        QTest::addRow("%s inherited value is kept", d[0].constData())
            << d[0] << int(Value) << QByteArrayLiteral("inherited");
    }

    const QByteArray always[][2] = {
        {"QT_IM_MODULE", "zelvirtualkeyboard"},
        {"FRONTBUFFER_LOCKING", "1"},
        {"MALI_NOCLEAR", "1"},
    };
    for (const auto &a : always) {
        QTest::addRow("%s unset is set", a[0].constData()) << a[0] << int(Unset) << a[1];
        QTest::addRow("%s inherited empty is overwritten", a[0].constData())
            << a[0] << int(Empty) << a[1];
        QTest::addRow("%s inherited value is overwritten", a[0].constData())
            << a[0] << int(Value) << a[1];
    }
}

void TestEnvironment::variables()
{
    QFETCH(QByteArray, name);
    QFETCH(int, inherited);
    QFETCH(QByteArray, expected);

    setInherited(name.constData(), Inherited(inherited));
    Environment::prepare();

    QVERIFY(qEnvironmentVariableIsSet(name.constData()));
    QCOMPARE(qgetenv(name.constData()), expected);
}

void TestEnvironment::webEngineFlags_data()
{
    QTest::addColumn<int>("inherited");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("unset gets the board's flags") << int(Unset) << kBoardFlags;
    QTest::newRow("inherited flags are used unchanged") << int(Value) << QByteArray("inherited");
    QTest::newRow("inherited empty flags are kept") << int(Empty) << QByteArray();
}

void TestEnvironment::webEngineFlags()
{
    QFETCH(int, inherited);
    QFETCH(QByteArray, expected);

    setInherited("QTWEBENGINE_CHROMIUM_FLAGS", Inherited(inherited));
    Environment::prepareWebEngineFlags();
    QCOMPARE(qgetenv("QTWEBENGINE_CHROMIUM_FLAGS"), expected);
    QCOMPARE(QByteArray(Environment::webEngineFlags()), kBoardFlags);
}

QTEST_GUILESS_MAIN(TestEnvironment)
#include "tst_environment.moc"
