#pragma once
// The two rendition metrics, each filling its part of the result for a light of known
// correlated colour temperature. computeRendition (Rendition.h) is the entry for hosts.
#include "tintcalc/Rendition.h"
#include "tintcalc/SampleColorimetry.h"

namespace tintcalc {

// CIE 13.3: Ra, R1..R14, dc and the reliability flag.
void computeColourRenderingIndex(const SpectralGrid& light, double cct, RenditionResult& out);

// CIE 224 / ANSI/IES TM-30: Rf, the sample and hue-bin values, Rg.
void computeFidelityAndGamut(const SpectralGrid& light, double cct, RenditionResult& out);

}  // namespace tintcalc
