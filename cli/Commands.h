#pragma once
// The subcommands. Each returns the program's exit code.
#include <cstdio>
#include <string>

#include "Options.h"

class TavoRX9100;

namespace cli {

// What every command that talks to the instrument needs.
struct CommandContext {
    const CommandLine& line;
    TavoRX9100& driver;
    std::FILE* trace = nullptr;  // null: no trace
    std::string portOverride;    // the built-in simulator's pty, else empty
};

int runPorts();
int runIdentify(CommandContext& context);
int runConditions(CommandContext& context);
int runMeasure(CommandContext& context);
int runRemote(CommandContext& context);
int runWhitecal(CommandContext& context);
int runFactors(CommandContext& context);
int runChannels(CommandContext& context);
int runChannel(CommandContext& context);
int runStoredList(CommandContext& context);
int runStoredExport(CommandContext& context);
int runStoredDelete(CommandContext& context);
int runStoredRestore(CommandContext& context);
int runTargetWrite(CommandContext& context);
int runOptions(CommandContext& context);
enum class UsercalVerb { Save, Load, Erase, Id, Show };
int runUsercal(CommandContext& context, UsercalVerb verb);
// usercal show: no instrument.
int runUsercalShow(const UsercalOptions& options);
// usercal wavelength / level: the calibration procedures, played through their dialogs.
int runUsercalWavelength(CommandContext& context);
int runUsercalLevel(CommandContext& context);
// factors --write-lens / --write-nd.
int runFactorWrite(CommandContext& context);

}  // namespace cli
