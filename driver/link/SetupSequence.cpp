#include "link/SetupSequence.h"

#include "sensor/ResultCodes.h"

using codes::status::kOk;

int readSetup(ConditionLink& conditions, ChannelLink& channels) {
    if (int r = conditions.readAll(); r != kOk) {
        return r;
    }
    return channels.checkActive();
}

int writeSetup(ConditionLink& conditions, ChannelLink& channels) {
    for (int (ConditionLink::*write)() :
         {&ConditionLink::writeLens, &ConditionLink::writeSpeed, &ConditionLink::writeSync}) {
        if (int r = (conditions.*write)(); r != kOk) {
            return r;
        }
    }
    if (int r = channels.setActive(); r != kOk) {
        return r;
    }
    return conditions.writeNd();
}
