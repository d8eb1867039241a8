#pragma once
// The precompiled header of the Windows test programs: the window layer's and the test
// framework's.
#include "framework/win/Precompiled.h"

#include <gtest/gtest.h>
