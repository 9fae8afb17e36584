#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace vantelo {

// One kept trap, as the trap dialog shows it.
struct TrapEntry {
    char time[20];
    char agent[20];
    char event[256];
    int32_t readMark;
};

static_assert(sizeof(TrapEntry) == 300);
static_assert(offsetof(TrapEntry, time) == 0);
static_assert(offsetof(TrapEntry, agent) == 20);
static_assert(offsetof(TrapEntry, event) == 40);
static_assert(offsetof(TrapEntry, readMark) == 296);

// readMark values: the unread image, or no image once the operator clicked the trap.
inline constexpr int32_t kTrapUnread = 0;
inline constexpr int32_t kTrapRead = -1;

// The most recent traps in 1500 slots, oldest in slot 0. At most 1499 are filled, so slot 1499
// is always empty and a walk up to the first empty event text ends by it; when they are full the
// oldest goes. The count of traps goes on past 1499.
//
// The slots are a ring, so a trap into a full store moves no entry.
class TrapStore {
public:
    static constexpr int kSlots = 1500;
    static constexpr int kMostKept = kSlots - 1;

    TrapStore();

    // Keeps a new unread trap; its event text is cut to the 255 characters a slot holds.
    void Add(std::string_view time, std::string_view agent, std::string_view event);
    // Every slot empty, the count back at 0.
    void Clear();

    // Slot 0 to 1499; any other slot reads as empty.
    const TrapEntry& Slot(int slot) const;
    // The trap that arrived as number `sequence` (0 for the first since the last clear) gets the
    // read mark; one no longer kept is left alone.
    void MarkRead(uint32_t sequence);
    // The arrival number of the trap in slot.
    uint32_t SequenceOf(int slot) const { return count_ - static_cast<uint32_t>(filled_ - slot); }

    uint32_t Count() const { return count_; }
    int Filled() const { return filled_; }

private:
    size_t Index(int slot) const;

    std::vector<TrapEntry> ring_;
    size_t oldest_ = 0;
    int filled_ = 0;
    uint32_t count_ = 0;
};

}  // namespace vantelo
