#pragma once
// Resource ids of the program, one header per area. Commands are shared by menus, tool bars and
// message maps. Ids of 0xE000 and above that the framework also knows are spelled IDM_ and IDS_
// here (the framework's own names are C++ constants); app/ResourceIdCheck.cpp holds them equal.

#include "AnalysisIds.h"
#include "AppIds.h"
#include "GridIds.h"
#include "PlotIds.h"
#include "UiIds.h"
