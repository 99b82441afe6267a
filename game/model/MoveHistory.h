// The card movements of the last player action, oldest first, so that Undo can replay
// them backwards.
#pragma once

#include <cstdint>
#include <vector>

struct MoveRecord {
    std::int32_t sourcePile;
    std::int32_t destinationPile;
    std::int32_t sourceIndex;       // resolved, never -1
    std::int32_t destinationIndex;  // resolved, never -1
    bool operator==(const MoveRecord&) const = default;
};

class MoveHistory {
  public:
    void Add(const MoveRecord& record) { records_.push_back(record); }
    void Clear() { records_.clear(); }
    bool Empty() const { return records_.empty(); }
    int Count() const { return static_cast<int>(records_.size()); }
    const std::vector<MoveRecord>& Records() const { return records_; }

  private:
    std::vector<MoveRecord> records_;
};
