#include "cli/port_argument.h"

#include "cli/commands.h"
#include "cli/output.h"
#include "core/tool_texts.h"
#include "serial/device_name.h"
#include "serial/port_doctor.h"
#include "serial/port_texts.h"

QString chosenPort(const std::optional<QString> &option)
{
    const ToolTexts &t = texts();
    if (option)
        return *option;
    const QString fromEnvironment = qEnvironmentVariable("IGC_PORT");
    if (!fromEnvironment.isEmpty()) {
        detail(t.portFromEnvironment.arg(fromEnvironment));
        return fromEnvironment;
    }
    const QStringList ports = availableSerialPorts();
    const QStringList adapters = availableUsbAdapters();
    if (adapters.isEmpty())
        fail(ExitPort, t.noAdapter);
    QStringList labels;
    for (const QString &adapter : adapters)
        labels << portLabel(QStringLiteral("Com%1").arg(comNumberOf(adapter, ports)), adapter);
    if (adapters.size() > 1)
        fail(ExitUsage, t.severalAdapters.arg(QString::number(adapters.size()), labels.join(QStringLiteral(", "))));
    inform(t.usingAdapter.arg(labels.first()));
    return QStringLiteral("Com%1").arg(comNumberOf(adapters.first(), ports));
}

QString portLabel(const QString &name, const QString &device)
{
    return device.isEmpty() || device == name ? name : QStringLiteral("%1 (%2)").arg(name, device);
}

const PortTexts &portTexts()
{
    return language() == ToolLanguage::Hungarian ? hungarianPortTexts() : englishPortTexts();
}

QString portErrorText(const PlatformError &error)
{
    if (const auto *open = dynamic_cast<const PortOpenError *>(&error))
        return portDiagnosisText(open->diagnosis(), portTexts());
    return error.message();
}
