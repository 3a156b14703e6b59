#include "link/ErrorTexts.h"

#include "resources/StringTable.h"

namespace errortexts {
namespace {

struct Entry {
    int code;
    int stringId;
    bool shown;
};

constexpr Entry kErrors[] = {
    {1, 20001, true},  {2, 20002, true},  {3, 20003, true},   {5, 20005, false},  {10, 20010, true},
    {11, 20011, true}, {12, 20012, true}, {20, 20020, false}, {21, 20021, false}, {30, 20030, true},
    {31, 20031, true}, {32, 20032, true}, {33, 20033, true},  {34, 20034, true},  {40, 20155, true},
    {41, 20814, true}, {42, 20815, true}, {43, 20202, true},  {71, 20071, true},  {83, 20083, true},
    {99, 20099, true},
};

}  // namespace

ErrorText forError(int code) {
    for (const Entry& entry : kErrors) {
        if (entry.code == code) {
            return ErrorText{resources::loadString(entry.stringId), entry.shown};
        }
    }
    return {};
}

std::string forWarning(int code) {
    if (code == 200) {
        return resources::loadString(20200);
    }
    if (code == 216) {
        return resources::loadString(20201);
    }
    return {};
}

}  // namespace errortexts
