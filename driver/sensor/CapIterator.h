#pragma once
// The capability lists the driver offers the host: item lists it builds and owns.
#include <string>
#include <vector>

#include "outside/ItemIterator.h"
#include "platform/Export.h"

class RX9100_API CapIteratorOperate : public CapIterator {
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
