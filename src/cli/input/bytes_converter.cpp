#include "cli/input/bytes_converter.h"

#include "cli/input/byte_text.h"

#include <span>

namespace {

std::string Bytes(std::size_t n, bool registers)
{
    if (registers)
        return std::to_string(n / 2) + (n == 2 ? " register" : " registers");
    return std::to_string(n) + (n == 1 ? " byte" : " bytes");
}

} // namespace

BytesConverter::BytesConverter(const BytesDecoder& decoder, bool registers, Count count)
    : m_decoder(decoder), m_registers(registers), m_count(count), m_size(decoder.Size()),
      m_oneItemRoom(registers || m_size > kMostPlainHexBytes ? 0 : decoder.MostText())
{
}

char* BytesConverter::WriteOneItem(std::string_view text, char* out)
{
    // One unit exactly: whatever the count, its one item, as Convert adds it.
    std::uint8_t bytes[kMostPlainHexBytes];
    if (m_oneItemRoom == 0 || text.size() != 2 * m_size || !ReadPlainHex(text, bytes))
        return nullptr;
    return m_decoder.WriteText(std::span<const std::uint8_t>(bytes, m_size), out);
}

bool BytesConverter::Convert(std::string_view text, ItemSink& items, std::string& error)
{
    if (!(m_registers ? ReadRegisterText(text, m_bytes, error)
                      : ReadCleanHex(text, m_bytes, error)))
        return false;
    const std::size_t size = m_decoder.Size();
    const std::size_t have = m_bytes.size();
    // Registers come in pairs of bytes: a unit of one byte leaves none over.
    const std::size_t unitText = m_registers && size % 2 != 0 ? size + 1 : size;
    if (have < size) {
        error = Bytes(have, m_registers) + ", fewer than the " + Bytes(unitText, m_registers) +
                " of one " + std::string(m_decoder.UnitName());
        return false;
    }
    const std::size_t rest = have % size;
    if (m_count == Count::Each && rest != 0) {
        error = Bytes(have, m_registers) + " leave " + std::to_string(rest) +
                (rest == 1 ? " byte" : " bytes") + " over, less than one value of " +
                std::to_string(size);
        return false;
    }
    if (m_count == Count::One && have > unitText && !m_decoder.IgnoresRest()) {
        error = Bytes(have, m_registers) + ", more than the " + Bytes(unitText, m_registers) +
                " of one " + std::string(m_decoder.UnitName());
        return false;
    }
    const std::span<const std::uint8_t> bytes(m_bytes);
    const std::size_t units = m_count == Count::Each ? have / size : 1;
    for (std::size_t k = 0; k < units; ++k)
        if (!m_decoder.Decode(bytes.subspan(k * size), items, error))
            return false;
    return true;
}
