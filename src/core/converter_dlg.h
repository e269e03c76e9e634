// CConverterDlg: all of Tarvel's state, and the four conversions that work on
// it. Each command pulls the fields (UpdateData), calls the pure conversions
// of this folder and pushes the fields back. The window side (construction,
// bindings, routing, icon) is defined with the user interface.
#pragma once

#include "framework/dialog.h"
#include "res/resource.h"

class CConverterDlg : public CDialog {
public:
    explicit CConverterDlg(CWnd* pParent = nullptr);

    enum { IDD = IDD_CONVERTER_DIALOG };

    // The 4-bit value of a hex digit (see core/hex_pairs.h). Never fails.
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
    // "KP to PSI": m_valueText in kPa, as psi, into m_resultText.
    void OnKpaToPsi();
    // "KPa to metres": m_valueText in kPa, as metres of seawater head, into
    // m_resultText.
    void OnKpaToMetres();

    DECLARE_MESSAGE_MAP()
};
