// `rx9100 usercal save|load|erase|id` and `rx9100 factors --write-lens|--write-nd`: the
// driver's user-calibration editor played from the command line, so that the files and the
// instrument go through the very checks, writes and messages of the editor; and
// `rx9100 usercal show`, which reads a file with the editor's readers, without an instrument.
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>
#include <string>

#include <nlohmann/json.hpp>

#include "Commands.h"
#include "DriverMessages.h"
#include "ErrorReport.h"
#include "ExitCodes.h"
#include "InstrumentSession.h"
#include "Interrupt.h"
#include "PlayingRunner.h"
#include "TableProgress.h"
#include "platform/UiServices.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/DialogRunner.h"
#include "usercal/CEditCalDataRx9100Dlg.h"
#include "usercal/CEditCalIdDlg.h"
#include "usercal/CalibrationFiles.h"

namespace cli {

namespace {

using Editor = CEditCalDataRx9100Dlg;
namespace fs = std::filesystem;

constexpr const char* kFormatWrong = "ファイルフォーマットが正しくありません";
constexpr int kEntries = 401;

enum class Action { Save, Load, Erase, Id, WriteLens, WriteNd };

struct Request {
    Action action = Action::Save;
    int channel = 0;
    std::string file;  // the file the editor's chooser is given
    std::string id;
    int ndFilter = 1;
    std::string label;  // of the progress bar
    int exchanges = 0;  // of the action itself, for the bar
};

// What the editor did with the request.
struct Outcome {
    bool acted = false;        // the button took the click
    bool formatWrong = false;  // the editor refused the file or its write
    bool idRefused = false;    // the ID editor did not take the text as it stands
};

// The file chooser gets the request's file, the erase question its confirmed yes, the
// editor's refusal is noted; every other box goes to the usual services.
class EditorServices : public platform::UiServices {
  public:
    EditorServices(const Request& request, Outcome& outcome)
        : request_(request), outcome_(outcome) {}

    int messageBox(platform::WindowHandle owner, const platform::MessageBoxRequest& box) override {
        if (box.text == kFormatWrong) {
            outcome_.formatWrong = true;
            return platform::IDOK;
        }
        if (box.buttons == platform::MessageBoxButtons::OkCancel &&
            request_.action == Action::Erase) {
            return platform::IDOK;  // asked before the editor opened
        }
        return inner_.messageBox(owner, box);
    }
    std::optional<std::string> chooseFile(platform::WindowHandle,
                                          const platform::FileChooserRequest&) override {
        return request_.file;
    }
    void beginWaitCursor() override {}
    void endWaitCursor() override {}

  private:
    const Request& request_;
    Outcome& outcome_;
    DriverMessages inner_;
};

// Plays the user's part in the editor and the ID editor; the factor viewers are not opened.
class EditorRunner : public PlayingRunner {
  public:
    EditorRunner(const Request& request, Outcome& outcome, TableProgress& progress)
        : request_(request), outcome_(outcome), progress_(progress) {}

  protected:
    void play(platform::ui::Dialog& dialog) override {
        if (dialog.templateId() == Editor::IDD) {
            act(dialog);
            if (!dialog.ended()) {
                dialog.endDialog(platform::IDOK);
            }
        } else if (dialog.templateId() == CEditCalIdDlg::IDD) {
            dialog.userType(CEditCalIdDlg::IDC_ID, request_.id);
            if (dialog.edit(CEditCalIdDlg::IDC_ID).text() == request_.id) {
                dialog.userClick(platform::IDOK);
            } else {
                outcome_.idRefused = true;
            }
        }
    }

  private:
    void act(platform::ui::Dialog& dialog) {
        if (interrupted()) {
            return;
        }
        progress_.start(request_.label, request_.exchanges);
        switch (request_.action) {
            case Action::WriteLens:
                outcome_.acted = dialog.userClick(Editor::IDC_LENS_WRITE);
                return;
            case Action::WriteNd:
                outcome_.acted = dialog.userSelect(Editor::IDC_ND_TABLE, request_.ndFilter - 1) &&
                                 dialog.userClick(Editor::IDC_ND_WRITE);
                return;
            default:
                break;
        }
        const int button = request_.action == Action::Save    ? Editor::IDC_SAVE
                           : request_.action == Action::Load  ? Editor::IDC_LOAD
                           : request_.action == Action::Erase ? Editor::IDC_ERASE
                                                              : Editor::IDC_EDIT_ID;
        outcome_.acted =
            dialog.userSelect(Editor::IDC_CHANNELS, request_.channel) && dialog.userClick(button);
    }

