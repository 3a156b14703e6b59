// The format for people: the instrument once, then each measurement's colour
// values, warning and conditions.
#include <cstdio>

#include "ConditionReport.h"
#include "ErrorReport.h"
#include "OutputFormat.h"

namespace cli {

namespace {

class TableWriter : public ResultWriter {
  public:
    TableWriter(std::ostream& out, const ReportContext& context) : out_(out), context_(context) {}

    void add(const MeasurementResult& result) override {
        if (result.index == 1) {
            writeIdentity();
        }
        const tintcalc::ColorResult& c = result.colour;
        out_ << "\nMeasurement " << result.index << "  "
             << isoTime(result.record.getMeasurementTime()) << "  (" << context_.observer
             << "° observer)\n";
        line("Lv", formatValue(c.Lv, "%.5g") + " cd/m²");
        line("x  y", formatValue(c.x, "%.4f") + "  " + formatValue(c.y, "%.4f"));
        line("u'  v'", formatValue(c.uPrime, "%.4f") + "  " + formatValue(c.vPrime, "%.4f"));
        line("CCT  Duv", formatValue(c.cct, "%.0f") + " K  " + formatValue(c.duv, "%.4f"));
        line("X  Y  Z", formatValue(c.X, "%.5g") + "  " + formatValue(c.Y, "%.5g") + "  " +
                            formatValue(c.Z, "%.5g"));
        line("dominant", dominant(c));
        line("purity",
             tintcalc::isDefined(c.purity) ? formatValue(c.purity * 100.0, "%.1f") + " %" : "-");
        if (result.rendition) {
            renditionLines(*result.rendition);
        }
        line("warning", warning(result));
        line("integration", formatValue(result.record.getIntegralTime(), "%.6f") + " s");
        bool first = true;
        for (const auto& [label, value] : conditionLines(result.record, context_.names)) {
            char text[160];
            std::snprintf(text, sizeof text, "%-12s %s", label.c_str(), value.c_str());
            line(first ? "conditions" : "", text);
            first = false;
        }
        out_.flush();
    }

  private:
    void writeIdentity() {
        const InstrumentIdentity& id = context_.identity;
        out_ << id.name << " (" << id.variation << "), body " << id.bodyNumber << ", ROM "
             << id.romVersion << ", firmware level " << id.firmwareLevel << ", port " << id.port
             << "\n";
    }

    void line(const std::string& label, const std::string& value) {
        char text[256];
        std::snprintf(text, sizeof text, "  %-12s %s\n", label.c_str(), value.c_str());
        out_ << text;
    }

    void renditionLines(const tintcalc::RenditionResult& r) {
        std::string ra = formatValue(r.ra, "%.1f");
        if (tintcalc::isDefined(r.ra)) {
            ra += std::string("  (reference ") + referenceName(r.criReference) + ")";
            if (!r.criReliable) {
                ra += "  not reliable: the light lies " + formatValue(r.dc, "%.4f") +
                      " from its reference in (u, v)";
            }
        }
        line("Ra", ra);
        std::string low;
        std::string high;
        for (int i = 0; i < tintcalc::kCriSampleCount; ++i) {
            (i < 8 ? low : high) += (i % 8 == 0 ? "" : "  ") + formatValue(r.r[i], "%.1f");
        }
        line("R1-R8", low);
        line("R9-R14", high);
        std::string fidelity = formatValue(r.rf, "%.1f") + "  " + formatValue(r.rg, "%.1f");
        if (tintcalc::isDefined(r.rf)) {
            fidelity += std::string("  (reference ") + referenceName(r.fidelityReference) + ")";
        }
        line("Rf  Rg", fidelity);
    }

    static std::string dominant(const tintcalc::ColorResult& c) {
        if (!tintcalc::isDefined(c.dominantWavelength)) {
            return "-";
        }
        if (c.complementary) {
            return formatValue(-c.dominantWavelength, "%.1f") + " nm (complementary)";
        }
        return formatValue(c.dominantWavelength, "%.1f") + " nm";
    }

    static std::string warning(const MeasurementResult& result) {
        if (result.warningCode == 200) {
            return "none";
        }
        std::string text = std::to_string(result.warningCode);
        if (!result.warningText.empty()) {
            text += ": " + result.warningText;
        }
        const std::string gloss = glossFor(result.warningCode);
        return gloss.empty() ? text : text + " (" + gloss + ")";
    }

    std::ostream& out_;
    const ReportContext& context_;
};

}  // namespace

std::unique_ptr<ResultWriter> makeTableWriter(std::ostream& out, const ReportContext& context) {
    return std::make_unique<TableWriter>(out, context);
}

}  // namespace cli
