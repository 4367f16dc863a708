#include "net/SimulatedNetwork.hpp"

#include "net/Random.hpp"

#include <algorithm>

namespace net {

namespace {
constexpr std::uint8_t kSimulatedFamily = 0xEE;
// A bound on what is in flight: past it a datagram is lost, as a full queue loses it.
constexpr std::size_t kMaxInFlight = 100'000;
} // namespace

class SimulatedNetwork::Endpoint : public Transport {
  public:
    Endpoint(SimulatedNetwork& network, int index) : network_(network), index_(index) {}
    void send(const Address& to, const std::uint8_t* data, std::size_t size) override {
        if (to.family == kSimulatedFamily && to.bytes[0] < network_.endpoints_.size() &&
            to.port == network_.port_) {
            if (network_.record_ != nullptr) {
                network_.record_->push_back({network_.address(index_), to.bytes[0], {data, data + size}});
            }
            network_.post(network_.address(index_), to.bytes[0], data, size);
        } else {
            network_.sentToStrangers_.push_back({to, size});
        }
    }
    void broadcast(std::uint16_t port, const std::uint8_t* data, std::size_t size) override {
        for (int other = 0; other < static_cast<int>(network_.endpoints_.size()); ++other) {
            if (other != index_ && port == network_.port_) {
                network_.post(network_.address(index_), other, data, size);
            }
        }
    }
    bool receive(Address& from, std::uint8_t* buffer, std::size_t capacity, std::size_t& size) override {
        return network_.take(index_, from, buffer, capacity, size);
    }

  private:
    SimulatedNetwork& network_;
    int index_;
};

SimulatedNetwork::SimulatedNetwork(int endpoints, std::uint16_t port, std::uint64_t seed)
    : connected_(static_cast<std::size_t>(endpoints), true), port_(port), random_(seed) {
    for (int index = 0; index < endpoints; ++index) {
        endpoints_.push_back(std::make_unique<Endpoint>(*this, index));
    }
}

SimulatedNetwork::~SimulatedNetwork() = default;

Transport& SimulatedNetwork::endpoint(int index) {
    return *endpoints_[static_cast<std::size_t>(index)];
}

Address SimulatedNetwork::address(int index) const {
    Address address;
    address.family = kSimulatedFamily;
    address.bytes[0] = static_cast<std::uint8_t>(index);
    address.port = port_;
    return address;
}

std::uint64_t SimulatedNetwork::draw() {
    return SplitMix64(random_);
}

void SimulatedNetwork::inject(const Address& from, int to, const std::uint8_t* data, std::size_t size) {
    post(from, to, data, size);
}

void SimulatedNetwork::disconnect(int index) {
    connected_[static_cast<std::size_t>(index)] = false;
}

void SimulatedNetwork::post(const Address& from, int to, const std::uint8_t* data, std::size_t size) {
    bool fromCut =
        from.family == kSimulatedFamily && from.bytes[0] < connected_.size() && !connected_[from.bytes[0]];
    if (fromCut || !connected_[static_cast<std::size_t>(to)] || inFlight_.size() >= kMaxInFlight ||
        static_cast<int>(draw() % 1000) < conditions_.lossPerMille) {
        return;
    }
    std::uint64_t jitter = conditions_.jitterMicros == 0 ? 0 : draw() % (conditions_.jitterMicros + 1);
    inFlight_.push_back(Datagram{from, to, now_ + conditions_.delayMicros + jitter, order_++,
                                 std::vector<std::uint8_t>(data, data + size)});
}

bool SimulatedNetwork::take(int to, Address& from, std::uint8_t* buffer, std::size_t capacity,
                            std::size_t& size) {
    auto best = inFlight_.end();
    for (auto it = inFlight_.begin(); it != inFlight_.end(); ++it) {
        if (it->to == to && it->arrival <= now_ &&
            (best == inFlight_.end() || it->arrival < best->arrival ||
             (it->arrival == best->arrival && it->order < best->order))) {
            best = it;
        }
    }
    if (best == inFlight_.end()) {
        return false;
    }
    from = best->from;
    size = std::min(capacity, best->bytes.size());
    std::copy_n(best->bytes.data(), size, buffer);
    inFlight_.erase(best);
    return true;
}

} // namespace net