    const Request& request_;
    Outcome& outcome_;
    TableProgress& progress_;
};

// Runs the editor with the request played into it; restores the runner and services.
int playEditor(InstrumentSession& session, const Request& request, Outcome& outcome) {
    TableProgress progress(session, stderrIsTerminal());
    progress.start("Reading the calibration channels", 0);
    const auto previousRunner = platform::ui::dialogRunner();
    platform::ui::setDialogRunner(std::make_shared<EditorRunner>(request, outcome, progress));
    platform::setUiServices(std::make_shared<EditorServices>(request, outcome));
    const int result = session.driver().setupWhiteCalibrationData();
    platform::ui::setDialogRunner(previousRunner);
    platform::setUiServices(std::make_shared<DriverMessages>());
    progress.clear();
    return result;
}

std::string channelName(int ch) {
    return "channel " + std::to_string(ch);
}

int stopped(const std::string& state) {
    printError("stopped: " + state);
    return kExitStoppedBase + stopSignal();
}

bool askYes(const std::string& question) {
    if (::isatty(STDIN_FILENO) != 1) {
        return false;
    }
    std::fprintf(stderr, "%s [y/N] ", question.c_str());
    std::fflush(stderr);
    std::string answer;
    std::getline(std::cin, answer);
    return answer == "y" || answer == "Y" || answer == "yes";
}

// The session, the editor, and what the action left behind.
int runEditorAction(CommandContext& context, Request request) {
    InstrumentSession session(context.driver, context.line.global, context.trace,
                              context.portOverride);
    if (const int r = session.open(); r != kExitOk) {
        return r;
    }
    Outcome outcome;
    const int result = playEditor(session, request, outcome);
    const std::string ch = channelName(request.channel);
    if (interrupted()) {
        switch (request.action) {
            case Action::Save:
                return stopped("no file written");
            case Action::Load:
                return stopped(ch +
                               " holds part of the file's entries, without its ID; "
                               "load the file again");
            case Action::Erase:
                return stopped(ch +
                               " may hold part of the reset tables and was not cleared; "
                               "erase it again");
            case Action::Id:
                return stopped("the ID of " + ch + " may not have been stored");
            case Action::WriteLens:
            case Action::WriteNd:
                return stopped(
                    "the factor table holds part of the file's entries without "
                    "its commit; write the file again");
        }
    }
    if (outcome.idRefused) {
        printError("an ID has at most 10 characters, printable ASCII without ! # $ \\ | } ~");
        return kExitUsage;
    }
    if (!outcome.acted) {
        return session.fail("opening the user-calibration editor", result != 0 ? result : 10);
    }
    if (outcome.formatWrong) {
        printError(request.file + ": " + kFormatWrong +
                   " (file format not correct, or the instrument refused an entry)");
        return kExitInstrument;
    }
    if (result != 0) {
        return session.fail("putting back the active channel", result);
    }
    return kExitOk;
}

}  // namespace

int runUsercal(CommandContext& context, UsercalVerb verb) {
    const UsercalOptions& options = context.line.usercal;
    Request request;
    request.channel = options.channel;
    const std::string ch = channelName(options.channel);
    switch (verb) {
        case UsercalVerb::Save: {
            if (fs::exists(options.file) && !options.force) {
                printError(options.file + " exists; --force replaces it");
                return kExitOutput;
            }
            // Into a file beside it first, so that a failed read leaves the old one alone.
            request.action = Action::Save;
            request.file = options.file + ".part";
            request.label = "Saving " + ch;
            request.exchanges = 2 * (kEntries + 1) + 1;
            const int r = runEditorAction(context, request);
            std::error_code error;
            if (r != kExitOk || !fs::exists(request.file)) {
                fs::remove(request.file, error);
                if (r == kExitOk) {
                    printError("reading " + ch + " failed: no file written");
                    return kExitInstrument;
                }
                return r;
            }
            fs::rename(request.file, options.file, error);
            if (error) {
                printError("cannot write " + options.file + ": " + error.message());
                fs::remove(request.file, error);
                return kExitOutput;
            }
            std::printf("%s saved to %s\n", ch.c_str(), options.file.c_str());
            return kExitOk;
        }
        case UsercalVerb::Load: {
            UserCalibrationFile record;
            if (const auto problem = usercal::loadUcf(options.file, record);
                problem != usercal::FileProblem::None) {
                printError(options.file + ": " + kFormatWrong + " (the file " +
                           usercal::problemText(problem) + ")");
                return kExitInstrument;
            }
            request.action = Action::Load;
            request.file = options.file;
            request.label = "Loading " + ch;
            request.exchanges =
                (record.hasWave != 0 ? kEntries : 0) + (record.hasLevel != 0 ? kEntries : 0) + 2;
            const int r = runEditorAction(context, request);
            if (r == kExitOk) {
                std::printf("%s loaded from %s\n", ch.c_str(), options.file.c_str());
            }
            return r;
        }
        case UsercalVerb::Erase:
            if (!options.yes && !askYes("Erase " + ch + "?")) {
                printError("not erased (--yes erases without asking)");
                return kExitUsage;
            }
            request.action = Action::Erase;
            request.label = "Erasing " + ch;
            request.exchanges = 2 * kEntries + 1;
            if (const int r = runEditorAction(context, request); r != kExitOk) {
                return r;
            }
            std::printf("%s erased\n", ch.c_str());
            return kExitOk;
        case UsercalVerb::Id:
            request.action = Action::Id;
            request.id = options.id;
            request.label = "Writing the ID of " + ch;
            request.exchanges = 2;
            if (const int r = runEditorAction(context, request); r != kExitOk) {
                return r;
            }
            std::printf("%s: ID \"%s\"\n", ch.c_str(), options.id.c_str());
            return kExitOk;
        case UsercalVerb::Show:
            break;
    }
    return kExitUsage;
}

int runFactorWrite(CommandContext& context) {
    const FactorWriteOptions& options = context.line.factorWrite;
    Request request;
    request.exchanges = 3 * (kEntries + 1);
    if (!options.lensFile.empty()) {
        LensCoefficientFile record;
        if (const auto problem = usercal::loadLens(options.lensFile, record);
            problem != usercal::FileProblem::None) {
            printError(options.lensFile + ": " + kFormatWrong + " (the file " +
                       usercal::problemText(problem) + ")");
            return kExitInstrument;
        }
        request.action = Action::WriteLens;
        request.file = options.lensFile;
        request.label = "Writing the adapter-lens table";
    } else {
        const std::string& filter = options.nd.at(0);
        if (filter != "1" && filter != "2") {
            printError("--write-nd: the ND filter is 1 or 2, not " + filter);
            return kExitUsage;
        }
        request.ndFilter = filter == "1" ? 1 : 2;
        request.file = options.nd.at(1);
        NdCoefficientFile record;
        if (const auto problem = usercal::loadNd(request.file, record);
            problem != usercal::FileProblem::None) {
            printError(
                request.file + ": " + kFormatWrong + " (the file " + usercal::problemText(problem) +
                (problem == usercal::FileProblem::BadHeader
                     ? "; its first line must be [" + fs::path(request.file).stem().string() + "]"
                     : std::string()) +
                ")");
            return kExitInstrument;
        }
        request.action = Action::WriteNd;
        request.label = "Writing the ND table of filter " + filter;
    }
    if (const int r = runEditorAction(context, request); r != kExitOk) {
        return r;
    }
    std::printf("%s written for measuring angles 0, 1 and 2\n",
                request.action == Action::WriteLens
                    ? "Adapter-lens table"
                    : ("ND table of filter " + std::to_string(request.ndFilter)).c_str());
    return kExitOk;
}

}  // namespace cli
