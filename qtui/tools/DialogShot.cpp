// rx9100-dialog-shot: draws the driver's dialogs to PNG files without a display
// (Qt's offscreen platform), for the documentation and for review.
//
//   rx9100-dialog-shot --list
//   rx9100-dialog-shot CEditCalIdDlg out.png     (or the template id: 1501)
//   rx9100-dialog-shot --all docs/dialogs
//   rx9100-dialog-shot --template 17001 out.png  (the bare template, no logic)
//   rx9100-dialog-shot --spectrum-demo out.png   (the spectral graph)
#include <QApplication>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "dialogs/CCheckCommunicationDlg.h"
#include "dialogs/COptionRx9100Dlg.h"
#include "dialogs/CPortSettingsDlg.h"
#include "dialogs/CSetupRx9100Dlg.h"
#include "measure/CMeasureProgressDlg.h"
#include "resources/StringTable.h"
#include "resources/templates/DialogTemplates.h"
#include "rx9100qt/QtDialogRunner.h"
#include "rx9100qt/QtUi.h"
#include "rx9100qt/SpectrumPng.h"
#include "sensor/TavoRX9100.h"
#include "simulator/InProcessConnection.h"
#include "simulator/Instrument.h"
#include "transfer/CDownloadTargetDlg.h"
#include "transfer/CSelectClearFormatDlg.h"
#include "transfer/CUploadProgDlg.h"
#include "transfer/CUploadRx9100Dlg.h"
#include "usercal/CCorrDataDlg.h"
#include "usercal/CCorrectLevelDlg.h"
#include "usercal/CCorrectWavelengthDlg.h"
#include "usercal/CEditCalDataRx9100Dlg.h"
#include "usercal/CEditCalIdDlg.h"
#include "whitecal/CWhiteCalibrationDlg.h"

