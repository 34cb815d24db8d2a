#pragma once

#include <QObject>
#include <QString>

// The per-field values of EnterKeyAction; a field that sets nothing gets None, "" and enabled.
class EnterKeyActionAttached : public QObject
{
    Q_OBJECT
    Q_PROPERTY(int actionId READ actionId WRITE setActionId NOTIFY actionIdChanged)
    Q_PROPERTY(QString label READ label WRITE setLabel NOTIFY labelChanged)
    Q_PROPERTY(bool enabled READ enabled WRITE setEnabled NOTIFY enabledChanged)

public:
    explicit EnterKeyActionAttached(QObject *parent = nullptr);

    int actionId() const { return m_actionId; }
    void setActionId(int actionId);
    QString label() const { return m_label; }
    void setLabel(const QString &label);
    bool enabled() const { return m_enabled; }
    void setEnabled(bool enabled);

signals:
    void actionIdChanged();
    void labelChanged();
    void enabledChanged();

private:
    int m_actionId = 0;
    QString m_label;
    bool m_enabled = true;
};
