// poll's reading: every device on a thread of its own, so that a device that
// does not answer never holds up another; each device's requests in turn,
// as one connection (or one serial line) takes them.
#pragma once

#include "cli/convert/poll_plan.h"
#include "device/register_source.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <csignal>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

// What one sample read: a result for each request of the plan.
struct PollSample {
    std::uint64_t number = 0;
    std::string time;                 // when it began, as rows show it
    std::vector<ReadResult> results;  // by request
    std::vector<bool> done;           // by request: whether its result is in

    bool Complete() const { return std::find(done.begin(), done.end(), false) == done.end(); }
};

class PollSampler {
public:
    using Clock = std::chrono::steady_clock;

    // Opens nothing yet: each device connects on its first read. Null, with
    // `error`, when the system cannot make a device's link. `trace`, when
    // given, takes each device's frames, named by the device.
    static std::unique_ptr<PollSampler> Open(const PollPoints& points,
                                             std::vector<PollRequest> requests,
                                             const std::function<void(std::string_view)>& trace,
                                             std::string& error);
    PollSampler(const PollSampler&) = delete;
    PollSampler& operator=(const PollSampler&) = delete;
    // Ends every read in progress within 100 ms and waits for the threads.
    ~PollSampler();

    // Begins sample `number`, taken at `time`, on every device that has
    // finished the samples before it; a device still reading one gets a
    // failed result for each of its requests in this sample, saying so.
    // False, beginning nothing, when every device is still reading.
    bool Begin(std::uint64_t number, std::string time);
    // The oldest sample begun, once all its reads have ended, waiting for it
    // until `until` at the latest; nullopt when it is not yet complete.
    std::optional<PollSample> TakeComplete(Clock::time_point until);
    // The oldest sample begun, complete or not: a read still under way
    // fails in it, saying so, and its answer, when it comes, is dropped.
    // Nullopt when none is begun. So that rows wait on a device that hangs
    // for a bounded number of samples, not for its whole timeout.
    std::optional<PollSample> TakeOldest();
    // The samples begun and not yet taken.
    std::size_t Waiting() const;
    // Whether every sample begun has been taken.
    bool Empty() const { return Waiting() == 0; }
    // Ends every read in progress within 100 ms, as Interrupted; the reads
    // after it do not start.
    void Stop();

private:
    struct Device {
        std::unique_ptr<RegisterSource> source;
        std::vector<std::size_t> requests; // its requests, in the order read
        std::optional<std::uint64_t> job;  // the sample to read next
        bool busy = false;                 // reading, or a job waiting
        std::thread thread;
    };

    explicit PollSampler(std::vector<PollRequest> requests);
    void Work(Device& device);
    PollSample* Find(std::uint64_t number);
    // Request r's failure, named as a device's read names it.
    ReadResult Failed(std::size_t r, ReadFailure failure, const std::string& what) const;

    std::vector<PollRequest> m_requests;
    std::vector<std::string> m_names; // each device as first written
    std::deque<Device> m_devices;     // fixed once the threads start
    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<PollSample> m_open; // begun, not yet taken, oldest first
    volatile std::sig_atomic_t m_stop = 0;
    bool m_quit = false;
};
