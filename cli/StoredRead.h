#pragma once
// Reading the stored targets or samples from the command line: a bar on stderr and a stop.
#include "InstrumentSession.h"
#include "sensor/StoredRecords.h"

namespace cli {

// Reads every record of the kind with a bar on stderr (when it is a terminal); a stop
// request ends the reading before the next record. Returns the exit code; records that
// hold values that are not finite are reported on stderr and left out.
int readStored(InstrumentSession& session, bool targets, StoredRecords& out);

}  // namespace cli
