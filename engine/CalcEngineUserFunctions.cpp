// Defining and replacing user functions: needs CUserFunction::Define.
#include "engine/CalcEngine.h"

#include "engine/UserFunction.h"

#include <memory>

namespace {

// A user function built from "name(parameters) = body"; code receives Define's verdict.
std::unique_ptr<CUserFunction> BuildUserFunction(const CString& definition, int& code)
{
    auto function = std::make_unique<CUserFunction>();
    function->m_strDefinition = definition;
    function->SetHead(definition);
    code = function->Define();
    return function;
}

} // namespace

int CCalcEngine::DefineUserFunction(const CString& definition, bool allowOverwrite)
{
    int code = 0;
    auto function = BuildUserFunction(definition, code);
    if (code)
        return code;
    int found = FindUserFunction(function->GetName());
    if (found >= 0 && !allowOverwrite)
        return ErrNameExists;
    code = CheckUserFunctionName(function->GetName());
    if (code)
        return code;
    auto& list = GetUserFunctions();
    if (found >= 0) {
        delete list[std::size_t(found)];
        list[std::size_t(found)] = function.release();
    } else {
        list.push_back(function.release());
    }
    return 0;
}

int CCalcEngine::ReplaceUserFunction(int i, const CString& definition)
{
    auto& list = GetUserFunctions();
    if (i < 0 || i >= int(list.size()))
        return ErrInvalidName;
    int code = 0;
    auto function = BuildUserFunction(definition, code);
    if (code)
        return code;
    int found = FindUserFunction(function->GetName());
    if (found >= 0 && found != i)
        return ErrNameExists;
    delete list[std::size_t(i)];
    list[std::size_t(i)] = function.release();
    return 0;
}
