#pragma once
// The checks and texts of the model, initial-values, two-list and matrix-operation dialogs,
// without a window.
#include "analysis/DataDialogRules.h"

// The model dialog's check of a user model's equation: it must not be empty and must make a
// fit model (the engine's text of its refusal otherwise).
DialogVerdict CheckModelEquation(const CString& equation, UINT nControl);

// A pre-defined model's preview "expression|xmin|xmax": TRUE with its three parts when it has
// exactly three (a bound that is no number reads as 0).
BOOL ReadModelPreview(const CString& preview, CString& expression, double& xMin, double& xMax);

// What the model dialog says when a rename is refused because the name is taken.
CString RenameRefusedText(BOOL bCategory, const CString& name);

// The rows of the initial-values dialog; a fit of more parameters shows none of them.
constexpr int kInitialValueRows = 20;
// The iteration limit the dialog's text gives: a whole number from 1 to 10000, else the
// current limit.
int ReadIterationLimit(const CString& text, int current);

// The matrix-operations dialog: the name its result takes, "Sum of A and B" ...
CString MatrixOperationName(int operation, const CString& first, const CString& second);
// Execute: a result name, and shapes that fit the operation (rows x columns of each matrix).
DialogVerdict CheckMatrixOperation(const CString& name, int operation, int rows1, int columns1,
                                   int rows2, int columns2, UINT nNameControl);

// The two-list dialog's refusal of one list compared with itself.
extern const char kSelectTwoListsText[];
