// A special-character picker for the tests: it "picks" $VEK_TEST_GLYPH, which it leaves on
// the clipboard as the real picker does, or "Non" (cancelled) when that is not set.
#include <QClipboard>
#include <QGuiApplication>

extern "C" Q_DECL_EXPORT void PickGlyph()
{
    QGuiApplication::clipboard()->setText(qEnvironmentVariable("VEK_TEST_GLYPH", QStringLiteral("Non")));
}
