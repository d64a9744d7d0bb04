#include "core/SiblingLibraries.h"

#include "core/Environment.h"
#include "core/MessageBoxes.h"
#include "platform/library/SiblingLibrary.h"

#include <QCoreApplication>

namespace vek {
namespace {

enum class Beep { OnFailure, Always };

// Loads baseName for one call of entry, which call receives as a plain function pointer.
template <typename Function, typename Call>
void CallSibling(const QString &baseName, const char *entry, Call call, Beep beep = Beep::OnFailure)
{
    SiblingLibrary library(baseName, {QCoreApplication::applicationDirPath()});
    if (beep == Beep::Always)
        MessageBeep();
    if (!library.isLoaded()) {
        if (beep == Beep::OnFailure)
            MessageBeep();
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
    ShowLeafNote(0, size.width() - 560, size.height() - 10, 557, MakerWebAddress(QStringLiteral("Help/")) + page);
}

void ShowLeafNote(int top, int left, int height, int width, const QString &address)
{
    const QByteArray text = address.toUtf8();
    CallSibling<void (*)(int, int, int, int, const char *)>(
        QStringLiteral("Newsleaf"), "leafnote",
        [&](auto leafnote) { leafnote(top, left, height, width, text.constData()); });
}

void ShowAboutBox(const QString &changed, const QString &project)
{
    const QByteArray first = changed.toUtf8();
    const QByteArray second = project.toUtf8();
    CallSibling<void (*)(const char *, const char *)>(
        QStringLiteral("Infopane"), "AboutBox",
        [&](auto aboutBox) { aboutBox(first.constData(), second.constData()); }, Beep::Always);
}

} // namespace vek
