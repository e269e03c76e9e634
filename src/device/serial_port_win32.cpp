#include "device/serial_port_win32.h"

#include "device/port_names.h"

namespace {

// The failure of opening the port, in words a user can act on.
std::string OpenFailure(DWORD code)
{
    switch (code) {
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
        return "cannot open: the port is in use by another program (close it, or its "
               "connection to the port, and try again)";
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_BAD_PATHNAME:
    case ERROR_INVALID_NAME:
        return "cannot open: no such port (the ports here: " +
               ListedPortNames(SerialPortsHere()) + ")";
    default:
        return "cannot open: " + SystemWords(code);
    }
}

} // namespace

HANDLE OpenSerialPort(const DeviceSettings& settings, ModbusFailure& failure)
{
    failure = {ReadFailure::Unreachable, 0, {}};
    const std::string path = WindowsPortPath(settings.device);
    HANDLE port = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    if (port == INVALID_HANDLE_VALUE) {
        failure.what = OpenFailure(GetLastError());
        return port;
    }
    DCB dcb{};
    dcb.DCBlength = sizeof dcb;
    if (!GetCommState(port, &dcb)) {
        CloseHandle(port);
        failure.what = "cannot open: not a serial port";
        return INVALID_HANDLE_VALUE;
    }
    dcb.BaudRate = static_cast<DWORD>(settings.baud);
    dcb.ByteSize = 8;
    dcb.Parity = settings.parity == 'N' ? NOPARITY : settings.parity == 'E' ? EVENPARITY : ODDPARITY;
    dcb.StopBits = settings.stopBits == 2 ? TWOSTOPBITS : ONESTOPBIT;
    dcb.fBinary = TRUE;
    dcb.fParity = settings.parity != 'N';
    dcb.fOutxCtsFlow = FALSE;
    dcb.fOutxDsrFlow = FALSE;
    dcb.fDsrSensitivity = FALSE;
    dcb.fDtrControl = DTR_CONTROL_ENABLE;
    dcb.fRtsControl = settings.rs485 ? RTS_CONTROL_TOGGLE : RTS_CONTROL_ENABLE;
    dcb.fOutX = FALSE;
    dcb.fInX = FALSE;
    dcb.fErrorChar = FALSE;
    dcb.fNull = FALSE;
    dcb.fAbortOnError = FALSE;
    // A write never waits longer than an answer may.
    COMMTIMEOUTS writes{};
    writes.WriteTotalTimeoutConstant = static_cast<DWORD>(settings.timeoutMs);
    if (!SetCommState(port, &dcb) || !SetCommTimeouts(port, &writes) || !SetReadWait(port, 0)) {
        const DWORD code = GetLastError();
        CloseHandle(port);
        failure.what = settings.rs485 ? "--rs485: the port or its driver has no RS-485 mode (" +
                                            SystemWords(code) + ")"
                                      : "cannot set the port up: " + SystemWords(code);
        return INVALID_HANDLE_VALUE;
    }
    PurgeComm(port, PURGE_RXCLEAR | PURGE_TXCLEAR);
    failure = {};
    return port;
}

bool SetReadWait(HANDLE port, DWORD waitMs)
{
    COMMTIMEOUTS timeouts{};
    if (!GetCommTimeouts(port, &timeouts))
        return false;
    // MAXDWORD, MAXDWORD, N: return with the first bytes, or none after N ms;
    // MAXDWORD, 0, 0: return with what is there at once.
    timeouts.ReadIntervalTimeout = MAXDWORD;
    timeouts.ReadTotalTimeoutMultiplier = waitMs == 0 ? 0 : MAXDWORD;
    timeouts.ReadTotalTimeoutConstant = waitMs;
    return SetCommTimeouts(port, &timeouts) != 0;
}

std::vector<std::string> SerialPortsHere()
{
    std::vector<std::string> names;
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "HARDWARE\\DEVICEMAP\\SERIALCOMM", 0, KEY_READ, &key) !=
        ERROR_SUCCESS)
        return names;
    for (DWORD index = 0;; ++index) {
        char valueName[256];
        DWORD valueNameSize = sizeof valueName;
        char data[256];
        DWORD dataSize = sizeof data - 1;
        DWORD type = 0;
        const LONG status = RegEnumValueA(key, index, valueName, &valueNameSize, nullptr, &type,
                                          reinterpret_cast<BYTE*>(data), &dataSize);
        if (status == ERROR_NO_MORE_ITEMS)
            break;
        if (status != ERROR_SUCCESS || type != REG_SZ)
            continue;
        data[dataSize] = '\0';
        names.emplace_back(data);
    }
    RegCloseKey(key);
    return SortedPortNames(std::move(names));
}

std::string SystemWords(DWORD code)
{
    // English as the rest of the messages, else the system's language.
    char* text = nullptr;
    DWORD length = 0;
    for (const DWORD language : {DWORD{MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US)}, DWORD{0}})
        if (length == 0)
            length = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                        FORMAT_MESSAGE_IGNORE_INSERTS,
                                    nullptr, code, language, reinterpret_cast<char*>(&text), 0,
                                    nullptr);
    std::string words = length > 0 ? std::string(text, length) : "error " + std::to_string(code);
    LocalFree(text);
    while (!words.empty() && (words.back() == '\n' || words.back() == '\r' ||
                              words.back() == ' ' || words.back() == '.'))
        words.pop_back();
    if (!words.empty() && words[0] >= 'A' && words[0] <= 'Z')
        words[0] = static_cast<char>(words[0] - 'A' + 'a');
    return words;
}
