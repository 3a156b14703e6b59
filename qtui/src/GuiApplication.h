#pragma once
namespace rx9100qt {
// Starts a Qt GUI application on the offscreen platform when the process has none: a
// command-line host has no Qt application, and fonts and painting need one.
void ensureGuiApplication();
}  // namespace rx9100qt
