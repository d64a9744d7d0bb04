#include "core/ProgramState.h"

namespace vek {

int InputKind = 0;
bool DataChanged = false;
bool InsertMode = false;
const QString UntitledFileName = QStringLiteral("이름없음.Vek");
QString CurrentFileName = UntitledFileName;
const QString NoDrillTags = QStringLiteral("ERT");

bool IsNoDrillTag(const QString &tag)
{
    return tag.size() == 1 && NoDrillTags.contains(tag.at(0));
}

ListScreenHook *SlstFmHook = nullptr;
ListScreenHook *Sudetaif = nullptr;

} // namespace vek
