#pragma once
#include "framework/win/CGdiObject.h"

// The fonts the system uses for its own parts, read from the non-client metrics each time
// (they change with the user's settings).
enum class SystemFont { Menu, Message };

// Creates font as that system font (deleting what it held); FALSE when it cannot.
BOOL CreateSystemFont(CFont& font, SystemFont which);
