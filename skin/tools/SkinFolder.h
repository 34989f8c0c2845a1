#pragma once
// A skin as it is kept as source: a folder of bitmaps (".bmp") and one description (".ini").
// Other files (the drawing script, notes) are not part of the skin.
#include <stdexcept>
#include <string>
#include <vector>

#include "SkinPackage.h"

class ESkinFolderError : public std::runtime_error {
    using std::runtime_error::runtime_error;
};

// The description first, then the bitmaps by name. Throws ESkinFolderError when the folder cannot
// be read, holds no description or more than one, a bitmap that is no Windows bitmap file, a name
// that a package cannot hold, or more entries than a package takes.
std::vector<TSkinEntry> ReadSkinFolder(const std::string& folder);
