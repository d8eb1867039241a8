#include "analysis/FitDialogRules.h"

#include "analysis/MatrixObject.h"
#include "analysis/NonlinearFit.h"
#include "engine/EngineErrors.h"
#include "engine/FunctionCatalogue.h"
#include "engine/NumberText.h"

const char kSelectTwoListsText[] = "Please select two different lists to compare.";

DialogVerdict CheckModelEquation(const CString& equation, UINT nControl)
{
    CString trimmed = equation;
    trimmed.Trim();
    if (trimmed.IsEmpty())
        return {"Please enter an equation.", nControl};
    if (const int code = CNonlinearFit::CheckModel(trimmed))
        return {GetErrorText(code), nControl};
    return {};
}

namespace {

double ReadBound(const CString& text)
{
    CString trimmed = text;
    trimmed.Trim();
    double value = 0;
    return numtext::ScanDecimal(trimmed.GetString(), '.', value) ? value : 0.0;
}

} // namespace

BOOL ReadModelPreview(const CString& preview, CString& expression, double& xMin, double& xMax)
{
    // Split as the arguments of a call, so a bar inside brackets stays in the expression.
    CString name;
    CStringArray parts;
    if (preview.IsEmpty() || !SplitFunctionCall("sin(" + preview + ")", name, parts, '|') ||
        parts.GetSize() != 3)
        return FALSE;
    expression = parts[0];
    xMin = ReadBound(parts[1]);
    xMax = ReadBound(parts[2]);
    return TRUE;
}

CString RenameRefusedText(BOOL bCategory, const CString& name)
{
    return CString(bCategory ? "Category " : "Equation ") + name +
           " already exists.  Please provide a different name.";
}

int ReadIterationLimit(const CString& text, int current)
{
    CString trimmed = text;
    trimmed.Trim();
    int value = 0;
    if (numtext::ScanInteger(trimmed.GetString(), 10, value) && value >= 1 &&
        value <= CNonlinearFit::kMaxIterationLimit)
        return value;
    return current;
}

CString MatrixOperationName(int operation, const CString& first, const CString& second)
{
    static const char* const kFormats[] = {"Sum of %s and %s", "Difference of %s and %s",
                                           "Product of %s and %s"};
    if (operation < MatrixAdd || operation > MatrixMultiply)
        return CString();
    CString name;
    name.Format(kFormats[operation], first.GetString(), second.GetString());
    return name;
}

DialogVerdict CheckMatrixOperation(const CString& name, int operation, int rows1, int columns1,
                                   int rows2, int columns2, UINT nNameControl)
{
    CString trimmed = name;
    trimmed.Trim();
    if (trimmed.IsEmpty())
        return {"Please enter a name for the result matrix.", nNameControl};
    if (operation == MatrixMultiply) {
        if (columns1 != rows2)
            return {"The number of columns in the first matrix must be the same as the number of "
                    "rows in the second matrix for this operation.",
                    0};
    } else if (rows1 != rows2 || columns1 != columns2) {
        return {"The matrices must be of the same dimensions for this operation.", 0};
    }
    return {};
}
