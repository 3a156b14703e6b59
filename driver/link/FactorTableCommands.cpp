// The driver's factor-table operations: the filter and angle they work on, under the
// wait cursor on every path.
#include "link/FactorTableProtocol.h"
#include "link/FactorTables.h"
#include "platform/UiServices.h"
#include "sensor/DriverInternals.h"
#include "sensor/ResultCodes.h"

FactorTableLink TavoRX9100::factorTableLink(Exchanger& through) {
    return FactorTableLink(through, LinkState{instrumentState, internals_->line});
}

int TavoRX9100::checkAdapterLens() {
    platform::WaitCursor wait;
    return factorTableLink(exchanger()).probeLens();
}

int TavoRX9100::getAdapterLens(double* table) {
    platform::WaitCursor wait;
    return factorTableLink(exchanger()).readLens(table);
}

int TavoRX9100::setAdapterLens(double* table) {
    platform::WaitCursor wait;
    return factorTableLink(exchanger()).writeLens(table, std::nullopt);
}

int TavoRX9100::setAdapterLens(double* table, int angle) {
    platform::WaitCursor wait;
    return factorTableLink(exchanger()).writeLens(table, angle);
}

int TavoRX9100::checkAdapterNd() {
    platform::WaitCursor wait;
    const auto filter = protocol::ndFilterOf(setupStatus.getNd());
    if (!filter) {
        return codes::status::kTransportFailed;
    }
    return factorTableLink(exchanger()).probeNd(*filter);
}

int TavoRX9100::checkAdapterNd(int filter) {
    platform::WaitCursor wait;
    return factorTableLink(exchanger()).probeNd(filter);
}

int TavoRX9100::getAdapterNd(double* table) {
    platform::WaitCursor wait;
    const auto filter = protocol::ndFilterOf(setupStatus.getNd());
    if (!filter) {
        return codes::status::kTransportFailed;
    }
    return factorTableLink(exchanger()).readNd(table, *filter);
}

int TavoRX9100::getAdapterNd(double* table, int filter) {
    platform::WaitCursor wait;
    return factorTableLink(exchanger()).readNd(table, filter);
}

int TavoRX9100::setAdapterNd(double* table) {
    platform::WaitCursor wait;
    return factorTableLink(exchanger())
        .writeNd(table, protocol::ndFilterToWrite(setupStatus.getNd()), std::nullopt);
}

int TavoRX9100::setAdapterNd(double* table, int filter) {
    platform::WaitCursor wait;
    return factorTableLink(exchanger()).writeNd(table, filter, std::nullopt);
}

int TavoRX9100::setAdapterNd(double* table, int filter, int angle) {
    platform::WaitCursor wait;
    return factorTableLink(exchanger()).writeNd(table, filter, angle);
}
