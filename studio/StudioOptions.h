#pragma once
// The studio's command line: the port (or the built-in simulator and how it behaves) and
// the driver's settings folder.
#include <QStringList>
#include <optional>

#include "Options.h"

namespace studio {

struct StudioOptions {
    cli::GlobalOptions global;
    bool connectAtStart = true;
};

// args as QCoreApplication::arguments() gives them (the program first). Nothing on
// success; otherwise the text to show (the usage for --help).
std::optional<QString> parseOptions(const QStringList& args, StudioOptions& options);

}  // namespace studio
