#include "core/SiblingLibraries.h"

#include "core/Environment.h"
#include "core/MessageBoxes.h"
#include "platform/library/SiblingLibrary.h"

#include <QApplication>
#include <QCoreApplication>

namespace vek {
namespace {

// Loads baseName for one call of entry, which call receives as a plain function pointer.
template <typename Function, typename Call>
void CallSibling(const QString &baseName, const char *entry, Call call)
{
    SiblingLibrary library(baseName, {QCoreApplication::applicationDirPath()});
    if (!library.isLoaded()) {
        QApplication::beep();
        ShowInfoMsg(baseName + QStringLiteral(".dll 파일에 문제가 있거나 Dll 파일을 찾을 수 없습니다"));
        return;
    }
    const auto function = reinterpret_cast<Function>(library.resolve(entry));
    if (!function) {
        ShowInfoMsg(library.errorString());
        return;
    }
    call(function);
}

} // namespace

void ShowSpecialCharPicker()
{
    CallSibling<void (*)()>(QStringLiteral("Glyfpik"), "PickGlyph", [](auto pickGlyph) { pickGlyph(); });
}

void ShowCalculator()
{
    CallSibling<void (*)()>(QStringLiteral("VekCalc"), "vCalculate", [](auto calculate) { calculate(); });
}

void ShowNoticePage(const QString &page)
{
    const QSize size = ScreenSize();
    const QByteArray address = (MakerWebAddress(QStringLiteral("Help/")) + page).toUtf8();
    CallSibling<void (*)(int, int, int, int, const char *)>(
        QStringLiteral("Newsleaf"), "leafnote", [&](auto leafnote) {
            leafnote(0, size.width() - 560, size.height() - 10, 557, address.constData());
        });
}

} // namespace vek
