#pragma once

// A network in memory for tests and benchmarks: numbered endpoints, each a Transport, and links
// that lose, delay and reorder datagrams from a seed, so that a run repeats exactly. Time is what
// the caller sets; nothing arrives before its time.

#include "net/Transport.hpp"

#include <cstdint>
#include <memory>
#include <vector>

namespace net {

struct LinkConditions {
    int lossPerMille = 0;           // datagrams lost per thousand, each on its own draw
    std::uint64_t delayMicros = 0;  // one way
    std::uint64_t jitterMicros = 0; // added to the delay, uniform in [0, jitter]: reorders
};

class SimulatedNetwork {
  public:
    SimulatedNetwork(int endpoints, std::uint16_t port, std::uint64_t seed);
    ~SimulatedNetwork();

    Transport& endpoint(int index);
    Address address(int index) const;
    void setConditions(const LinkConditions& conditions) { conditions_ = conditions; }
    void setNow(std::uint64_t now) { now_ = now; }
    // Delivers bytes to endpoint to as if sent from from, on the same lossy link.
    void inject(const Address& from, int to, const std::uint8_t* data, std::size_t size);
    // Cuts an endpoint off: what it sends and what is sent to it is lost from now on.
    void disconnect(int index);
    // Every datagram sent to an address outside this network (a forged sender's), with its length.
    struct StrangerSend {
        Address to;
        std::size_t size;
    };
    const std::vector<StrangerSend>& sentToStrangers() const { return sentToStrangers_; }
    // From now on, a copy of every datagram an endpoint sends, in order, with its sender and receiver.
    struct Sent {
        Address from;
        int to;
        std::vector<std::uint8_t> bytes;
    };
    void record(std::vector<Sent>* sent) { record_ = sent; }

  private:
    class Endpoint;
    struct Datagram {
        Address from;
        int to;
        std::uint64_t arrival;
        std::uint64_t order;
        std::vector<std::uint8_t> bytes;
    };
    friend class Endpoint;

    void post(const Address& from, int to, const std::uint8_t* data, std::size_t size);
    bool take(int to, Address& from, std::uint8_t* buffer, std::size_t capacity, std::size_t& size);
    std::uint64_t draw();

    std::vector<std::unique_ptr<Endpoint>> endpoints_;
    std::vector<bool> connected_;
    std::vector<Datagram> inFlight_;
    std::uint16_t port_;
    LinkConditions conditions_;
    std::uint64_t now_ = 0;
    std::uint64_t order_ = 0;
    std::uint64_t random_;
    std::vector<StrangerSend> sentToStrangers_;
    std::vector<Sent>* record_ = nullptr;
};

} // namespace net
