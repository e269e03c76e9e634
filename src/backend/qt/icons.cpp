#include "backend/qt/icons.h"

#include "framework/wnd.h"

#include <QFile>
#include <map>

// The icon images are compiled into this library; register them once.
static void RegisterIconResources()
{
    static const bool registered = [] {
        Q_INIT_RESOURCE(tarvel);
        return true;
    }();
    (void)registered;
}

namespace {

// Icons live until ReleaseIcons, like the platform's shared icons that live
// as long as the program.
std::map<UINT, QIcon>& LoadedIcons()
{
    static std::map<UINT, QIcon> icons;
    return icons;
}

} // namespace

HICON AfxLoadIcon(UINT nIDResource)
{
    RegisterIconResources();
    auto& icons = LoadedIcons();
    auto it = icons.find(nIDResource);
    if (it == icons.end()) {
        QIcon icon;
        for (const int size : {16, 32}) {
            const QString path = QStringLiteral(":/icons/%1-%2.png").arg(nIDResource).arg(size);
            if (QFile::exists(path))
                icon.addFile(path, QSize(size, size));
        }
        if (icon.isNull())
            return nullptr;
        it = icons.emplace(nIDResource, icon).first;
    }
    // The handle is the address of the loaded QIcon: an opaque token that
    // IconFromHandle turns back.
    return reinterpret_cast<HICON>(&it->second);
}

const QIcon* IconFromHandle(HICON hIcon)
{
    return reinterpret_cast<const QIcon*>(hIcon);
}

void ReleaseIcons()
{
    LoadedIcons().clear();
}
