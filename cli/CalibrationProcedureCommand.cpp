// `rx9100 usercal wavelength N --lines ...` and `rx9100 usercal level N --reference FILE.lrv`:
// the wavelength and level calibrations played through the user-calibration editor and the
// procedures' own dialogs, as a user would click them, so that every check, message and
// write is the driver's. Afterwards the table written is read back from the instrument and
// printed; the level calibration also says how well a corrected measurement of the lamp
// now matches its reference.
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "Commands.h"
#include "DriverMessages.h"
#include "ErrorReport.h"
#include "ExitCodes.h"
#include "InstrumentSession.h"
#include "Interrupt.h"
#include "PlayingRunner.h"
#include "platform/UiServices.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/DialogRunner.h"
#include "usercal/CCorrectLevelDlg.h"
#include "usercal/CCorrectWavelengthDlg.h"
#include "usercal/CEditCalDataRx9100Dlg.h"
#include "usercal/WavelengthCalibration.h"
#include "whitecal/CWhiteMeasureDlg.h"

namespace cli {

namespace {

using Editor = CEditCalDataRx9100Dlg;
using Wave = CCorrectWavelengthDlg;
using Level = CCorrectLevelDlg;

enum class Procedure { Wavelength, Level };

// Numbers as the dialogs' fields hold them: "." whatever the locale.
std::string fixed(double value, int decimals) {
    char text[64];
    const auto end =
        std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, decimals);
    return std::string(text, end.ptr);
}

double number(const std::string& text) {
    double value = NAN;
    const char* begin = text.data();
    while (begin != text.data() + text.size() && *begin == ' ') {
        ++begin;
    }
    std::from_chars(begin, text.data() + text.size(), value);
    return value;
}

// The first 401 lines of a reference file; nothing when it is shorter.
std::optional<std::vector<double>> referenceValues(const std::string& path) {
    std::ifstream in(path);
    std::vector<double> values;
    std::string line;
    while (values.size() < static_cast<std::size_t>(usercal::kEntries) && std::getline(in, line)) {
        values.push_back(number(line));
    }
    if (values.size() < static_cast<std::size_t>(usercal::kEntries)) {
        return std::nullopt;
    }
    return values;
}

// The wavelength (nm) of the highest point within window nm of nm.
int peakNear(const std::vector<double>& spectrum, double nm, double window) {
    const int from = std::max(380, static_cast<int>(std::floor(nm - window)));
    const int to = std::min(780, static_cast<int>(std::ceil(nm + window)));
    int peak = from;
    for (int x = from; x <= to && static_cast<std::size_t>(x - 380) < spectrum.size(); ++x) {
        if (spectrum[static_cast<std::size_t>(x - 380)] >
            spectrum[static_cast<std::size_t>(peak - 380)]) {
            peak = x;
        }
    }
    return peak;
}

struct Request {
    Procedure procedure = Procedure::Wavelength;
    int channel = 1;
    std::vector<double> lines;  // nm
    double window = 5.0;
    std::string reference;  // .lrv
};

struct Outcome {
    bool started = false;               // the editor's button took the click
    bool measured = false;              // the procedure's measurement came back
    bool written = false;               // the procedure wrote its table
    std::vector<double> centroids;      // wavelength: as the dialog showed them
    std::vector<std::string> messages;  // what the dialogs said
};

// File choosers get the reference file; message boxes are kept for the report.
class ProcedureServices : public platform::UiServices {
  public:
    ProcedureServices(const Request& request, Outcome& outcome)
        : request_(request), outcome_(outcome) {}
    int messageBox(platform::WindowHandle, const platform::MessageBoxRequest& box) override {
        outcome_.messages.push_back(box.text);
        return platform::IDOK;
    }
    std::optional<std::string> chooseFile(platform::WindowHandle,
                                          const platform::FileChooserRequest&) override {
        return request_.reference;
    }
    void beginWaitCursor() override {}
    void endWaitCursor() override {}

  private:
    const Request& request_;
    Outcome& outcome_;
};

class ProcedureRunner : public PlayingRunner {
  public:
    ProcedureRunner(const Request& request, Outcome& outcome)
        : request_(request), outcome_(outcome) {}

  protected:
    void play(platform::ui::Dialog& dialog) override {
        if (!interrupted()) {
            switch (dialog.templateId()) {
                case Editor::IDD:
                    outcome_.started = dialog.userSelect(Editor::IDC_CHANNELS, request_.channel) &&
                                       dialog.userClick(request_.procedure == Procedure::Wavelength
                                                            ? Editor::IDC_WAVELENGTH_CAL
                                                            : Editor::IDC_LEVEL_CAL);
                    dialog.endDialog(platform::IDOK);
                    break;
                case Wave::IDD:
                    markLines(dialog);
                    break;
                case Level::IDD:
                    // Chained after a wavelength calibration: not asked for here.
                    if (request_.procedure == Procedure::Level) {
                        calibrateLevel(dialog);
                    }
                    break;
                default:
                    break;
            }
        }
    }

