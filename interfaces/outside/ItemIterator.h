#pragma once
// Item lists: items pairing a code with a display word. The host iterates the driver's
// capability lists through this interface and hands lists of its own to the driver and
// to the colour calculation library.
#include <cstdint>
#include <string>

struct ItemMap {
    int id = 0;
    std::string name;
    // Two words carried along with the item; nothing in the driver reads them.
    std::uint32_t reserved1 = 0;
    std::uint32_t reserved2 = 0;
};

class CapIterator {
  public:
    virtual ~CapIterator() = default;
    virtual void First() = 0;
    // The item at the cursor, which then moves on; past the end an empty item (id 0).
    virtual ItemMap Next() = 0;
    virtual int IsDone() = 0;
    virtual int Size() = 0;
    virtual std::string Search(int id) = 0;
};

// The host's iterator type for item lists handed to the driver and the colour library.
using ItemIterator = CapIterator;