namespace {

// The white calibration dialog as a user sees it with a standard and a user file chosen;
// its settings and files live in a scratch folder, never the user's.
std::unique_ptr<platform::ui::Dialog> whiteCalibrationShot() {
    struct Scratch {
        Scratch() {
            std::string pattern = std::filesystem::temp_directory_path() / "rx9100-shot-XXXXXX";
            path = mkdtemp(pattern.data());
            std::filesystem::create_directory(path + "/RX9100");
            for (const char* name : {"/RX9100/white-tile-2024.wcb", "/my-white.wcb"}) {
                std::ofstream file(path + name);
                for (int i = 0; i < 401; ++i) {
                    file << "0.98\n";
                }
            }
            RegistryStore::setStoreFolder(path);
        }
        ~Scratch() { std::filesystem::remove_all(path); }
        std::string path;
    };
    static const Scratch scratch;
    const std::string& folder = scratch.path;
    static TavoRX9100 driver;
    static WhiteCalibrationData record;
    driver.setMeasurementType(1);
    std::string standard = folder + "/RX9100/white-tile-2024.wcb";
    std::string user = folder + "/my-white.wcb";
    driver.SetWhiteCalirationPathStdToReg(standard);
    driver.SetWhiteCalibrationPathUserToReg(user);
    driver.SetWhiteCalibrationUserOnToReg(1);
    return std::make_unique<CWhiteCalibrationDlg>(driver, *driver.getSetupCapability(),
                                                  *driver.getSetupStatus(), record);
}

// The measuring-conditions dialog over a simulated instrument prepared to show its rules:
// the standard model (ROM 1.10) with an adapter-lens table, both ND tables, two calibrated
// channels and the manual integration time; the low-luminance model (ROM 1.00) counting
// with internal sync, where the internal ND follows the older firmware.
std::unique_ptr<platform::ui::Dialog> setupShot(bool lowLuminance) {
    struct Connected {
        explicit Connected(bool low)
            : instrument(low ? rx9100sim::Identity{2, "2000417", "1.00"}
                             : rx9100sim::Identity{0, "1000001", "1.10"}) {
            rx9100sim::Memory memory = instrument.memory();
            memory.channels[1].wavelength = rx9100sim::identityWavelengthTable();
            (*memory.channels[1].wavelength)[5] = 385.4f;
            memory.channels[1].level = rx9100sim::unitTable();
            (*memory.channels[1].level)[380] = 0.97f;
            memory.channels[1].id = "LAMP-A";
            memory.channels[4].level = memory.channels[1].level;
            memory.channels[4].id = "LED-W 2";
            memory.activeChannel = 1;
            if (low) {
                memory.conditions = {2, 8, 500000, 0, 1, 5994, 0, 0};
            } else {
                memory.conditions = {3, 1, 250000, 1, 0, 6000, 0, 0};
                memory.lensTables[0] = rx9100sim::unitTable();
                memory.ndTables[0][0] = rx9100sim::unitTable();
                memory.ndTables[0][1] = rx9100sim::unitTable();
            }
            instrument.setMemory(memory);
            driver.setConnection(std::make_unique<rx9100sim::InProcessConnection>(instrument));
            driver.setErrorVisible(false);
            if (driver.connect() == 0) {
                driver.checkSetupStatus();
                driver.checkCalibrationCh();
            }
        }
        rx9100sim::Instrument instrument;
        TavoRX9100 driver;
    };
    static Connected standard(false);
    static Connected low(true);
    TavoRX9100& driver = lowLuminance ? low.driver : standard.driver;
    return std::make_unique<CSetupRx9100Dlg>(driver, *driver.getSetupCapability(),
                                             *driver.getSetupStatus());
}

// A driver connected to a simulated instrument with twelve stored samples and targets, for
// the dialogs that read from the instrument as they open.
TavoRX9100& simulatedDriver() {
    static rx9100sim::Instrument instrument;
    static TavoRX9100 driver;
    static const bool connected = [] {
        instrument.setNoise(0.0);
        instrument.fillStoredData(12);
        driver.setConnection(std::make_unique<rx9100sim::InProcessConnection>(instrument));
        driver.setErrorVisible(false);
        return driver.connect() == 0;
    }();
    if (!connected) {
        std::fprintf(stderr, "the simulated instrument did not answer\n");
    }
    return driver;
}

std::unique_ptr<platform::ui::Dialog> uploadShot() {
    auto d = std::make_unique<CUploadRx9100Dlg>(simulatedDriver(), true, 1300);
    d->setTitleText(resources::loadString(CUploadRx9100Dlg::IDS_IMPORT_TARGETS_TITLE));
    d->initialize();
    d->userCheckRow(CUploadRx9100Dlg::IDC_LIST, 0, true);
    d->userCheckRow(CUploadRx9100Dlg::IDC_LIST, 2, true);
    return d;
}

std::unique_ptr<platform::ui::Dialog> downloadShot() {
    TavoRX9100& driver = simulatedDriver();
    StoredRecords samples;
    driver.readStoredRecords(false, true, samples, {});
    DataPack reference = samples.records.at(1);
    reference.name = "D65 ref";
    auto d = std::make_unique<CDownloadTargetDlg>(driver, 1300);
    d->prepare(reference);
    d->initialize();
    d->userType(CDownloadTargetDlg::IDC_TARGET_NUMBER, "3");
    d->userType(CDownloadTargetDlg::IDC_NAME, "D65 ref");
    return d;
}

// The user calibration editor against a simulated instrument with three calibrated channels
// and factor tables for the adapter lens and ND filter 1, channel 03 selected.
std::unique_ptr<platform::ui::Dialog> calibrationEditorShot() {
    static rx9100sim::Instrument instrument;
    static TavoRX9100 driver;
    static UserCalibrationFile userFile;
    static NdCoefficientFile ndFile;
    static LensCoefficientFile lensFile;
    rx9100sim::Memory memory = instrument.memory();
    const char* ids[] = {"", "LAMP-A", "LED-5000K", "HALOGEN"};
    for (int ch = 1; ch <= 3; ++ch) {
        memory.channels[ch].level = rx9100sim::unitTable();
        (*memory.channels[ch].level)[0] = 0.97f;
        memory.channels[ch].id = ids[ch];
    }
    memory.channels[1].wavelength = rx9100sim::identityWavelengthTable();
    (*memory.channels[1].wavelength)[0] = 380.4f;
    memory.channels[3].level.reset();
    memory.channels[3].wavelength = rx9100sim::identityWavelengthTable();
    (*memory.channels[3].wavelength)[10] = 390.3f;
    memory.lensTables[0] = rx9100sim::unitTable();
    memory.ndTables[0][0] = rx9100sim::unitTable();
    instrument.setMemory(memory);
    driver.setConnection(std::make_unique<rx9100sim::InProcessConnection>(instrument));
    driver.setErrorVisible(false);
    if (driver.connect() == 0) {
        driver.checkSetupStatus();
        driver.checkCalibrationCh();
    }
    auto dialog = std::make_unique<CEditCalDataRx9100Dlg>(driver, userFile, ndFile, lensFile);
    dialog->initialize();
    dialog->userSelect(CEditCalDataRx9100Dlg::IDC_CHANNELS, 3);
    return dialog;
}

// A factor table as the instrument might hold it: a gentle slope with a dip.
const double* sampleFactors() {
    static double table[401];
    for (int i = 0; i < 401; ++i) {
        table[i] = 0.92 + 0.0002 * i - 0.05 * std::exp(-std::pow((i - 180) / 30.0, 2));
    }
    return table;
}
// A mercury lamp measured 1.5 nm too long, in per cent of its strongest line.
std::vector<double> mercuryPercent() {
    const double lines[][2] = {
        {404.66, 0.35}, {435.83, 0.8}, {546.07, 1.0}, {576.96, 0.22}, {579.07, 0.24}};
    std::vector<double> s(401);
    for (int i = 0; i < 401; ++i) {
        for (const auto& [nm, height] : lines) {
            s[i] += height * std::exp(-std::pow((380 + i - nm - 1.5) / 1.6, 2));
        }
        s[i] *= 100.0;
    }
    return s;
}

std::string shotNumber(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.4g", value);
    return text;
}

// A tungsten lamp (2856 K Planck curve) scaled to the given peak.
std::vector<double> tungsten(double peak) {
    std::vector<double> lamp(401);
    double highest = 0;
    for (int i = 0; i < 401; ++i) {
        const double m = (380 + i) * 1e-9;
        lamp[i] = 1.0 / (std::pow(m, 5) * (std::exp(0.014388 / (m * 2856)) - 1));
        highest = std::max(highest, lamp[i]);
    }
    for (double& v : lamp) {
        v *= peak / highest;
    }
    return lamp;
}

TavoRX9100& shotDriver() {
    static TavoRX9100 driver;
    return driver;
}

// The wavelength calibration with the lamp measured and three lines marked.
class WavelengthShot : public CCorrectWavelengthDlg {
  public:
    WavelengthShot() : CCorrectWavelengthDlg(shotDriver(), 3, "HG-LAMP") {}

