#include "maindocument.h"

#include <QtQml>
#include <QtTest>

// A start with an empty cache (after a power cut) must find every document of ours compiled
// into the binary. The engine reports each document it could not take from a compiled unit
// through its disk-cache category, before compiling it from source.
class TestQmlCache : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void compiledIn_data();
    void compiledIn();
};

namespace {

QStringList s_notCompiledIn;
QtMessageHandler s_previous = nullptr;

void collect(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (qstrcmp(context.category, "qt.qml.diskcache") == 0)
        s_notCompiledIn << message;
    else
        s_previous(type, context, message);
}

} // namespace

void TestQmlCache::initTestCase()
{
    QLoggingCategory::setFilterRules(QStringLiteral("qt.qml.diskcache.debug=true"));
    s_previous = qInstallMessageHandler(collect);
}

void TestQmlCache::compiledIn_data()
{
    QTest::addColumn<QString>("url");
    QTest::newRow("main document, as the application loads it") << CS_MAIN_DOCUMENT;
    QTest::newRow("a page") << "qrc:/qml/pages/ControllerWebPage.qml";
    QTest::newRow("a key style") << "qrc:/qml/keyboard/style/KeyGeneric.qml";
}

void TestQmlCache::compiledIn()
{
    QFETCH(QString, url);
    QQmlEngine engine;
    s_notCompiledIn.clear();
    QQmlComponent component(&engine, QUrl(url));
    QVERIFY2(!component.isLoading(), "loading from resources is synchronous");
    const QStringList ours = s_notCompiledIn.filter(QStringLiteral("qrc:/qml/"));
    QVERIFY2(ours.isEmpty(), qPrintable(ours.join(QLatin1Char('\n'))));
}

QTEST_MAIN(TestQmlCache)
#include "tst_qmlcache.moc"
