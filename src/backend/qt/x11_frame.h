// The frame a window manager gives the dialog on X11.
#pragma once

class QWidget;

// Asks the window manager for a frame that moves and closes but neither
// resizes nor maximises (Qt itself always offers resizing). `window` must be
// a top-level widget whose native window exists. Does nothing on platforms
// other than X11.
void FixX11Frame(QWidget& window);
