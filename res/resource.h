// Resource and control identifiers, shared by the code and the resources.
#pragma once

#define IDD_CONVERTER_DIALOG 102
#define IDR_APP_ICON 128

#define IDC_HEX_TEXT 1000
#define IDC_VALUE_TEXT 1001
#define IDC_TO_FLOAT 1002
#define IDC_TO_DOUBLE 1003
#define IDC_RESULT_TEXT 1005
#define IDC_KPA_TO_PSI 1006
#define IDC_KPA_TO_METRES 1007
#define IDC_STATIC (-1)
