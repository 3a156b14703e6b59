#pragma once
// Drawing into PNG files for hosts without a window.
#include <QRectF>
#include <functional>
#include <string>

#include "rx9100qt/SpectrumPng.h"

class QPainter;

namespace rx9100qt {

// Starts a Qt GUI application on the offscreen platform when the process has none: a
// command-line host has no Qt application, and fonts and painting need one.
void ensureGuiApplication();

// A white image of the size, painted by paint with the plots' font, saved as PNG; false
// for a size too small to draw in or a file that cannot be written.
bool renderPng(const std::string& path, PngSize size,
               const std::function<void(QPainter&, const QRectF&)>& paint);

}  // namespace rx9100qt
