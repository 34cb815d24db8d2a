#include "platforminputcontext.h"

#include <qpa/qplatforminputcontextplugin_p.h>

class InputContextPlugin : public QPlatformInputContextPlugin
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QPlatformInputContextFactoryInterface_iid FILE "zelvirtualkeyboard.json")

public:
    QPlatformInputContext *create(const QString &key, const QStringList &paramList) override
    {
        Q_UNUSED(paramList)
        if (key.compare(QLatin1String("zelvirtualkeyboard"), Qt::CaseInsensitive) != 0)
            return nullptr;
        return new ZelPlatformInputContext;
    }
};

#include "inputcontextplugin.moc"
