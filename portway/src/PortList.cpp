#include "outside/PortSettings.h"

#include <libserialport.h>

#include <algorithm>
#include <cstdio>
#include <memory>

namespace portway {

namespace {

struct PortListDeleter {
    void operator()(sp_port** list) const { sp_free_port_list(list); }
};

PortInfo describe(sp_port* port) {
    PortInfo info;
    info.device = sp_get_port_name(port);
    if (const char* text = sp_get_port_description(port)) {
        info.description = text;
    }
    info.usb = sp_get_port_transport(port) == SP_TRANSPORT_USB;
    int vendor = 0;
    int product = 0;
    if (info.usb && sp_get_port_usb_vid_pid(port, &vendor, &product) == SP_OK) {
        info.vendorId = vendor;
        info.productId = product;
    }
    return info;
}

}  // namespace

std::vector<PortInfo> listPorts() {
    sp_port** found = nullptr;
    if (sp_list_ports(&found) != SP_OK) {
        return {};
    }
    const std::unique_ptr<sp_port*, PortListDeleter> list(found);
    std::vector<PortInfo> ports;
    for (sp_port** port = list.get(); *port != nullptr; ++port) {
        ports.push_back(describe(*port));
    }
    std::sort(ports.begin(), ports.end(),
              [](const PortInfo& a, const PortInfo& b) { return a.device < b.device; });
    return ports;
}

std::string describePort(const PortInfo& port) {
    std::string text = port.device;
    if (!port.description.empty() && port.description != port.device) {
        text += "  " + port.description;
    }
    if (port.vendorId && port.productId) {
        char ids[32];
        std::snprintf(ids, sizeof ids, " (USB %04X:%04X)", *port.vendorId & 0xffff,
                      *port.productId & 0xffff);
        text += ids;
    } else if (port.usb) {
        text += " (USB)";
    }
    return text;
}

}  // namespace portway
