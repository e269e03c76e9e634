// The program's dialog templates, expanded from their one definition.
#include "framework/dialog_template.h"
#include "res/resource.h"

namespace {

#define DIALOG_TEMPLATE(...)
#define DIALOG_CONTROL(id, cls, text, x, y, cx, cy, style)                                         \
    {id, #id, cls, text, x, y, cx, cy, style},
constexpr DlgItemTemplate kConverterItems[] = {
#include "res/converter_dialog.def"
};
#undef DIALOG_TEMPLATE
#undef DIALOG_CONTROL

#define DIALOG_TEMPLATE(id, x, y, cx, cy, caption, style, exStyle, font, points, weight, italic,   \
                        charset)                                                                   \
    {id,      x,                                                                                   \
     y,       cx,                                                                                  \
     cy,      caption,                                                                             \
     style,   exStyle,                                                                             \
     font,    points,                                                                              \
     weight,  (italic) != 0,                                                                       \
     charset, kConverterItems},
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
