#pragma once
// Communication methods of a port, in the codes the transport and the driver's port
// record share.
#include <string_view>

namespace comm {

inline constexpr int kUsb = 1;
inline constexpr int kRs232c = 2;
inline constexpr int kUsbCdc = 3;

// "USB", "RS-232C", "USB(CDC)"; empty for a code that is not a method.
constexpr std::string_view methodName(int method) {
    switch (method) {
        case kUsb:
            return "USB";
        case kRs232c:
            return "RS-232C";
        case kUsbCdc:
            return "USB(CDC)";
        default:
            return {};
    }
}

}  // namespace comm
