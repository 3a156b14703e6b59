#pragma once
// CLI11 checks through the simulator's setting parsers, shared by rx9100-sim and the --sim-*
// options of the command-line host, so that both refuse exactly what the control commands
// refuse, in the same words. Only for programs that use CLI11.
#include <CLI/CLI.hpp>
#include <string>
#include <string_view>

#include "simulator/SettingParsers.h"

namespace rx9100sim {

template <typename Parse>
CLI::Validator checkedBy(Parse parse) {
    return CLI::Validator(
        [parse](std::string& text) {
            std::string error;
            return parse(text, &error) ? std::string() : error;
        },
        "");
}

}  // namespace rx9100sim
