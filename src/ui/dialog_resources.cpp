// The program's dialog templates, expanded from their one definition.
#include "framework/dialog_template.h"
#include "res/resource.h"

#include <algorithm>

namespace {

#define DIALOG_TEMPLATE(...)
#define DIALOG_CONTROL(id, cls, text, x, y, cx, cy, style)                                         \
    {id, #id, cls, text, x, y, cx, cy, style},
constexpr DlgItemTemplate kConverterItems[] = {
#include "res/converter_dialog.def"
};
#undef DIALOG_TEMPLATE
#undef DIALOG_CONTROL

// What a screen reader announces for the fields, which have no text of their
// own to be named by; the buttons and the label are named by their texts.
constexpr DlgAccessibleText kConverterAccessibleTexts[] = {
    {IDC_HEX_TEXT, "Hex bytes", "The bytes to decode, in hex, most significant first"},
    {IDC_VALUE_TEXT, "Value", "The decoded value, or a pressure in kPa to convert"},
    {IDC_RESULT_TEXT, "Result", "The pressure converted to psi, or to metres of seawater head"},
};
// Each entry's control is in the template: a mistyped identifier fails the build.
constexpr bool EveryAccessibleTextHasItsControl()
{
    for (const DlgAccessibleText& text : kConverterAccessibleTexts)
        if (std::ranges::find(kConverterItems, text.id, &DlgItemTemplate::id) ==
            std::ranges::end(kConverterItems))
            return false;
    return true;
}
static_assert(EveryAccessibleTextHasItsControl());

// clang-format off
#define DIALOG_TEMPLATE(id, x, y, cx, cy, caption, style, exStyle, font, points, weight, italic,   \
                        charset)                                                                   \
    {id, x, y, cx, cy, caption, style, exStyle, font, points, weight, (italic) != 0, charset,      \
     kConverterItems, kConverterAccessibleTexts},
// clang-format on
#define DIALOG_CONTROL(...)
constexpr DlgTemplate kTemplates[] = {
#include "res/converter_dialog.def"
};
#undef DIALOG_TEMPLATE
#undef DIALOG_CONTROL

} // namespace

const DlgTemplate* AfxFindDialogTemplate(UINT nIDTemplate)
{
    for (const DlgTemplate& dialog : kTemplates)
        if (dialog.id == nIDTemplate)
            return &dialog;
    return nullptr;
}
