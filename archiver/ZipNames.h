#pragma once

#include "archiver/ZipDirEntry.h"

#include <QByteArray>
#include <QString>

namespace vek {

// Entry names and comments. The Korean system's OEM and ANSI code pages are both CP949,
// so the single-byte conversion between them changes nothing whatever CodePage says:
// stored bytes are CP949 text, unless the entry says they are UTF-8 (flag bit 11) or a
// Unix host wrote them and they read as UTF-8, as Linux tools store names. Names going to
// an archive are CP949 bytes (ToCp949).
QString ZipNameText(const QByteArray &bytes, const ZipDirHeader &header);
// The archive's comment, which says nothing of its host: UTF-8 when it reads as UTF-8,
// else CP949, as the zip engine reads it.
QString ArchiveCommentText(const QByteArray &bytes);

} // namespace vek
