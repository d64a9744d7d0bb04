#pragma once

#include "archiver/ZipMaster.h"

#include <QByteArray>
#include <QStringList>

namespace vek {

// The settings block that follows a self-extractor stub; the stub, knowing its own size,
// reads it from its file:
//   offset 0   4 bytes  "KZSX"
//   offset 4   2 bytes  the size of the whole block, little-endian
//   offset 6   1 byte   SFXOptions: SFXAskCmdLine 0x01, SFXAskFiles 0x02, SFXAutoRun 0x04,
//                       SFXHideOverWriteBox 0x08, SFXCheckSize 0x10, SFXNoSuccessMsg 0x20
//   offset 7   1 byte   SFXOverWriteMode: 0 confirm, 1 always, 2 never
//   offset 8            SFXCaption, SFXDefaultDir, SFXCommandLine and SFXMessage, each as one
//                       length byte followed by that many CP949 bytes
// The archive's first entry follows the block.
QByteArray SfxSettingsBlock(const QStringList &texts, SFXOpts options, OvrOpts overwriteMode);

// The most CP949 bytes one text of the block holds.
inline constexpr int SfxTextCapacity = 255;

} // namespace vek
