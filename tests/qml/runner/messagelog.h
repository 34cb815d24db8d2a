#pragma once

#include <QMutex>
#include <QMutexLocker>
#include <QObject>
#include <QRegularExpression>
#include <QStringList>

// What the code under test logged ($MessageLog), for a test that must know a message came
// before it checks that nothing else happened. QtTest swallows the messages a test ignores in
// its own handler, so clear() puts this one in front of whatever handler is in place then.
class MessageLog : public QObject
{
    Q_OBJECT

public:
    Q_INVOKABLE void clear()
    {
        const QtMessageHandler previous = qInstallMessageHandler(&MessageLog::handle);
        QMutexLocker lock(&mutex());
        if (previous != &MessageLog::handle)
            next() = previous;
        messages().clear();
    }

    Q_INVOKABLE int count(const QString &pattern) const
    {
        const QRegularExpression re(pattern);
        QMutexLocker lock(&mutex());
        int n = 0;
        for (const QString &message : messages())
            n += message.contains(re) ? 1 : 0;
        return n;
    }

private:
    static void handle(QtMsgType type, const QMessageLogContext &context, const QString &message)
    {
        QtMessageHandler forward;
        {
            QMutexLocker lock(&mutex());
            messages().append(message);
            forward = next();
        }
        if (forward)
            forward(type, context, message);
    }

    static QMutex &mutex()
    {
        static QMutex m;
        return m;
    }
    static QStringList &messages()
    {
        static QStringList list;
        return list;
    }
    static QtMessageHandler &next()
    {
        static QtMessageHandler handler = nullptr;
        return handler;
    }
};
