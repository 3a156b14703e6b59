#include "link/LinkState.h"

#include "sensor/ResultCodes.h"

namespace {

constexpr int kNoSuchData = 5;

}  // namespace

int LinkState::malformed() const {
    state.setErrorCode(codes::error::kDataNotReceived);
    line.reportError(codes::error::kDataNotReceived);
    return codes::status::kRefused;
}

void LinkState::forgiveMissingData() const {
    const int code = state.getErrorCode();
    if (code == kNoSuchData || code == codes::error::kNoData) {
        state.setErrorCode(codes::error::kNoError);
        line.reportWarning(codes::error::kNoError);
    }
}