  private:
    void markLines(platform::ui::Dialog& dialog) {
        dialog.userClick(Wave::IDC_MEASURE);
        outcome_.measured = dialog.findControl(Wave::IDC_ADD)->enabled();
        if (!outcome_.measured || interrupted()) {
            return;
        }
        // The spectrum as the dialog's graph shows it (per cent of its highest point) tells
        // where the peaks are.
        const auto& series = dialog.graph(Wave::IDC_GRAPH).series();
        if (series.empty()) {
            outcome_.measured = false;
            return;
        }
        const std::vector<double>& spectrum = series.front().values;
        for (std::size_t row = 0; row < request_.lines.size(); ++row) {
            const double nm = request_.lines[row];
            const Wave::RowIds& ids = Wave::kRowIds[row];
            // The range is centred on the line's peak near where it should be, so that the
            // centroid takes the whole line however far the instrument has moved it.
            const int peak = peakNear(spectrum, nm, request_.window);
            const int half = static_cast<int>(std::lround(request_.window));
            dialog.userType(Wave::IDC_ROW_NUMBER, std::to_string(row));
            dialog.userType(Wave::IDC_RANGE_START, std::to_string(std::max(380, peak - half)));
            dialog.userType(Wave::IDC_RANGE_END, std::to_string(std::min(780, peak + half)));
            dialog.userClick(Wave::IDC_ADD);
            const std::string centroid = dialog.edit(ids.centroid).text();
            outcome_.centroids.push_back(centroid.empty() ? NAN : number(centroid));
            dialog.userType(ids.reference, fixed(nm, 2));
        }
        dialog.userClick(platform::IDOK);
        outcome_.written = dialog.ended() && dialog.endCode() == platform::IDOK;
    }

    void calibrateLevel(platform::ui::Dialog& dialog) {
        dialog.userClick(Level::IDC_MEASURE);
        outcome_.measured = dialog.findControl(platform::IDOK)->enabled();
        if (!outcome_.measured || interrupted()) {
            return;
        }
        dialog.userClick(Level::IDC_LOAD);
        dialog.userClick(platform::IDOK);
        outcome_.written = dialog.ended() && dialog.endCode() == platform::IDOK;
    }

    const Request& request_;
    Outcome& outcome_;
};

int playProcedure(InstrumentSession& session, const Request& request, Outcome& outcome) {
    const auto previousRunner = platform::ui::dialogRunner();
    platform::ui::setDialogRunner(std::make_shared<ProcedureRunner>(request, outcome));
    platform::setUiServices(std::make_shared<ProcedureServices>(request, outcome));
    // A stop cancels the measurement the procedure is waiting for.
    TavoRX9100& driver = session.driver();
    const StopWatcher watcher([&driver] { driver.setMeasurementCancel(true); }, -1);
    const int result = driver.setupWhiteCalibrationData();
    platform::ui::setDialogRunner(previousRunner);
    platform::setUiServices(std::make_shared<DriverMessages>());
    return result;
}

std::string said(const Outcome& outcome) {
    std::string text;
    for (const std::string& message : outcome.messages) {
        const std::string gloss = glossForMessage(message);
        text += "\n  " + message + (gloss.empty() ? "" : " (" + gloss + ")");
    }
    return text;
}

// What went wrong in the dialogs, or kExitOk.
int judge(InstrumentSession& session, const Request& request, const Outcome& outcome, int result) {
    const std::string ch = "channel " + std::to_string(request.channel);
    if (interrupted()) {
        printError(std::string("stopped: ") +
                   (outcome.written ? "the table was written"
                                    : ch + " may hold part of the table, without its ID"));
        return kExitStoppedBase + stopSignal();
    }
    if (!outcome.started) {
        return session.fail("opening the calibration of " + ch, result != 0 ? result : 10);
    }
    if (!outcome.measured) {
        printError("the measurement failed" + said(outcome));
        return kExitInstrument;
    }
    if (!outcome.written) {
        printError("no table written to " + ch + said(outcome));
        return kExitInstrument;
    }
    if (result != 0) {
        return session.fail("putting back the active channel", result);
    }
    return kExitOk;
}

nlohmann::json tableJson(const std::vector<double>& table) {
    return nlohmann::json(table);
}

// Every tenth entry, 380 to 780 nm.
void printTable(const char* title, const std::vector<double>& table, int decimals) {
    std::printf("%s\n", title);
    for (int nm = 380; nm <= 780; nm += 10) {
        std::printf("  %3d nm  %s\n", nm,
                    fixed(table[static_cast<std::size_t>(nm - 380)], decimals).c_str());
    }
}

std::optional<std::vector<double>> readBack(TavoRX9100& driver, Procedure procedure, int ch) {
    std::vector<double> table(usercal::kEntries);
    const int r = procedure == Procedure::Wavelength ? driver.checkWavelengthData(table.data(), ch)
                                                     : driver.checkLevelData(table.data(), ch);
    if (r != 0) {
        return std::nullopt;
    }
    return table;
}

}  // namespace

