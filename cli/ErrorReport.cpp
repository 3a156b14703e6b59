#include "ErrorReport.h"

#include <cctype>
#include <cstdio>
#include <map>

#include "ExitCodes.h"
#include "sensor/AbstractSensorStrategy.h"
#include "sensor/ResultCodes.h"

namespace cli {

std::string glossFor(int code) {
    namespace error = codes::error;
    static const std::map<int, std::string> glosses{
        {1, "communication parameter error"},
        {error::kMeasuring, "communication error: the instrument is measuring"},
        {3, "overrun error"},
        {5, "no data"},
        {10, "over-range error: too much light"},
        {11, "no external sync signal"},
        {12, "lens error"},
        {error::kNoData, "no data (or the instrument left remote mode while its key was enabled)"},
        {error::kNoStoredData, "no data"},
        {30, "circuit error"},
        {31, "circuit error"},
        {32, "circuit error"},
        {33, "circuit error"},
        {34, "circuit error"},
        {error::kWhiteCalibrationMissing, "white calibration has not been done"},
        {error::kInvalidData, "measured data invalid; measure under correct conditions"},
        {error::kAngleChanged, "measuring angle changed; run calibration"},
        {error::kDataNotReceived, "data could not be received correctly"},
        {71, "no external sync signal"},
        {83, "measuring-angle position fault"},
        {error::kNoResponse, "no response from the instrument"},
        {error::kNoError, "no error"},
        {error::kInsufficientExposure, "insufficient exposure"},
    };
    const auto found = glosses.find(code);
    return found == glosses.end() ? std::string() : found->second;
}

std::string glossForMessage(const std::string& text) {
    // "ER10 : ..." and "OK16 : ...": the instrument's own texts carry their code.
    if (text.size() >= 4 && (text.starts_with("ER") || text.starts_with("OK")) &&
        std::isdigit(static_cast<unsigned char>(text[2])) != 0 &&
        std::isdigit(static_cast<unsigned char>(text[3])) != 0) {
        const int number = (text[2] - '0') * 10 + (text[3] - '0');
        return glossFor(text.starts_with("OK") ? codes::error::kNoError + number : number);
    }
    namespace error = codes::error;
    // The driver's own texts, as its string table and the common words have them.
    static const std::map<std::string, std::string> glosses{
        {"測定器から応答がありません", glossFor(error::kNoResponse)},
        {"白色校正が行われていません", glossFor(error::kWhiteCalibrationMissing)},
        {"測定データが正しくありません。正しい条件で測定してください。",
         glossFor(error::kInvalidData)},
        {"測定角が変更されています。校正を実行してください。", glossFor(error::kAngleChanged)},
        {"データを正しく受信できませんでした", glossFor(error::kDataNotReceived)},
        {"データ受信に失敗しました", "receiving data failed"},
        {"通信ポートを開けませんでした。", "the port could not be opened"},
        {"通信ポートを閉じられませんでした。", "the port could not be closed"},
        {"データ受信中です。しばらくしてから操作してください。",
         "data are still being received; try again shortly"},
        // White calibration.
        {"ファイルが見つかりません", "file not found"},
        {"データファイルのデータが不足しています。", "the data file has fewer than 401 lines"},
        {"データファイルに、範囲外のデータが存在します。",
         "the data file holds a value outside 0.0001 to 2.0"},
        {"白色校正データファイルのコピーに失敗しました。",
         "the white data file could not be copied"},
        {"標準データファイルの読み込みに失敗しました。",
         "the standard data file could not be read"},
        {"任意データファイルの読み込みに失敗しました。", "the user data file could not be read"},
        {"白色校正に失敗しました。", "white calibration failed"},
        {"未発光領域が存在するため、白色校正係数の算出が行えませんでした。",
         "no light at some wavelengths: no white calibration coefficients"},
        {"白色校正標準データファイルの初期化に失敗しました。\n前回保存したファイルパスを削除しまし"
         "た。",
         "the remembered standard data file is gone or invalid; it was forgotten"},
        {"白色校正任意データファイルの初期化に失敗しました\n前回保存したファイルパスを削除しました"
         "。",
         "the remembered user data file is gone or invalid; it was forgotten"},
    };
    const auto found = glosses.find(text);
    return found == glosses.end() ? std::string() : found->second;
}

int exitCodeForStatus(int status) {
    return status == codes::status::kTransportFailed ? kExitLink : kExitInstrument;
}

void printError(const std::string& message) {
    std::fprintf(stderr, "rx9100: %s\n", message.c_str());
}

int reportFailure(const std::string& action, AbstractSensorStrategy& driver, int status,
                  const std::string& transportDetail) {
    const InstrumentState& state = *driver.getInstrumentState();
    const int code = state.getErrorCode();
    const char* meaning = status == codes::status::kTransportFailed
                              ? "transport failure"
                              : "refused by the instrument or driver";
    std::fprintf(stderr, "rx9100: %s failed: status %d (%s)\n", action.c_str(), status, meaning);
    if (code != codes::error::kNoError) {
        std::string line = "error " + std::to_string(code);
        std::string text = state.getErrorMessage();
        while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) {
            text.pop_back();  // some of the instrument's texts end in a line break
        }
        if (!text.empty()) {
            line += ": " + text;
        }
        const std::string gloss = glossFor(code);
        if (!gloss.empty()) {
            line += " (" + gloss + ")";
        }
        std::fprintf(stderr, "  %s\n", line.c_str());
    }
    if (!transportDetail.empty()) {
        std::fprintf(stderr, "  port: %s\n", transportDetail.c_str());
    }
    return exitCodeForStatus(status);
}

}  // namespace cli
