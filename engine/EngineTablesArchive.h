#pragma once
#include "framework/core/CString.h"

#include <vector>

// A stored user function that no longer defines on load (its body uses a name that has gone, or
// its name is now taken). It is kept with its stored form so that writing the user-data file
// does not lose it, and reported through GetUnloadedUserFunctions.
struct UnloadedUserFunction {
    CString strName;
    CString strBody;
    CString strDescription;
    std::vector<CString> params;
    int nErrorCode = 0;
};

// The stored user functions that the last read of the user-function section could not define,
// in file order.
const std::vector<UnloadedUserFunction>& GetUnloadedUserFunctions();
// The definition text name(params) = body of an unloaded function, for a report to the user.
CString DescribeUnloadedUserFunction(const UnloadedUserFunction& function);
// Forgets the unloaded functions (program-wide clean-up).
void ClearUnloadedUserFunctions();