  protected:
    void onInitDialog() override {
        CCorrectWavelengthDlg::onInitDialog();
        graph(IDC_GRAPH).addSeries({"", mercuryPercent()});
        const char* rows[][2] = {{"437.33", "435.83"}, {"547.57", "546.07"}, {"578.46", ""}};
        for (int row = 0; row < 3; ++row) {
            const RowIds& ids = kRowIds[row];
            edit(ids.centroid).setText(rows[row][0]);
            numericEdit(ids.reference).setText(rows[row][1]);
            checkBox(ids.check).setEnabled(true);
            checkBox(ids.check).setChecked(row < 2);
            numericEdit(ids.reference).setEnabled(row < 2);
        }
        numericEdit(IDC_RANGE_START).setValue(572);
        numericEdit(IDC_RANGE_END).setValue(585);
        numericEdit(IDC_ROW_NUMBER).setValue(3);
        for (int id : {IDC_ADD, IDC_ZOOM, IDC_FULL_RANGE, platform::IDOK}) {
            findControl(id)->setEnabled(true);
        }
    }
};

// The level calibration with a tungsten lamp measured and its reference registered.
class LevelShot : public CCorrectLevelDlg {
  public:
    LevelShot() : CCorrectLevelDlg(shotDriver(), 3, "HG-LAMP") {}

