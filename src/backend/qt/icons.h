// Icon handles on Qt: each handle stands for a QIcon loaded once from the
// program's embedded resources.
#pragma once

#include "framework/afx_types.h"

#include <QIcon>

// The icon behind `hIcon`, or null for the null handle.
const QIcon* IconFromHandle(HICON hIcon);

// Frees every loaded icon; call before the QApplication goes away. Handles
// handed out before become invalid.
void ReleaseIcons();
