#pragma once

#include <QByteArray>
#include <QString>

namespace ryv {

// Creates the folder of fileName with all its parents, as exports and
// reports may be written anywhere. False with the system's error text (not
// a folder, no permission ...) when it cannot be made.
bool EnsureFolderOf(const QString& fileName, QString* errorText);

// Writes a finished export or report to fileName. A regular file or a new
// name (its folder made first) is replaced in one step once the bytes are
// on the disk (WriteBinaryFile), so a failure leaves an older file as it
// was. A character device (/dev/null, a terminal) or a FIFO is written into
// as it stands (WriteIntoFile): renaming a file over it would put a regular
// file in its place, over the system's /dev/null for a job run as root. Any
// other kind of file (a folder, a socket, a block device) is refused. False
// with the system's error text, or ours for a refused kind.
bool WriteOutputFile(const QByteArray& bytes, const QString& fileName, QString* errorText);

} // namespace ryv
