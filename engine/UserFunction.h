#pragma once
#include "engine/CalcEngine.h"

// A named formula name(p1, p2, ...) = body: an engine of its own whose expression is the body
// and whose variables are the parameters in order. Program-wide list: GetUserFunctions().
class CUserFunction : public CCalcEngine {
public:
    CUserFunction() { m_bParametersFirst = 1; }
    ~CUserFunction() override = default;

    // Checks the definition field and, on success, rebuilds the function from it.
    int Define();
    // The checks of a definition text; 0 with name, body and parameters, else the code.
    static int SplitDefinition(const CString& text, CString& name, CString& body,
                               CStringArray& params);
    // head = text left of the first "=" (empty without one).
    void SetHead(const CString& text)
    {
        int p = text.Find('=');
        m_strHead = p < 0 ? CString() : text.Left(p);
    }
    void SetName(const CString& text) { m_strName = text; }
    const CString& GetName() const { return m_strName; }
    // Rebuilds head and definition from name, parameters and body; returns the definition.
    CString Describe();
    // Parses the body for a caller's outermost parse of that number: afresh once in each, so
    // that a call reads the constants as they are now; 0 or the parse code.
    int ParseBody(unsigned outermostParse);

    CString m_strDefinition;
    CString m_strDescription;
    CString m_strName;
    CString m_strHead;

private:
    unsigned m_nBodyParse = 0; // the outermost parse that last read the body
};