int runUsercalWavelength(CommandContext& context) {
    const UsercalOptions& options = context.line.usercal;
    if (options.lines.empty() || options.lines.size() > Wave::kRows) {
        printError("--lines takes 1 to 10 wavelengths");
        return kExitUsage;
    }
    Request request{Procedure::Wavelength, options.channel, options.lines, options.window, {}};
    InstrumentSession session(context.driver, context.line.global, context.trace,
                              context.portOverride);
    if (const int r = session.open(); r != kExitOk) {
        return r;
    }
    Outcome outcome;
    const int result = playProcedure(session, request, outcome);
    if (const int r = judge(session, request, outcome, result); r != kExitOk) {
        return r;
    }
    const auto table = readBack(context.driver, Procedure::Wavelength, options.channel);
    if (!table) {
        return session.fail("reading the wavelength table back", 10);
    }
    if (options.format == Format::Json) {
        nlohmann::json lines = nlohmann::json::array();
        for (std::size_t i = 0; i < options.lines.size(); ++i) {
            lines.push_back(
                {{"reference_nm", options.lines[i]}, {"centroid_nm", outcome.centroids.at(i)}});
        }
        std::cout << nlohmann::json{{"channel", options.channel},
                                    {"lines", lines},
                                    {"wavelength_table", tableJson(*table)}}
                  << "\n";
        return kExitOk;
    }
    std::printf("Wavelength calibration of channel %d\n  line (nm)  centroid  offset\n",
                options.channel);
    for (std::size_t i = 0; i < options.lines.size(); ++i) {
        std::printf("  %9.2f  %8.2f  %+6.2f\n", options.lines[i], outcome.centroids.at(i),
                    outcome.centroids.at(i) - options.lines[i]);
    }
    printTable("Table written (nm at which each nominal wavelength is read)", *table, 3);
    return kExitOk;
}

int runUsercalLevel(CommandContext& context) {
    const UsercalOptions& options = context.line.usercal;
    Request request{Procedure::Level, options.channel, {}, 0.0, options.reference};
    InstrumentSession session(context.driver, context.line.global, context.trace,
                              context.portOverride);
    if (const int r = session.open(); r != kExitOk) {
        return r;
    }
    Outcome outcome;
    const int result = playProcedure(session, request, outcome);
    if (const int r = judge(session, request, outcome, result); r != kExitOk) {
        return r;
    }
    TavoRX9100& driver = context.driver;
    const auto table = readBack(driver, Procedure::Level, options.channel);
    const auto reference = referenceValues(options.reference);
    if (!table || !reference) {
        return session.fail("reading the level table back", 10);
    }
    // How well the lamp measures now: once more, with the new level table applied.
    std::vector<MeasuringData> records;
    if (const int r = driver.doMeasurement(records, nullptr); r != 0 || records.empty()) {
        return session.fail("measuring the lamp again", r != 0 ? r : 10);
    }
    SetupStatus& status = *driver.getSetupStatus();
    const int mode = status.getCalibrationMode();
    driver.setCalibrationMode(false, false, true);
    driver.CorrectMeasurementData(records.front(), options.channel);
    status.setCalibrationMode(mode);
    double largest = 0.0;
    double sum = 0.0;
    int counted = 0;
    // Where a lamp has light enough for the comparison to mean something.
    for (int nm = 400; nm <= 700; ++nm) {
        const std::size_t i = static_cast<std::size_t>(nm - 380);
        if ((*reference)[i] <= 0.0) {
            continue;
        }
        const double deviation = std::fabs(records.front().getData()[i] / (*reference)[i] - 1.0);
        largest = std::max(largest, deviation);
        sum += deviation;
        ++counted;
    }
    const double meanPercent = counted > 0 ? 100.0 * sum / counted : NAN;
    if (options.format == Format::Json) {
        std::cout << nlohmann::json{{"channel", options.channel},
                                    {"level_table", tableJson(*table)},
                                    {"residual_percent_400_700nm",
                                     {{"largest", 100.0 * largest}, {"mean", meanPercent}}}}
                  << "\n";
        return kExitOk;
    }
    std::printf("Level calibration of channel %d\n", options.channel);
    printTable("Table written (factor applied at each wavelength)", *table, 5);
    std::printf(
        "A corrected measurement of the lamp against its reference, 400 to 700 nm:\n"
        "  largest deviation %.3f %%, mean %.3f %%\n",
        100.0 * largest, meanPercent);
    return kExitOk;
}

}  // namespace cli
