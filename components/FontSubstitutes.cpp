#include "components/FontSubstitutes.h"

#include <QFont>

namespace vek {

void InstallFontSubstitutes()
{
    QFont::insertSubstitution(QStringLiteral("굴림"), QStringLiteral("NanumGothic"));
    QFont::insertSubstitution(QStringLiteral("바탕"), QStringLiteral("NanumMyeongjo"));
}

} // namespace vek
