#pragma once
#include <string>
#include <vector>

#include "outside/PortSettings.h"
#include "platform/ui/Dialog.h"

// The transport's port settings. The port is picked from those present or typed
// as any name the transport opens (a device path, COMn, tcp:HOST:PORT); the
// method and baud rate are limited to what the port offers. The baud rate is
// greyed out for the USB methods, whose devices ignore it.
class CPortSettingsDlg : public platform::ui::Dialog {
  public:
    static constexpr int IDD = 7301;
    static constexpr int IDC_PORT_LIST = 7302;
    static constexpr int IDC_PORT_NAME = 7303;
    static constexpr int IDC_RS232C = 7304;
    static constexpr int IDC_USBCDC = 7305;
    static constexpr int IDC_BAUD = 7306;

    CPortSettingsDlg(portway::PortChoices choices, portway::PortSettings current,
                     platform::WindowHandle parent = nullptr);

    // The settings shown at the start, and after OK the accepted ones.
    const portway::PortSettings& settings() const { return settings_; }

    // Why a typed name cannot be opened (empty when it can).
    static std::string portNameProblem(const std::string& name);

  protected:
    void onInitDialog() override;
    void onSelectionChange(int id) override;
    void onTextChange(int id) override;
    void onClicked(int id) override;
    void onOK() override;

  private:
    int checkedMethod() const;  // the current method when neither button is checked
    void updateBaudEnabled();

    portway::PortChoices choices_;
    portway::PortSettings settings_;
    std::vector<std::string> portNames_;  // by port list item datum
};
