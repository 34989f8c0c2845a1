// The kinds of control skin that are not built yet: the dispatch gets none, and those controls
// keep their own looks.
#include "SkinControlFactory.h"

TSkinControl* NewSkinTrackBar(TComponent*) { return nullptr; }
TSkinControl* NewSkinUpDown(TComponent*) { return nullptr; }
TSkinControl* NewSkinProgress(TComponent*) { return nullptr; }
TSkinControl* NewSkinEdit(TComponent*) { return nullptr; }
TSkinControl* NewSkinComBox(TComponent*) { return nullptr; }
TSkinControl* NewSkinDateTime(TComponent*) { return nullptr; }
TSkinControl* NewSkinMP(TComponent*) { return nullptr; }

