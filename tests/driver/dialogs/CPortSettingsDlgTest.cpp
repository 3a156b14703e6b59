#include "dialogs/CPortSettingsDlg.h"

#include <gtest/gtest.h>

#include "dialogs/DialogPortSettingsPrompt.h"
#include "platform/ui/ScriptedUiTest.h"

using platform::IDCANCEL;
using platform::IDOK;
using Dlg = CPortSettingsDlg;

namespace {

class PortSettingsDialog : public ScriptedUiTest {
  protected:
    void TearDown() override {
        EXPECT_TRUE(runner->problems().empty()) << runner->problems().front();
        ScriptedUiTest::TearDown();
    }

    portway::PortChoices choices() const {
        portway::PortChoices c;
        c.ports = {{"/dev/ttyACM0", "RX-9100", true, 0x1a86, 0x7523},
                   {"/dev/ttyS0", "", false, std::nullopt, std::nullopt}};
        c.methods = {2, 3};
        c.baudRates = {9600, 19200, 38400};
        return c;
    }

    portway::PortSettings rs232c() const {
        portway::PortSettings s;
        s.method = 2;
        s.baudRate = 38400;
        s.parity = 2;
        return s;
    }

    std::optional<portway::PortSettings> ask(const portway::PortChoices& c,
                                             const portway::PortSettings& current) {
        return DialogPortSettingsPrompt().ask(nullptr, c, current);
    }
};

TEST_F(PortSettingsDialog, ListsThePortsKeepsTheConfiguredNameAndReturnsTheChoiceOnOk) {
    runner->when(Dlg::IDD)
        .inspect([](platform::ui::Dialog& d) {
            EXPECT_EQ(d.title(), "通信設定");
            const auto& ports = d.combo(Dlg::IDC_PORT_LIST);
            ASSERT_EQ(ports.count(), 3);
            EXPECT_EQ(ports.item(0).text, "/dev/ttyACM0  RX-9100 (USB 1A86:7523)");
            EXPECT_EQ(ports.item(2).text, "COM1");  // not present, still choosable
            EXPECT_EQ(ports.selection(), 2);
            EXPECT_EQ(d.edit(Dlg::IDC_PORT_NAME).text(), "COM1");
            EXPECT_TRUE(d.radio(Dlg::IDC_RS232C).checked());
            EXPECT_TRUE(d.combo(Dlg::IDC_BAUD).enabled());
            EXPECT_EQ(d.combo(Dlg::IDC_BAUD).count(), 3);
            EXPECT_EQ(d.combo(Dlg::IDC_BAUD).selectedData(), 38400);
        })
        .select(Dlg::IDC_PORT_LIST, 1)
        .inspect([](platform::ui::Dialog& d) {
            EXPECT_EQ(d.edit(Dlg::IDC_PORT_NAME).text(), "/dev/ttyS0");
        })
        .selectData(Dlg::IDC_BAUD, 9600)
        .click(IDOK);
    auto expected = rs232c();
    expected.portName = "/dev/ttyS0";
    expected.baudRate = 9600;
    EXPECT_EQ(ask(choices(), rs232c()), expected);  // byte size, parity, stop bits kept
}

TEST_F(PortSettingsDialog, UsbCdcGreysOutTheBaudRateAndMethodsFollowWhatIsOffered) {
    runner->when(Dlg::IDD)
        .click(Dlg::IDC_USBCDC)
        .inspect([](platform::ui::Dialog& d) {
            EXPECT_FALSE(d.combo(Dlg::IDC_BAUD).enabled());
            EXPECT_FALSE(d.userSelect(Dlg::IDC_BAUD, 0));
        })
        .click(Dlg::IDC_RS232C)
        .inspect([](platform::ui::Dialog& d) { EXPECT_TRUE(d.combo(Dlg::IDC_BAUD).enabled()); })
        .click(Dlg::IDC_USBCDC)
        .click(IDOK);
    auto expected = rs232c();
    expected.method = 3;
    EXPECT_EQ(ask(choices(), rs232c()), expected);

    auto usbOnly = choices();
    usbOnly.methods = {3};
    runner->when(Dlg::IDD)
        .inspect([](platform::ui::Dialog& d) {
            EXPECT_FALSE(d.radio(Dlg::IDC_RS232C).enabled());
            EXPECT_TRUE(d.radio(Dlg::IDC_USBCDC).checked());
            EXPECT_FALSE(d.combo(Dlg::IDC_BAUD).enabled());
        })
        .key(platform::ui::Key::Enter);
    EXPECT_EQ(ask(usbOnly, portway::PortSettings{}), portway::PortSettings{});
}

TEST_F(PortSettingsDialog, CancelReturnsNothing) {
    runner->when(Dlg::IDD).select(Dlg::IDC_PORT_LIST, 0).click(IDCANCEL);
    EXPECT_EQ(ask(choices(), rs232c()), std::nullopt);
}

TEST_F(PortSettingsDialog, AnUnusableTypedNameIsRefusedAndTheDialogStays) {
    runner->when(Dlg::IDD)
        .type(Dlg::IDC_PORT_NAME, "tcp:ser2net-host")
        .click(IDOK)
        .inspect([](platform::ui::Dialog& d) {
            EXPECT_FALSE(d.ended());
            EXPECT_EQ(d.focus(), Dlg::IDC_PORT_NAME);
            EXPECT_EQ(d.combo(Dlg::IDC_PORT_LIST).selection(), -1);
        })
        .type(Dlg::IDC_PORT_NAME, "  ")
        .click(IDOK)
        .type(Dlg::IDC_PORT_NAME, "/dev/ttyACM0")
        .inspect([](platform::ui::Dialog& d) {
            EXPECT_EQ(d.combo(Dlg::IDC_PORT_LIST).selection(), 0);  // a listed name selects it
        })
        .type(Dlg::IDC_PORT_NAME, " tcp:192.0.2.7:2001 ")
        .click(IDOK);
    auto expected = rs232c();
    expected.portName = "tcp:192.0.2.7:2001";
    EXPECT_EQ(ask(choices(), rs232c()), expected);
    const auto boxes = ui->messageBoxes();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_NE(boxes[0].text.find("tcp:"), std::string::npos);
    EXPECT_EQ(boxes[1].text, Dlg::portNameProblem(""));
}

TEST(PortSettingsNames, TcpNamesNeedHostAndPortOthersAreOpenedAsTheyStand) {
    for (const char* good : {"COM1", "/dev/serial/by-id/usb-1a86_7523-if00", "tcp:localhost:2001",
                             "tcp:[::1]:2001", "TCP:10.0.0.2:4001"}) {
        EXPECT_EQ(Dlg::portNameProblem(good), "") << good;
    }
    for (const char* bad : {"", "tcp:", "tcp:host", "tcp::2001", "tcp:host:", "tcp:[::1]"}) {
        EXPECT_NE(Dlg::portNameProblem(bad), "") << bad;
    }
}

}  // namespace
