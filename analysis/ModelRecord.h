#pragma once
#include "framework/core/CString.h"

// One regression model: the category that holds it, its name, the formula in the engine's
// language (parameters are its unknown names, x the variable), a description and an optional
// preview "expression|xmin|xmax".
struct ModelRecord {
    CString strCategory;
    CString strName;
    CString strFormula;
    CString strDescription;
    CString strPreview;
};
