#include "monitor/TrapStore.h"

#include "protocol/DeviceRecord.h"

namespace vantelo {

namespace {

const TrapEntry kEmptyEntry{};

}  // namespace

TrapStore::TrapStore() : ring_(kMostKept) {}

size_t TrapStore::Index(int slot) const {
    return (oldest_ + static_cast<size_t>(slot)) % ring_.size();
}

void TrapStore::Add(std::string_view time, std::string_view agent, std::string_view event) {
    TrapEntry* entry = nullptr;
    if (filled_ < kMostKept) {
        entry = &ring_[Index(filled_)];
        ++filled_;
    } else {
        entry = &ring_[oldest_];
        oldest_ = (oldest_ + 1) % ring_.size();
    }
    CopyField(entry->time, time.data(), time.size());
    CopyField(entry->agent, agent.data(), agent.size());
    CopyField(entry->event, event.data(), event.size());
    entry->readMark = kTrapUnread;
    ++count_;
}

void TrapStore::Clear() {
    ring_.assign(ring_.size(), TrapEntry{});
    oldest_ = 0;
    filled_ = 0;
    count_ = 0;
}

const TrapEntry& TrapStore::Slot(int slot) const {
    if (slot < 0 || slot >= filled_) {
        return kEmptyEntry;
    }
    return ring_[Index(slot)];
}

void TrapStore::MarkRead(uint32_t sequence) {
    uint32_t first = count_ - static_cast<uint32_t>(filled_);
    if (sequence < first || sequence >= count_) {
        return;
    }
    ring_[Index(static_cast<int>(sequence - first))].readMark = kTrapRead;
}

}  // namespace vantelo
