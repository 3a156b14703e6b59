#include "StudioOptions.h"

#include <QCommandLineParser>

#include "simulator/Fault.h"

namespace studio {

namespace {

std::optional<double> number(const QCommandLineParser& parser, const QString& name, double low,
                             double high, QString& error) {
    if (!parser.isSet(name)) {
        return std::nullopt;
    }
    bool ok = false;
    const double value = parser.value(name).toDouble(&ok);
    if (!ok || value < low || value > high) {
        error = QStringLiteral("--%1 takes a number from %2 to %3").arg(name).arg(low).arg(high);
        return std::nullopt;
    }
    return value;
}

}  // namespace

std::optional<QString> parseOptions(const QStringList& args, StudioOptions& options) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("RX-9100 Studio: the RX-9100 spectroradiometer on the desktop"));
    const QCommandLineOption help = parser.addHelpOption();
    parser.addOptions({
        {QStringLiteral("port"), QStringLiteral("Serial port (default: the driver's settings)"),
         QStringLiteral("PATH")},
        {QStringLiteral("method"), QStringLiteral("usb or rs232c"), QStringLiteral("METHOD")},
        {QStringLiteral("baud"), QStringLiteral("Baud rate"), QStringLiteral("BAUD")},
        {QStringLiteral("settings"), QStringLiteral("Folder of the driver's settings"),
         QStringLiteral("DIR")},
        {QStringLiteral("no-connect"), QStringLiteral("Do not connect at start")},
        {QStringLiteral("sim"), QStringLiteral("Measure with the built-in simulated instrument")},
        {QStringLiteral("sim-source"), QStringLiteral("Simulated light source (d65, a, ...)"),
         QStringLiteral("SOURCE")},
        {QStringLiteral("sim-luminance"), QStringLiteral("Its luminance in cd/m2"),
         QStringLiteral("CD")},
        {QStringLiteral("sim-measuring-time"), QStringLiteral("Every measurement takes S seconds"),
         QStringLiteral("S")},
        {QStringLiteral("sim-key-interval"),
         QStringLiteral("Press the instrument's key every S seconds"), QStringLiteral("S")},
        {QStringLiteral("sim-stored"), QStringLiteral("Stored targets and samples"),
         QStringLiteral("N")},
        {QStringLiteral("sim-fault"), QStringLiteral("A fault to inject, e.g. MEDR:hangup"),
         QStringLiteral("FAULT")},
    });
    if (!parser.parse(args)) {
        return parser.errorText();
    }
    if (parser.isSet(help)) {
        return parser.helpText();
    }
    if (!parser.positionalArguments().isEmpty()) {
        return QStringLiteral("unexpected argument %1").arg(parser.positionalArguments().front());
    }
    cli::GlobalOptions& global = options.global;
    global.port = parser.value(QStringLiteral("port")).toStdString();
    global.method = parser.value(QStringLiteral("method")).toStdString();
    if (!global.method.empty() && global.method != "usb" && global.method != "rs232c") {
        return QStringLiteral("--method is usb or rs232c");
    }
    global.settingsDir = parser.value(QStringLiteral("settings")).toStdString();
    options.connectAtStart = !parser.isSet(QStringLiteral("no-connect"));
    QString error;
    if (const auto baud = number(parser, QStringLiteral("baud"), 300, 921600, error)) {
        global.baud = static_cast<int>(*baud);
    }
    cli::SimulatorOptions& sim = global.sim;
    sim.enabled = parser.isSet(QStringLiteral("sim"));
    if (parser.isSet(QStringLiteral("sim-source"))) {
        sim.source = parser.value(QStringLiteral("sim-source")).toStdString();
    }
    if (const auto value = number(parser, QStringLiteral("sim-luminance"), 0, 1e7, error)) {
        sim.luminance = *value;
    }
    sim.measuringTime = number(parser, QStringLiteral("sim-measuring-time"), 0, 600, error);
    if (const auto value = number(parser, QStringLiteral("sim-key-interval"), 0, 3600, error)) {
        sim.keyInterval = *value;
    }
    if (const auto value = number(parser, QStringLiteral("sim-stored"), 0, 1000, error)) {
        sim.stored = static_cast<int>(*value);
    }
    for (const QString& fault : parser.values(QStringLiteral("sim-fault"))) {
        std::string why;
        if (!rx9100sim::Fault::parse(fault.toStdString(), &why)) {
            return QStringLiteral("--sim-fault %1: %2").arg(fault, QString::fromStdString(why));
        }
        sim.faults.push_back(fault.toStdString());
    }
    if (!error.isEmpty()) {
        return error;
    }
    const bool simOnly = parser.isSet(QStringLiteral("sim-source")) ||
                         parser.isSet(QStringLiteral("sim-key-interval")) ||
                         parser.isSet(QStringLiteral("sim-fault")) ||
                         parser.isSet(QStringLiteral("sim-measuring-time"));
    if (simOnly && !sim.enabled) {
        return QStringLiteral("the --sim-... options need --sim");
    }
    return std::nullopt;
}

}  // namespace studio