  protected:
    void onInitDialog() override {
        CCorrectLevelDlg::onInitDialog();
        const std::vector<double> reference = tungsten(1.0);
        std::vector<double> measured = tungsten(1.0);
        for (int i = 0; i < 401; ++i) {
            measured[i] *= 1.0 + 0.08 * (i - 200) / 200.0;
        }
        for (int row = 0; row < 401; ++row) {
            grid(IDC_GRID).setCellText(row, shotNumber(reference[row]));
        }
        graph(IDC_GRAPH).addSeries({"測定", measured});
        graph(IDC_GRAPH).addSeries({"基準データ", reference});
        for (int id : {IDC_ZOOM, IDC_FULL_RANGE, platform::IDOK}) {
            findControl(id)->setEnabled(true);
        }
    }
};

struct Shot {
    const char* name;
    int templateId;
    // Builds the dialog in a state worth looking at.
    std::function<std::unique_ptr<platform::ui::Dialog>()> make;
};

const std::vector<Shot>& shots() {
    static const std::vector<Shot> all = {
        {"CMeasureProgressDlg", 1901,
         [] {
             auto d = std::make_unique<CMeasureProgressDlg>();
             d->setRange(0, 1234);
             d->setTimeText("12.34");
             d->setPos(617);
             return d;
         }},
        {"CCheckCommunicationDlg", 1601,
         [] { return std::make_unique<CCheckCommunicationDlg>(resources::loadString(20151)); }},
        {"CUploadProgDlg", 7001,
         [] {
             auto d = std::make_unique<CUploadProgDlg>();
             d->setRange(1, 100);
             d->setText("37 / 100 " + resources::loadString(20782));
             d->setPos(37);
             return d;
         }},
        {"CSelectClearFormatDlg", 17001, [] { return std::make_unique<CSelectClearFormatDlg>(); }},
        {"CUploadRx9100Dlg", 7101, uploadShot},
        {"CDownloadTargetDlg", 8001, downloadShot},
        {"COptionRx9100Dlg", 17015,
         [] { return std::make_unique<COptionRx9100Dlg>(simulatedDriver()); }},
        {"CEditCalIdDlg", 1501,
         [] {
             auto d = std::make_unique<CEditCalIdDlg>();
             d->setChannel(3);
             d->setId("LAMP-A 2");
             return d;
         }},
        {"CPortSettingsDlg", 7301,
         [] {
             portway::PortChoices choices;
             choices.ports = {{"/dev/ttyACM0", "RX-9100", true, 0x1a86, 0x7523},
                              {"/dev/ttyS0", "", false, std::nullopt, std::nullopt},
                              {"/dev/ttyUSB0", "USB-Serial Controller", true, 0x067b, 0x2303}};
             choices.methods = {2, 3};
             choices.baudRates = {1200, 2400, 4800, 9600, 19200, 38400};
             portway::PortSettings current;
             current.method = 2;
             current.portName = "/dev/ttyUSB0";
             return std::make_unique<CPortSettingsDlg>(choices, current);
         }},
        {"CWhiteCalibrationDlg", 12001, whiteCalibrationShot},
        {"CSetupRx9100Dlg", 17020, [] { return setupShot(false); }},
        {"CSetupRx9100Dlg-RX-9100A", 17020, [] { return setupShot(true); }},
        {"CEditCalDataRx9100Dlg", 17008, calibrationEditorShot},
        {"CLensCorrDataDlg", 17007,
         [] {
             auto d = std::make_unique<CLensCorrDataDlg>();
             d->setTable(sampleFactors());
             return d;
         }},
        {"CNdCorrDataDlg", 17009,
         [] {
             auto d = std::make_unique<CNdCorrDataDlg>();
             d->setTable(sampleFactors());
             return d;
         }},
        // The measuring dialogs measure as they open; their templates are what shows.
        {"CWhiteMeasureDlg", 17014,
         [] {
             return std::make_unique<platform::ui::Dialog>(resources::templates::whiteMeasure());
         }},
        {"CCorrectWavelengthDlg", 17024, [] { return std::make_unique<WavelengthShot>(); }},
        {"CCorrectLevelDlg", 17023, [] { return std::make_unique<LevelShot>(); }},
        {"CUserMeasureDlg", 17006,
         [] {
             return std::make_unique<platform::ui::Dialog>(resources::templates::userMeasure());
         }},
    };
    return all;
}

bool save(rx9100qt::QtDialogRunner& runner, platform::ui::Dialog& dialog, const std::string& path) {
    const bool ok = runner.grab(dialog).save(QString::fromStdString(path), "PNG");
    std::fprintf(ok ? stdout : stderr, "%s %s\n", ok ? "wrote" : "cannot write", path.c_str());
    return ok;
}

const Shot* findShot(const std::string& key) {
    for (const Shot& s : shots()) {
        if (key == s.name || key == std::to_string(s.templateId)) {
            return &s;
        }
    }
    return nullptr;
}

bool spectrumDemo(const std::string& path) {
    // A tungsten lamp (2856 K Planck curve) and a white LED, both in per cent of their maximum.
    std::vector<double> lamp(401), led(401);
    double lampMax = 0, ledMax = 0;
    for (int i = 0; i < 401; ++i) {
        const double nm = 380 + i;
        const double m = nm * 1e-9;
        lamp[i] = 1.0 / (std::pow(m, 5) * (std::exp(0.014388 / (m * 2856)) - 1));
        led[i] = std::exp(-std::pow((nm - 450) / 11.0, 2)) +
                 0.62 * std::exp(-std::pow((nm - 565) / 62.0, 2));
        lampMax = std::max(lampMax, lamp[i]);
        ledMax = std::max(ledMax, led[i]);
    }
    for (int i = 0; i < 401; ++i) {
        lamp[i] *= 100 / lampMax;
        led[i] *= 100 / ledMax;
    }
    return rx9100qt::renderSpectrumPng(path, {{"標準光源A", lamp}, {"白色LED", led}},
                                       "分光放射輝度 (相対値, %)");
}

int usage() {
    std::fprintf(stderr,
                 "usage: rx9100-dialog-shot --list | NAME-OR-ID OUT.png | --all DIR |\n"
                 "       --template ID OUT.png | --spectrum-demo OUT.png\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
    }
    QApplication app(argc, argv);
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty()) {
        return usage();
    }
    auto runner = rx9100qt::installQtUi();
    int status = 0;
    if (args[0] == "--list") {
        for (const Shot& s : shots()) {
            std::printf("%d %s\n", s.templateId, s.name);
        }
    } else if (args[0] == "--all" && args.size() == 2) {
        for (const Shot& s : shots()) {
            auto dialog = s.make();
            status |= save(*runner, *dialog, args[1] + "/" + s.name + ".png") ? 0 : 1;
        }
    } else if (args[0] == "--template" && args.size() == 3) {
        const auto* t = resources::templates::findDialogTemplate(std::atoi(args[1].c_str()));
        if (t == nullptr) {
            std::fprintf(stderr, "no template %s\n", args[1].c_str());
            return 1;
        }
        platform::ui::Dialog bare(*t);
        status = save(*runner, bare, args[2]) ? 0 : 1;
    } else if (args[0] == "--spectrum-demo" && args.size() == 2) {
        status = spectrumDemo(args[1]) ? 0 : 1;
        std::printf("%s %s\n", status == 0 ? "wrote" : "cannot write", args[1].c_str());
    } else if (args.size() == 2) {
        const Shot* s = findShot(args[0]);
        if (s == nullptr) {
            std::fprintf(stderr, "unknown dialog %s (try --list)\n", args[0].c_str());
            return 1;
        }
        auto dialog = s->make();
        status = save(*runner, *dialog, args[1]) ? 0 : 1;
    } else {
        return usage();
    }
    rx9100qt::uninstallQtUi();
    return status;
}
