#pragma once
#include "analysis/ModelRecord.h"
#include "framework/core/CString.h"

#include <vector>

// The built-in regression models in library order: the classic equations, the polynomials of
// order 1 to 18, the bacterial growth models.
const std::vector<ModelRecord>& BuiltinModels();

// The formula of the polynomial of an order: a+b*x+c*x^2+... Coefficient letters skip e (the
// engine's constant) and t (a reserved name).
CString PolynomialFormula(int order);
