#include "dialogs/CPortSettingsDlg.h"

#include <algorithm>

#include "outside/PortSettings.h"
#include "resources/templates/DialogTemplates.h"

namespace {

bool offered(const std::vector<int>& values, int value) {
    return std::find(values.begin(), values.end(), value) != values.end();
}

std::string trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

}  // namespace

CPortSettingsDlg::CPortSettingsDlg(portway::PortChoices choices, portway::PortSettings current,
                                   platform::WindowHandle parent)
    : Dialog(resources::templates::portSettings(), parent),
      choices_(std::move(choices)),
      settings_(std::move(current)) {}

std::string CPortSettingsDlg::portNameProblem(const std::string& name) {
    if (name.empty()) {
        return "ポート名を入力してください。";
    }
    if (!portway::isUsablePortName(name)) {
        return "ネットワーク経由のポートは tcp:ホスト名:ポート番号 の形で入力してください。";
    }
    return {};
}

void CPortSettingsDlg::onInitDialog() {
    auto& ports = combo(IDC_PORT_LIST);
    for (const auto& port : choices_.ports) {
        portNames_.push_back(port.device);
        ports.addItem(portway::describePort(port),
                      static_cast<std::intptr_t>(portNames_.size() - 1));
    }
    // A configured name that is not present now (COM1, a tcp: server, an
    // unplugged device) stays choosable.
    if (std::find(portNames_.begin(), portNames_.end(), settings_.portName) == portNames_.end()) {
        portNames_.push_back(settings_.portName);
        ports.addItem(settings_.portName, static_cast<std::intptr_t>(portNames_.size() - 1));
    }
    edit(IDC_PORT_NAME).setText(settings_.portName);  // selects the matching entry

    radio(IDC_RS232C).setEnabled(offered(choices_.methods, comm::kRs232c));
    radio(IDC_USBCDC).setEnabled(offered(choices_.methods, comm::kUsbCdc));
    if (settings_.method == comm::kRs232c || settings_.method == comm::kUsbCdc) {
        checkRadioButton(IDC_RS232C, IDC_USBCDC,
                         settings_.method == comm::kRs232c ? IDC_RS232C : IDC_USBCDC);
    }

    auto& bauds = combo(IDC_BAUD);
    for (int baud : choices_.baudRates) {
        bauds.addItem(std::to_string(baud), baud);
    }
    bauds.selectData(settings_.baudRate);
    updateBaudEnabled();
    setFocus(IDC_PORT_LIST);
}

void CPortSettingsDlg::onSelectionChange(int id) {
    if (id != IDC_PORT_LIST) {
        return;
    }
    const auto data = combo(IDC_PORT_LIST).selectedData();
    if (data && *data >= 0 && static_cast<std::size_t>(*data) < portNames_.size()) {
        edit(IDC_PORT_NAME).setText(portNames_[static_cast<std::size_t>(*data)]);
    }
}

// Typing a listed name selects its entry; any other name clears the selection.
void CPortSettingsDlg::onTextChange(int id) {
    if (id != IDC_PORT_NAME) {
        return;
    }
    const std::string name = trimmed(edit(IDC_PORT_NAME).text());
    const auto it = std::find(portNames_.begin(), portNames_.end(), name);
    combo(IDC_PORT_LIST)
        .select(it == portNames_.end() ? -1 : static_cast<int>(it - portNames_.begin()));
}

void CPortSettingsDlg::onClicked(int id) {
    if (id == IDC_RS232C || id == IDC_USBCDC) {
        updateBaudEnabled();
    }
}

int CPortSettingsDlg::checkedMethod() const {
    switch (checkedRadioButton(IDC_RS232C, IDC_USBCDC)) {
        case IDC_RS232C:
            return comm::kRs232c;
        case IDC_USBCDC:
            return comm::kUsbCdc;
        default:
            return settings_.method;
    }
}

void CPortSettingsDlg::updateBaudEnabled() {
    combo(IDC_BAUD).setEnabled(checkedMethod() == comm::kRs232c);
}

void CPortSettingsDlg::onOK() {
    const std::string name = trimmed(edit(IDC_PORT_NAME).text());
    if (const std::string problem = portNameProblem(name); !problem.empty()) {
        platform::MessageBoxRequest box;
        box.text = problem;
        box.caption = title();
        box.icon = platform::MessageBoxIcon::Exclamation;
        platform::uiServices().messageBox(this, box);
        setFocus(IDC_PORT_NAME, true);
        return;
    }
    settings_.portName = name;
    settings_.method = checkedMethod();
    // A rate the port does not offer is kept as it was rather than guessed.
    if (const auto baud = combo(IDC_BAUD).selectedData()) {
        settings_.baudRate = static_cast<int>(*baud);
    }
    endDialog(platform::IDOK);
}
