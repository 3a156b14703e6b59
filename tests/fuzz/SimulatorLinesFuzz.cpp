// The simulated instrument's side of the protocol: received bytes cut into lines, each
// line answered from the instrument's memory (measurements finish at once). The first
// byte chooses the model and whether the instrument starts in remote mode. Every reply
// must be one line with a status word (text-mode continuations excepted), and the first
// line also goes through the option parsers the command line and control channel share.
#include <cstdint>
#include <deque>
#include <random>
#include <string>

#include "FuzzSupport.h"
#include "simulator/Commands.h"
#include "simulator/Fault.h"
#include "simulator/LineAssembler.h"
#include "simulator/Sample.h"
#include "simulator/SettingParsers.h"
#include "simulator/Spectrum.h"

namespace {

using namespace rx9100sim;

constexpr std::size_t kLongestReply = 2048;

void checkReply(const std::string& line, const std::string& reply) {
    fuzz::check(!reply.empty(), "no reply to \"" + line + "\"");
    fuzz::check(reply.find_first_of("\r\n") == std::string::npos,
                "a reply of more than one line to \"" + line + "\"");
    fuzz::check(reply.size() < kLongestReply,
                "a reply of " + std::to_string(reply.size()) + " bytes to \"" + line + "\"");
    const bool status = reply.starts_with("OK") || reply.starts_with("ER");
    fuzz::check(status || line == "&", "a reply without status word to \"" + line + "\"");
}

// The parsers of options and control commands: a fault they accept describes itself in a
// form they accept again, as the same fault.
void checkOptionParsers(std::string_view text) {
    std::string error;
    if (const auto fault = Fault::parse(text, &error)) {
        const auto again = Fault::parse(fault->describe(), &error);
        fuzz::check(again.has_value(), "a fault's description does not parse: " +
                                           fault->describe() + " (" + error + ")");
        fuzz::check(again->describe() == fault->describe(),
                    "a fault's description changes it: " + fault->describe());
    }
    (void)LightSource::parse(text);
    (void)Sample::parseList(text, &error);
    (void)parseWavelengthError(text, &error);
    (void)parseLevelError(text, &error);
    (void)parseStoredCount(text, &error);
    (void)parseNonNegative(text, "value", &error);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const std::string_view bytes = fuzz::asText(data + 1, size - 1);
    checkOptionParsers(bytes.substr(0, bytes.find('\n')));

    Identity identity;
    identity.romVersion = (data[0] & 1) != 0 ? "1.10" : "1.00";
    identity.variation = (data[0] & 2) != 0 ? 2 : 0;
    Memory memory;
    Runtime runtime;
    runtime.remote = (data[0] & 4) != 0;
    Scene scene{*LightSource::parse("d65"), 100.0, {}, 0};
    const Miscalibration errors;
    const MeasuringTiming timing;
    std::mt19937 rng(1);
    std::deque<std::string> continuation;
    auto now = Clock::now();

    LineAssembler assembler;
    for (const LineAssembler::Line& line : assembler.feed(bytes)) {
        if (line.lateLf || line.text.empty()) {
            continue;
        }
        std::string reply;
        if (line.overflow) {
            reply = overrunReply();
        } else {
            CommandContext context{memory, runtime, identity,     scene,        errors, timing,
                                   0.002,  rng,     continuation, SessionId{1}, now};
            reply = executeCommand(context, line.text);
        }
        checkReply(line.text, reply);
        if (runtime.measuring) {  // the measurement ends before the next line arrives
            runtime.lastMeasurement = std::move(runtime.measuring->result);
            runtime.measuring.reset();
            runtime.dataAvailable = true;
            scene.measurementCompleted();
        }
        now += std::chrono::seconds(1);
    }
    return 0;
}
