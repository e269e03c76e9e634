// How long one conversion takes when a field holds a megabyte of text: the
// conversion alone (the core's functions) and in the Qt window (with pulling
// the text out of the widget), beside the time Qt itself takes to paste it.
#include "backend/qt/qt_application.h"
#include "backend/qt/qt_dialog_window.h"
#include "core/converter_dlg.h"
#include "core/hex_pairs.h"
#include "core/ieee754.h"
#include "core/number_reader.h"
#include "core/pressure.h"
#include "core/render.h"
#include "framework/dialog_template.h"

#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

const std::string kHex = std::string(1 << 20, ' ') + "3F800000"; // pairs at the very end
const std::string kValue = "1" + std::string(1 << 20, '0') + "e-1048575";

template <class F> double MedianMs(F f, int runs = 21)
{
    std::vector<double> ms;
    for (int k = 0; k < runs; ++k) {
        const auto start = std::chrono::steady_clock::now();
        f();
        ms.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count());
    }
    std::sort(ms.begin(), ms.end());
    return ms[ms.size() / 2];
}

void ConversionAlone()
{
    std::uint8_t textBytes[8] = {};
    std::uint8_t valueBytes[8] = {};
    char out[kFixed6MaxLength];
    std::printf("%-44s %8.3f ms\n", "core: 32 bit float, 1 MiB hex text", MedianMs([&] {
                    ReadHexPairs(kHex, textBytes);
                    RenderFixed6(DecodeFloat(textBytes, valueBytes), out);
                }));
    std::printf("%-44s %8.3f ms\n", "core: KP to PSI, 1 MiB value text",
                MedianMs([&] { RenderFixed6(KpaToPsi(ReadNumber(kValue.c_str())), out); }));
}

void Window()
{
    CConverterDlg dlg;
    CQtDialogWindow window(dlg, *AfxFindDialogTemplate(IDD_CONVERTER_DIALOG));
    window.show();
    auto* hex = qobject_cast<QLineEdit*>(window.Control(IDC_HEX_TEXT));
    auto* value = qobject_cast<QLineEdit*>(window.Control(IDC_VALUE_TEXT));
    QElapsedTimer paste;
    paste.start();
    hex->insert(QString::fromStdString(kHex));
    QApplication::processEvents();
    std::printf("%-44s %8lld ms\n", "window: Qt pastes 1 MiB into the hex field", paste.elapsed());
    auto* toFloat = qobject_cast<QPushButton*>(window.Control(IDC_TO_FLOAT));
    std::printf("%-44s %8.3f ms\n", "window: 32 bit float, 1 MiB hex text",
                MedianMs([&] { toFloat->click(); }));
    value->setText(QString::fromStdString(kValue));
    auto* toPsi = qobject_cast<QPushButton*>(window.Control(IDC_KPA_TO_PSI));
    std::printf("%-44s %8.3f ms\n", "window: KP to PSI, 1 MiB value text",
                MedianMs([&] { toPsi->click(); }));
}

} // namespace

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    const auto app = CreateQtApplication(argc > 0 ? argv[0] : nullptr);
    ConversionAlone();
    Window();
    return 0;
}
