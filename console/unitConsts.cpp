#include "unitConsts.h"

#include "components/Dialogs.h"

std::string ConstText(TConstId id) { return LoadResString(id, ""); }
