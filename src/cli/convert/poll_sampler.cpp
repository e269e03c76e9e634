#include "cli/convert/poll_sampler.h"

#include <algorithm>

std::unique_ptr<PollSampler> PollSampler::Open(const PollPoints& points,
                                               std::vector<PollRequest> requests,
                                               const std::function<void(std::string_view)>& trace,
                                               std::string& error)
{
    std::unique_ptr<PollSampler> sampler(new PollSampler(std::move(requests)));
    for (std::size_t d = 0; d < points.devices.size(); ++d) {
        DeviceSettings settings = points.devices[d].settings;
        settings.interrupted = &sampler->m_stop;
        if (trace)
            settings.trace = [trace, name = settings.device](std::string_view line) {
                trace(name + ": " + std::string(line));
            };
        Device& device = sampler->m_devices.emplace_back();
        device.source = OpenRegisterSource(settings, error);
        if (!device.source)
            return nullptr;
        for (std::size_t r = 0; r < sampler->m_requests.size(); ++r)
            if (sampler->m_requests[r].device == d)
                device.requests.push_back(r);
        sampler->m_names.push_back(settings.device);
    }
    for (Device& device : sampler->m_devices)
        device.thread = std::thread([&sampler = *sampler, &device] { sampler.Work(device); });
    return sampler;
}

PollSampler::PollSampler(std::vector<PollRequest> requests) : m_requests(std::move(requests)) {}

PollSampler::~PollSampler()
{
    Stop();
    {
        const std::lock_guard lock(m_mutex);
        m_quit = true;
    }
    m_changed.notify_all();
    for (Device& device : m_devices)
        if (device.thread.joinable())
            device.thread.join();
}

void PollSampler::Stop()
{
    {
        const std::lock_guard lock(m_mutex);
        m_stop = 1;
    }
    m_changed.notify_all();
}

PollSample* PollSampler::Find(std::uint64_t number)
{
    const auto found = std::find_if(m_open.begin(), m_open.end(),
                                    [number](const PollSample& s) { return s.number == number; });
    return found == m_open.end() ? nullptr : &*found;
}

bool PollSampler::Begin(std::uint64_t number, std::string time)
{
    {
        const std::lock_guard lock(m_mutex);
        if (std::all_of(m_devices.begin(), m_devices.end(),
                        [](const Device& device) { return device.busy; }))
            return false;
        PollSample& sample = m_open.emplace_back();
        sample.number = number;
        sample.time = std::move(time);
        sample.results.resize(m_requests.size());
        sample.done.resize(m_requests.size(), true);
        for (Device& device : m_devices) {
            if (!device.busy) {
                device.busy = true;
                device.job = number;
                for (const std::size_t r : device.requests)
                    sample.done[r] = false;
                continue;
            }
            for (const std::size_t r : device.requests)
                sample.results[r] = Failed(r, ReadFailure::Timeout,
                                           "not read: the device is still on an earlier sample");
        }
    }
    m_changed.notify_all();
    return true;
}

void PollSampler::Work(Device& device)
{
    std::unique_lock lock(m_mutex);
    while (true) {
        m_changed.wait(lock, [&] { return m_quit || device.job; });
        if (m_quit)
            return;
        const std::uint64_t number = *device.job;
        device.job.reset();
        std::optional<ReadResult> unreachable;
        for (const std::size_t r : device.requests) {
            const PollRequest& request = m_requests[r];
            ReadResult result;
            if (m_stop != 0) { // stopping: the rest is not asked for
                result = Failed(r, ReadFailure::Interrupted, "interrupted");
            } else if (unreachable) { // one failed connect a sample, not one a request
                result = *unreachable;
            } else {
                lock.unlock();
                result = device.source->Read(request.table, request.address, request.count,
                                             request.unit);
                lock.lock();
                if (result.failure == ReadFailure::Unreachable)
                    unreachable = result;
            }
            if (PollSample* sample = Find(number)) { // else taken before it was complete
                sample->results[r] = std::move(result);
                sample->done[r] = true;
            }
        }
        device.busy = false;
        m_changed.notify_all();
    }
}

std::optional<PollSample> PollSampler::TakeComplete(Clock::time_point until)
{
    std::unique_lock lock(m_mutex);
    const auto complete = [&] { return !m_open.empty() && m_open.front().Complete(); };
    if (!m_changed.wait_until(lock, until, complete))
        return std::nullopt;
    PollSample sample = std::move(m_open.front());
    m_open.pop_front();
    return sample;
}

std::optional<PollSample> PollSampler::TakeOldest()
{
    const std::lock_guard lock(m_mutex);
    if (m_open.empty())
        return std::nullopt;
    PollSample sample = std::move(m_open.front());
    m_open.pop_front();
    for (std::size_t r = 0; r < m_requests.size(); ++r)
        if (!sample.done[r])
            sample.results[r] = Failed(r, ReadFailure::Timeout,
                                       "no answer while " + std::to_string(m_open.size()) +
                                           " samples after it were read");
    return sample;
}

ReadResult PollSampler::Failed(std::size_t r, ReadFailure failure, const std::string& what) const
{
    const PollRequest& request = m_requests[r];
    ReadResult result;
    result.failure = failure;
    result.error = m_names[request.device] + " unit " + std::to_string(request.unit) +
                   " address " + std::to_string(request.address) + ": " + what;
    return result;
}

std::size_t PollSampler::Waiting() const
{
    const std::lock_guard lock(m_mutex);
    return m_open.size();
}
