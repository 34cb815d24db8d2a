#pragma once

#include <QList>
#include <QObject>
#include <QPointer>

class ZelStyleGlobal;

// Knows which style block is active and tells readers when that changes.
class ZelStyleRegistry : public QObject
{
    Q_OBJECT

public:
    static ZelStyleRegistry *instance();

    ZelStyleGlobal *active() const;
    void add(ZelStyleGlobal *style);
    void remove(ZelStyleGlobal *style);

signals:
    void activeChanged();

private:
    ZelStyleRegistry();

    ZelStyleGlobal *m_defaults;
    QList<ZelStyleGlobal *> m_blocks;
};
