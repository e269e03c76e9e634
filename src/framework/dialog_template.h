// A dialog template as the program's resources hold it: what a windowed back
// end builds the dialog from.
#pragma once

#include "framework/afx_types.h"

#include <span>

struct DlgItemTemplate {
    int id;
    const char* name;        // the identifier's name, e.g. "IDC_HEX_TEXT"
    const char* windowClass; // "Edit", "Button" or "Static"
    const char* text;
    int x, y, cx, cy; // dialog units
    unsigned style;
};

// What assistive technology announces for one control, kept beside the
// template rather than in it: the platform's own templates have no room for it.
struct DlgAccessibleText {
    int id;                  // the control's identifier
    const char* name;        // its role in a word or two, e.g. "Hex bytes"
    const char* description; // one line on what goes in it
};

struct DlgTemplate {
    UINT id;
    int x, y, cx, cy; // dialog units
    const char* caption;
    unsigned style;
    unsigned exStyle;
    const char* fontName;
    int pointSize;
    int weight;
    bool italic;
    int charset;
    std::span<const DlgItemTemplate> items; // template order, which is tab order
    // By control identifier; a control not listed is announced by its own text.
    std::span<const DlgAccessibleText> accessibleTexts;
};

// The accessible texts of control `nID` in `t`, or null when it has none of
// its own.
constexpr const DlgAccessibleText* FindAccessibleText(const DlgTemplate& t, int nID)
{
    for (const DlgAccessibleText& text : t.accessibleTexts)
        if (text.id == nID)
            return &text;
    return nullptr;
}

// Window and control style bits that mean something off their home platform.
constexpr unsigned kStyleTabStop = 0x00010000; // WS_TABSTOP
constexpr unsigned kEditCentred = 0x0001;      // ES_CENTER
constexpr unsigned kEditAutoHScroll = 0x0080;  // ES_AUTOHSCROLL

// The template with resource identifier `nIDTemplate`, or null. Defined by the
// program's resources.
const DlgTemplate* AfxFindDialogTemplate(UINT nIDTemplate);
