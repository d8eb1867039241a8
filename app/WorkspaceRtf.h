#pragma once
#include "app/WorkspaceSettings.h"

#include <functional>
#include <string>

// Text as the workspace shows it once typed from the start of an empty line, as rich text to
// put in its place: each line in the colours TypedLineColours gives it and kindOfWord decides,
// "\n" ending a line, tabs kept, other control characters dropped (typing inserts none) and
// other bytes read in the code page. Font and effects are left to where it goes.
std::string TypedTextRtf(const CString& text, const std::function<int(const CString&)>& kindOfWord,
                         const WorkspaceSettings& settings, unsigned codePage);
