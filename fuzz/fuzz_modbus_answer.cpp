// Answers from a device, byte for byte as they may come: whatever arrives,
// the check never reads past it, takes data only of the size asked, and
// says NeedMore of every proper prefix of a frame it takes whole.
#include "device/modbus_frame.h"
#include "fuzz/byte_provider.h"

#include <cstdlib>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::ByteProvider input(data, size);
    const auto framing = input.ConsumeBool() ? Framing::Rtu : Framing::Tcp;
    ReadRequest request;
    request.table = static_cast<RegisterTable>(input.ConsumeIntegral<int>(0, 3));
    request.unit = input.ConsumeIntegral<std::uint8_t>(0, 255);
    request.count = input.ConsumeIntegral<std::uint16_t>(1, 125);
    const auto transaction = input.ConsumeIntegral<std::uint16_t>(0, 65535);
    const std::string rest = input.ConsumeRemainingString();
    const std::vector<std::uint8_t> got(rest.begin(), rest.end());

    const AnswerCheck check = ExamineAnswer(framing, transaction, request, got);
    using State = AnswerCheck::State;
    if (check.state == State::NeedMore)
        return 0;
    if (check.state == State::Refused && check.problem.empty())
        std::abort();
    if (check.state == State::Data) {
        if (check.data.size() != DataBytesOf(request) || check.data.data() < got.data() ||
            check.data.data() + check.data.size() > got.data() + got.size())
            std::abort();
    }
    if (check.state == State::Data || check.state == State::Exception) {
        if (check.length == 0 || check.length > got.size())
            std::abort();
        for (std::size_t k = 0; k + 1 < check.length; ++k) // never decided before the end
            if (ExamineAnswer(framing, transaction, request, std::span(got).first(k)).state ==
                State::Data)
                std::abort();
    }
    return 0;
}
