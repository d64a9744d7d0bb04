#include "components/FontSubstitutes.h"

#include <QFont>

namespace vek {

void InstallFontSubstitutes()
{
    QFont::insertSubstitution(QStringLiteral("굴림"), QStringLiteral("NanumGothic"));
    QFont::insertSubstitution(QStringLiteral("바탕"), QStringLiteral("NanumMyeongjo"));
    // The backup dialog's default font; its captions are Korean.
    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("NanumGothic"));
}

} // namespace vek
