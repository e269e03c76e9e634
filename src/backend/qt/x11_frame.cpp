#include "backend/qt/x11_frame.h"

#include <QGuiApplication>
#include <QWidget>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <xcb/xcb.h>

void FixX11Frame(QWidget& window)
{
    // The offscreen platform answers to the X11 interface too, without a connection.
    const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* connection = x11 != nullptr ? x11->connection() : nullptr;
    if (connection == nullptr || QGuiApplication::platformName() != QLatin1String("xcb"))
        return;
    static constexpr char kName[] = "_MOTIF_WM_HINTS";
    xcb_intern_atom_reply_t* atom = xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 0, sizeof kName - 1, kName), nullptr);
    if (atom == nullptr)
        return;
    // Motif window-manager hints: flags, functions, decorations, input mode, status.
    constexpr std::uint32_t kHintFunctions = 1U << 0;
    constexpr std::uint32_t kHintDecorations = 1U << 1;
    constexpr std::uint32_t kFunctionMove = 1U << 2;
    constexpr std::uint32_t kFunctionClose = 1U << 5;
    constexpr std::uint32_t kDecorBorder = 1U << 1;
    constexpr std::uint32_t kDecorTitle = 1U << 3;
    constexpr std::uint32_t kDecorMenu = 1U << 4;
    const std::array<std::uint32_t, 5> hints{kHintFunctions | kHintDecorations,
                                             kFunctionMove | kFunctionClose,
                                             kDecorBorder | kDecorTitle | kDecorMenu, 0, 0};
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE,
                        static_cast<xcb_window_t>(window.winId()), atom->atom, atom->atom, 32,
                        static_cast<std::uint32_t>(hints.size()), hints.data());
    xcb_flush(connection);
    std::free(atom);
}
