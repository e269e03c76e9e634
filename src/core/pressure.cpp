#include "converter_dlg.h"
#include "number_reader.h"

void CConverterDlg::OnKpaToPsi()
{
    UpdateData(TRUE);
    const double kpa = ReadNumber(m_valueText);
    m_resultText.Format("%f", kpa * KPA_TO_PSI);
    UpdateData(FALSE);
}

void CConverterDlg::OnKpaToMetres()
{
    UpdateData(TRUE);
    const double kpa = ReadNumber(m_valueText);
    // Three separately rounded operations; the build forbids fusing them
    // (-ffp-contract=off), which would change the sixth decimal for some inputs.
    const double psi = kpa * KPA_TO_PSI;
    const double gauge = psi - PSI_OFFSET;
    m_resultText.Format("%f", gauge * METRES_PER_PSI);
    UpdateData(FALSE);
}
