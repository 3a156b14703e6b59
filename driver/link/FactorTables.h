#pragma once
// Reading, writing and probing the adapter-lens and ND factor tables, entry by entry.
// The measuring angle comes from the instrument ("STSR") unless the caller names it.
#include <optional>

#include "link/Exchanger.h"
#include "link/LinkState.h"

class FactorTableLink {
  public:
    FactorTableLink(Exchanger& exchanger, LinkState state);

    // Whether entry 000 reads: 0, or the failure (a missing table leaves the state's
    // error code at 200, see LinkState::forgiveMissingData).
    [[nodiscard]] int probeLens();
    [[nodiscard]] int probeNd(int filter);
    // 401 factors into table; a failure stops the read, entries read so far stay.
    [[nodiscard]] int readLens(double* table);
    [[nodiscard]] int readNd(double* table, int filter);
    // 401 factors, then the commit line; a failed entry stops it without the commit.
    [[nodiscard]] int writeLens(const double* table, std::optional<int> angle);
    [[nodiscard]] int writeNd(const double* table, int filter, std::optional<int> angle);

  private:
    // The instrument's measuring-angle code (0 to 2) into angle.
    [[nodiscard]] int readAngle(int& angle);
    [[nodiscard]] int readEntry(const std::string& command, double& factor);
    template <class Command>
    [[nodiscard]] int readTable(double* table, Command command);
    template <class Command>
    [[nodiscard]] int writeTable(const double* table, Command command, const char* commit);

    Exchanger& exchanger_;
    LinkState state_;
};
