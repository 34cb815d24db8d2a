#include "enterkeyaction.h"
#include "inputcontext.h"
#include "virtualkeyboard.h"
#include "virtualkeyboardsettings.h"

#include <QQmlEngine>
#include <QQmlExtensionPlugin>

class VirtualKeyboardPlugin : public QQmlExtensionPlugin
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QQmlExtensionInterface_iid)

public:
    void registerTypes(const char *uri) override
    {
        qmlRegisterUncreatableType<VirtualKeyboard>(
            uri, 1, 0, "VirtualKeyboard", QStringLiteral("VirtualKeyboard only holds names"));
        qmlRegisterUncreatableType<EnterKeyAction>(
            uri, 1, 0, "EnterKeyAction",
            QStringLiteral("EnterKeyAction is attached: EnterKeyAction.actionId"));
        qmlRegisterSingletonType<InputContext>(
            uri, 1, 0, "InputContext",
            [](QQmlEngine *, QJSEngine *) -> QObject * { return new InputContext; });
        qmlRegisterSingletonType<VirtualKeyboardSettings>(
            uri, 1, 0, "VirtualKeyboardSettings",
            [](QQmlEngine *, QJSEngine *) -> QObject * { return new VirtualKeyboardSettings; });
    }
};

#include "virtualkeyboardplugin.moc"
