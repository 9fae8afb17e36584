#include "transport/Interfaces.h"

#include <algorithm>

namespace vantelo {

std::vector<NetworkInterface> Interfaces::Usable() {
    if (port_ != nullptr) {
        known_ = port_->Usable();
    }
    return known_;
}

std::vector<NetworkInterface> Interfaces::ForAll() {
    if (port_ == nullptr) {
        return {NetworkInterface{}};
    }
    std::vector<NetworkInterface> usable = Usable();
    auto chosen = std::find_if(usable.begin(), usable.end(),
                               [this](const NetworkInterface& i) { return i.name == chosen_; });
    if (chosen != usable.end()) {
        return {*chosen};
    }
    return usable;
}

std::vector<NetworkInterface> Interfaces::ForAgent(std::string_view macText) {
    auto agent = agents_.find(macText);
    if (agent == agents_.end()) {
        return ForAll();
    }
    std::vector<NetworkInterface> usable = Usable();
    auto own = std::find_if(usable.begin(), usable.end(), [&agent](const NetworkInterface& i) {
        return i.index == agent->second.index;
    });
    if (own == usable.end()) {
        return {};
    }
    return {*own};
}

std::vector<NetworkInterface> Interfaces::ForAddress(uint32_t address) {
    Usable();
    if (const NetworkInterface* holder = HoldingAddress(address)) {
        return {*holder};
    }
    return ForAll();
}

const NetworkInterface* Interfaces::Known(int index) const {
    auto found = std::find_if(known_.begin(), known_.end(),
                              [index](const NetworkInterface& i) { return i.index == index; });
    return found != known_.end() ? &*found : nullptr;
}

const NetworkInterface* Interfaces::HoldingAddress(uint32_t address) const {
    auto found = std::find_if(known_.begin(), known_.end(), [address](const NetworkInterface& i) {
        return i.mask != 0 && (i.address & i.mask) == (address & i.mask);
    });
    return found != known_.end() ? &*found : nullptr;
}

void Interfaces::RecordArrival(std::string_view macText, int index, uint32_t from,
                               const std::function<bool(const std::string&)>& inUse) {
    if (port_ == nullptr || index == 0 || macText.empty()) {
        return;
    }
    const NetworkInterface* arrival = Known(index);
    if (arrival == nullptr) {
        arrival = HoldingAddress(from);
    }
    if (arrival == nullptr) {
        return;
    }
    auto agent = agents_.find(macText);
    if (agent != agents_.end()) {
        agent->second = *arrival;
        return;
    }
    MakeRoom(inUse);
    if (agents_.size() < kMaxAgents) {
        agents_.emplace(std::string(macText), *arrival);
    }
}

// Any host can answer with any MAC address: agents in neither list give way to new ones.
void Interfaces::MakeRoom(const std::function<bool(const std::string&)>& inUse) {
    if (agents_.size() < kMaxAgents) {
        return;
    }
    std::erase_if(agents_, [&inUse](const auto& agent) { return !inUse(agent.first); });
}

std::optional<NetworkInterface> Interfaces::OfAgent(std::string_view macText,
                                                    uint32_t address) const {
    if (auto agent = agents_.find(macText); agent != agents_.end()) {
        return agent->second;
    }
    if (const NetworkInterface* holder = HoldingAddress(address)) {
        return *holder;
    }
    return std::nullopt;
}

}  // namespace vantelo
