#pragma once
#include "engine/CalcEngine.h"

#include <vector>

class CArchive;

// An equation lhs = rhs (or an expression taken as equal to 0) in one or more free names, solved
// for one of them over an interval. Its own engine: the equation's free names are its variables,
// each with a stored value; x, y, z, t and user functions are not recognised.
class CSolverModel : public CCalcEngine {
public:
    CSolverModel();
    ~CSolverModel() override = default;

    // Sets the equation; 0, or 28 for an empty text, an empty side or no free name, or the parse
    // code. Built aside and taken over only on success, so a failed edit changes nothing;
    // variables whose names remain keep their values.
    int SetEquation(const CString& text);
    // Appends the zeros of the equation in variable i over [minimum, maximum] to roots, the other
    // variables at their values; every variable keeps its value. 0, 36 when there are none, 35
    // when the command's time ran out (roots holding those found), 13 for an empty interval, 30
    // for a variable that does not exist, or a parse or evaluation code.
    int Solve(int i, std::vector<double>& roots);
    // The stored form: flag, note, equation, label, minimum, maximum, value, solver decimals and
    // the variables section. Reading leaves the expression to the caller's SetEquation.
    void Serialize(CArchive& ar) override;

    CString m_strNote;
    CString m_strLabel;
    CString m_strEquation;
    double m_dMinimum = -1e300;
    double m_dMaximum = 1e300;
    double m_dValue = 0;
};
