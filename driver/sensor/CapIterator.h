#pragma once
// The capability lists the host iterates: items pairing a code with a display word.
#include <cstdint>
#include <string>
#include <vector>

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
    virtual ItemMap Next() = 0;
    virtual int IsDone() = 0;
    virtual int Size() = 0;
    virtual std::string Search(int id) = 0;
};

// The host's iterator type for item lists handed to the driver and the colour library.
using ItemIterator = CapIterator;

class CapIteratorOperate : public CapIterator {
public:
    CapIteratorOperate() = default;
    CapIteratorOperate(const CapIteratorOperate& other);
    CapIteratorOperate& operator=(const CapIteratorOperate& other);
    ~CapIteratorOperate() override = default;

    void First() override;
    ItemMap Next() override;
    int IsDone() override;
    int Size() override;
    std::string Search(int id) override;

    void AddItem(const int& id, const std::string& name);
    void Clear();

    // Read-only view for code that does not want to move the cursor.
    const std::vector<ItemMap>& items() const { return items_; }

private:
    std::vector<ItemMap> items_;
    std::size_t cursor_ = 0;
};
