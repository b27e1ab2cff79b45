#pragma once
// The F1 key of the windows (common/ui/hilfetaste.h), by the name the
// commands' forms use.

#include "common/ui/hilfetaste.h"

namespace zbefehle {

using zcommon::HilfeTaste_Anmelden;

} // namespace zbefehle
