// CConverterDlg: all of Tarvel's state, and the four conversions that work on
// it. The conversions see the window only through UpdateData: one pull before
// and one push after each command. The window side (construction, bindings,
// routing, icon) is defined with the user interface.
#pragma once

#include "dialog.h"
#include "resource.h"

class CConverterDlg : public CDialog {
public:
    explicit CConverterDlg(CWnd* pParent = nullptr);

    enum { IDD = IDD_CONVERTER_DIALOG };

    // psi per kilopascal.
    static constexpr double KPA_TO_PSI = 0.1450377438972831;
    // psi subtracted before converting to metres: 100 kPa in psi, cut to seven
    // significant digits (deliberately not 100 * KPA_TO_PSI).
    static constexpr double PSI_OFFSET = 14.50377;
    // Metres of seawater head (1026 kg/m^3) per psi.
    static constexpr double METRES_PER_PSI = 0.68525;

    // The 4-bit value of a hex digit: '0'-'9' give 0-9, 'A'-'F' and 'a'-'f'
    // give 10-15. Any other byte still yields a value by the same arithmetic
    // (codes up to '9' keep their low nibble, others add 9 modulo 256 first),
    // e.g. ' ' 0, ',' 12, '-' 13, ':' 3, 'x' 1. Never fails.
    static BYTE HexDigitValue(char ch);

    // Converter state. The byte store starts zeroed and is never cleared.
    BYTE m_textBytes[8] = {};  // bytes as they stand in the hex text; [0] most significant
    BYTE m_valueBytes[8] = {}; // text bytes reversed: the little-endian image of the value
    CString m_hexText;         // control IDC_HEX_TEXT
    CString m_valueText;       // control IDC_VALUE_TEXT: decoded value, pressure input
    CString m_resultText;      // control IDC_RESULT_TEXT: pressure result
    HICON m_icon;              // the application icon; shared, never destroyed here

protected:
    // Binds IDC_HEX_TEXT, IDC_VALUE_TEXT, IDC_RESULT_TEXT, in that order.
    void DoDataExchange(CDataExchange* pDX) override;
    // Sets the big and small window icons; TRUE puts the focus on the hex field.
    BOOL OnInitDialog() override;
#ifdef _WIN32
    // Draws the icon centred in the minimised window; otherwise the default.
    void OnPaint();
    // The icon shown while the minimised window is dragged.
    HCURSOR OnQueryDragIcon();
#endif

    // Pulls, then reads up to eight byte pairs from m_hexText into the leading
    // entries of m_textBytes; later entries keep their bytes.
    void ReadHexBytes();

    // "32 bit float": the first four text bytes as an IEEE 754 single,
    // widened to double, into m_valueText.
    void OnToFloat();
    // "64 bit double": the eight text bytes as an IEEE 754 double.
    void OnToDouble();
    // "KP to PSI": m_valueText in kPa, times KPA_TO_PSI, into m_resultText.
    void OnKpaToPsi();
    // "KPa to metres": (kPa * KPA_TO_PSI - PSI_OFFSET) * METRES_PER_PSI,
    // each operation rounded to double, into m_resultText.
    void OnKpaToMetres();

    DECLARE_MESSAGE_MAP()
};
