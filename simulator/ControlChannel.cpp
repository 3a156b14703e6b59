#include "simulator/ControlChannel.h"

#include <algorithm>
#include <sstream>
#include <vector>

#include "simulator/HexFloat.h"
#include "simulator/SettingParsers.h"

namespace rx9100sim {

const char* const kControlHelp =
    "Commands (one per line):\n"
    "  key                   press the measuring key (needs MSWE,1 from the host)\n"
    "  autokey SECONDS       press the key every SECONDS (0: off)\n"
    "  source NAME [CD/M2]   light source: a, d65, e, planck:K, led:NM[:FWHM], red, green,\n"
    "                        blue, white, lines:HG, lines:NM,NM,...; optionally with a\n"
    "                        luminance in cd/m2\n"
    "  luminance CD/M2       change only the luminance\n"
    "  present NAME[,NAME]   samples in front of the instrument, one per measurement, the\n"
    "                        last one staying: none, white, grey, grey:R, red, cyan\n"
    "  wavelength-error NM   every line appears NM too long (negative: too short)\n"
    "  level-error X         every reading times 1 + X*(nm - 580)/200\n"
    "  angle 0|1|2           set the measuring angle\n"
    "  fault FAULT           arm a fault (see --help for the syntax); 'fault clear' disarms all\n"
    "  local                 leave remote mode, as the instrument's own key would\n"
    "  sample N              keep the last measurement as sample N (0-99)\n"
    "  target N [NAME]       keep the last measurement as target N (1-20)\n"
    "  stored N              replace all stored data by N believable samples and\n"
    "                        min(N, 20) targets (0 empties the store)\n"
    "  status                show the simulator's state\n"
    "  help                  this text\n"
    "  quit                  stop the simulator";

namespace {

std::vector<std::string> words(std::string_view line) {
    std::vector<std::string> w;
    std::istringstream in{std::string(line)};
    for (std::string s; in >> s;) {
        w.push_back(s);
    }
    return w;
}

std::string status(const Instrument& instrument) {
    const Identity id = instrument.identity();
    const Scene scene = instrument.scene();
    const Memory m = instrument.memory();
    const Miscalibration errors = instrument.miscalibration();
    std::ostringstream out;
    out << "identity: variation " << id.variation << ", body " << id.bodyNumber << ", ROM "
        << id.romVersion << "\n"
        << "source: " << scene.source.describe() << " at " << toFixed(scene.luminance, 4)
        << " cd/m2, angle " << m.measuringAngle << "\n"
        << "sample: " << scene.presented().describe() << ", then "
        << (scene.nextSample + 1 < scene.samples.size()
                ? scene.samples[scene.nextSample + 1].describe()
                : std::string("the same"))
        << "\n"
        << "wavelength error " << toFixed(errors.wavelengthNm, 3) << " nm, level error "
        << toFixed(errors.levelTilt, 4) << "\n"
        << "remote: " << (instrument.remoteMode() ? "yes" : "no")
        << ", key: " << (instrument.keyEnabled() ? "enabled" : "disabled")
        << ", measuring: " << (instrument.isMeasuring() ? "yes" : "no")
        << ", faults armed: " << instrument.armedFaults() << "\n"
        << "speed mode " << m.conditions.speedMode << ", active channel " << m.activeChannel
        << ", active target " << m.activeTarget;
    return out.str();
}

}  // namespace

ControlResult runControlCommand(Instrument& instrument, std::string_view line) {
    const auto w = words(line);
    if (w.empty()) {
        return {};
    }
    const std::string& cmd = w[0];
    const auto arg = [&](std::size_t i) { return i < w.size() ? w[i] : std::string(); };
    if (cmd == "help" || cmd == "?") {
        return {kControlHelp};
    }
    if (cmd == "quit" || cmd == "exit") {
        return {"bye", true};
    }
    if (cmd == "key") {
        return {instrument.pressKey() ? "measuring" : "key ignored (not enabled or busy)"};
    }
    if (cmd == "autokey") {
        const auto s = parseDecimal(arg(1));
        if (!s || *s < 0) {
            return {"usage: autokey SECONDS"};
        }
        instrument.setAutoKeyInterval(std::chrono::milliseconds(static_cast<long long>(*s * 1000)));
        return {"ok"};
    }
    if (cmd == "source") {
        const auto source = LightSource::parse(arg(1));
        if (!source) {
            return {
                "unknown source; try: a, d65, e, planck:3000, led:530:30, red, green, blue, white, "
                "lines:HG, lines:404.66,546.07"};
        }
        double luminance = instrument.scene().luminance;
        if (w.size() > 2) {
            const auto l = parseDecimal(arg(2));
            if (!l || *l < 0) {
                return {"bad luminance"};
            }
            luminance = *l;
        }
        instrument.setScene(*source, luminance);
        return {"source " + source->describe() + " at " + toFixed(luminance, 4) + " cd/m2"};
    }
    if (cmd == "present") {
        std::string error;
        const auto samples = Sample::parseList(arg(1), &error);
        if (!samples || w.size() != 2) {
            return {samples ? "usage: present NAME[,NAME...]" : error};
        }
        instrument.presentSamples(*samples);
        std::string text = "presenting";
        for (std::size_t i = 0; i < samples->size(); ++i) {
            text += (i ? ", then " : " ") + (*samples)[i].describe();
        }
        return {text};
    }
    if (cmd == "wavelength-error" || cmd == "level-error") {
        std::string error;
        const bool wavelength = cmd == "wavelength-error";
        const auto v =
            wavelength ? parseWavelengthError(arg(1), &error) : parseLevelError(arg(1), &error);
        if (!v) {
            return {error};
        }
        Miscalibration errors = instrument.miscalibration();
        (wavelength ? errors.wavelengthNm : errors.levelTilt) = *v;
        instrument.setMiscalibration(errors);
        return {"ok"};
    }
    if (cmd == "luminance") {
        const auto l = parseDecimal(arg(1));
        if (!l || *l < 0) {
            return {"usage: luminance CD/M2"};
        }
        instrument.setScene(instrument.scene().source, *l);
        return {"ok"};
    }
    if (cmd == "angle") {
        const auto a = parseInteger(arg(1));
        if (!a || *a < 0 || *a > 2) {
            return {"usage: angle 0|1|2"};
        }
        instrument.setMeasuringAngle(static_cast<int>(*a));
        return {"ok"};
    }
    if (cmd == "fault") {
        if (arg(1) == "clear") {
            instrument.clearFaults();
            return {"faults cleared"};
        }
        std::string error;
        const auto f = Fault::parse(arg(1), &error);
        if (!f) {
            return {error};
        }
        instrument.injectFault(*f);
        return {"armed " + f->describe()};
    }
    if (cmd == "local") {
        instrument.leaveRemoteMode();
        return {"ok"};
    }
    if (cmd == "sample" || cmd == "target") {
        const auto n = parseInteger(arg(1));
        const bool done =
            n && (cmd == "sample" ? instrument.storeSample(static_cast<int>(*n))
                                  : instrument.storeTarget(static_cast<int>(*n), arg(2)));
        return {done ? "stored" : "nothing stored (no measurement yet, or bad number)"};
    }
    if (cmd == "stored") {
        std::string error;
        const auto n = parseStoredCount(arg(1), &error);
        if (!n || w.size() != 2) {
            return {n ? "usage: stored N" : error};
        }
        instrument.fillStoredData(*n);
        return {"stored " + std::to_string(*n) + " samples and " +
                std::to_string(std::min(*n, kTargets)) + " targets"};
    }
    if (cmd == "status") {
        return {status(instrument)};
    }
    return {"unknown command; type 'help'"};
}

}  // namespace rx9100sim
