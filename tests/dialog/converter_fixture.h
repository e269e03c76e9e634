// A converter dialog on the headless back end, driven as a user drives it.
#pragma once

#include "backend/headless/dialog_host.h"
#include "core/converter_dlg.h"

#include <array>
#include <string>

struct Converter {
    CConverterDlg dlg;
    CHeadlessDialog window{dlg};

    // Types `text` into `field`, clicks `button` and returns what `shown` shows.
    std::string Press(int field, const char* text, UINT button, int shown)
    {
        window.Type(field, text);
        window.Click(button);
        return std::string(window.Text(shown));
    }
    std::string Float(const char* hex)
    {
        return Press(IDC_HEX_TEXT, hex, IDC_TO_FLOAT, IDC_VALUE_TEXT);
    }
    std::string Double(const char* hex)
    {
        return Press(IDC_HEX_TEXT, hex, IDC_TO_DOUBLE, IDC_VALUE_TEXT);
    }
    std::string Psi(const char* kpa)
    {
        return Press(IDC_VALUE_TEXT, kpa, IDC_KPA_TO_PSI, IDC_RESULT_TEXT);
    }
    std::string Metres(const char* kpa)
    {
        return Press(IDC_VALUE_TEXT, kpa, IDC_KPA_TO_METRES, IDC_RESULT_TEXT);
    }

    std::array<BYTE, 8> TextBytes() const
    {
        std::array<BYTE, 8> bytes{};
        for (std::size_t k = 0; k < 8; ++k)
            bytes[k] = dlg.m_textBytes[k];
        return bytes;
    }
};
