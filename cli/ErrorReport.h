#pragma once
// How failures reach the user: the driver's status, its error code and text (the
// instrument's own, Japanese), an English gloss, and the transport's detail.
#include <string>

class AbstractSensorStrategy;

namespace cli {

// English meaning of an error or warning code ("" when the code has none).
std::string glossFor(int code);

// English meaning of a text the driver shows in a message box ("" when unknown): the
// instrument's "ERnn : ..." texts by their code, the driver's own texts one by one.
std::string glossForMessage(const std::string& text);

// -10 (transport) and 10 (refused) map to their exit codes; anything else non-zero
// counts as refused.
int exitCodeForStatus(int status);

// Prints the failure of `action` on stderr and returns the exit code for it.
// transportDetail is the transport's own error text, may be empty.
int reportFailure(const std::string& action, AbstractSensorStrategy& driver, int status,
                  const std::string& transportDetail);

// A plain message on stderr, prefixed with the program name.
void printError(const std::string& message);

}  // namespace cli
