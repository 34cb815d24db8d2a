#pragma once

#include "zelstyleui.h"
#include "zelstyleusability.h"
#include "zelstylevirtualkeyboard.h"
#include "zelstylez.h"

#include <QObject>
#include <QQmlParserStatus>

// The style block of a window: what it sets is what ZelStyle gives everywhere. The most recently
// created live instance is the active one; without any, the platform's defaults apply.
class ZelStyleGlobal : public QObject, public QQmlParserStatus
{
    Q_OBJECT
    Q_INTERFACES(QQmlParserStatus)
    Q_PROPERTY(ZelStyleUi *ui READ ui CONSTANT)
    Q_PROPERTY(ZelStyleUsability *usability READ usability CONSTANT)
    Q_PROPERTY(ZelStyleVirtualKeyboard *virtualkeyboard READ virtualkeyboard CONSTANT)
    Q_PROPERTY(ZelStyleZ *z READ z CONSTANT)

public:
    explicit ZelStyleGlobal(QObject *parent = nullptr);
    ~ZelStyleGlobal() override;

    ZelStyleUi *ui() const { return m_ui; }
    ZelStyleUsability *usability() const { return m_usability; }
    ZelStyleVirtualKeyboard *virtualkeyboard() const { return m_virtualkeyboard; }
    ZelStyleZ *z() const { return m_z; }

    void classBegin() override;
    void componentComplete() override {}

private:
    ZelStyleUi *m_ui;
    ZelStyleUsability *m_usability;
    ZelStyleVirtualKeyboard *m_virtualkeyboard;
    ZelStyleZ *m_z;
};
