#pragma once
// The measurements taken since the studio started (and those loaded or imported): the
// driver's records with where they came from, their colour values for either observer,
// and the list as a file.
#include <cstddef>
#include <string>
#include <vector>

#include "Measurement.h"

namespace studio {

struct StudioResult {
    int number = 0;      // 1, 2, ... in the order they joined the list
    std::string source;  // "measurement", "remote", "stored target", ...
    MeasuringData record;
    int warningCode = 200;
    std::string warningText;
};

// What a spectrum of the measurement method holds, as the writers label it.
void describeQuantity(int method, cli::ReportContext& context);

class ResultList {
  public:
    // Appends the record; returns its number.
    int add(const MeasuringData& record, const std::string& source, int warningCode = 200,
            const std::string& warningText = {});
    const std::vector<StudioResult>& items() const { return items_; }
    std::size_t size() const { return items_.size(); }
    bool empty() const { return items_.empty(); }
    void clear();
    // Removes the results at these positions (any order); the others keep their numbers.
    void remove(std::vector<std::size_t> indices);

    // The result as rx9100 reports it, with its colour values for the context's observer.
    cli::MeasurementResult report(std::size_t index, const cli::ReportContext& context) const;

    // Results not yet saved to (or read from) a file.
    bool unsaved() const { return unsaved_; }

    // Writes the whole list; an error text, empty on success.
    std::string save(const std::string& path);
    // Replaces the list with the file's; an error text (list unchanged), empty on success.
    std::string load(const std::string& path);

  private:
    std::vector<StudioResult> items_;
    int nextNumber_ = 1;
    bool unsaved_ = false;
};

}  // namespace studio
