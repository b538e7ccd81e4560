#pragma once

#include <QString>

namespace ryv {

// Creates the folder of fileName with all its parents, as exports and
// reports may be written anywhere. False with the system's error text (not
// a folder, no permission ...) when it cannot be made.
bool EnsureFolderOf(const QString& fileName, QString* errorText);

} // namespace ryv
