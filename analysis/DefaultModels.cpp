#include "analysis/DefaultModels.h"

namespace {

struct FixedModel {
    const char* category;
    const char* name;
    const char* formula;
    const char* description;
    const char* preview;
};

constexpr const char* kClassic = "Classic equations";
constexpr const char* kPolynomial = "Polynomial Equations";
constexpr const char* kGrowth = "Bacterial Growth";

constexpr const char* kBinding =
    "This describes the binding of a ligand to a receptor that follows the law of mass action. "
    "Bmax is the maximal binding, and Kd is the concentration of ligand required to reach "
    "half-maximal binding.";
constexpr const char* kSigmoid = "X is the logarithm of concentration. Y is the response Y "
                                 "starts at Bottom and goes to Top with a sigmoid shape.";
constexpr const char* kVariableSlope =
    "X is the logarithm of concentration. Y is the response Y starts at Bottom and goes to Top "
    "with a sigmoid shape. This is identical the the four parameter logistic equation";
constexpr const char* kCompetition =
    "Competition of radioligand binding to single binding site identified with a radiolabelled "
    "ligand. Enter data with X=log(Concentration) and Y=binding.";

// clang-format off
constexpr FixedModel kClassicModels[] = {
    {kClassic, "Exponential curve", "a*exp(b*x)", "Exponential equation", "exp(x)|0|10"},
    {kClassic, "Logarithmic curve", "a*ln(b*x)", "Logarithmic equation", "ln(x)|0|4"},
    {kClassic, "Power curve", "a*x^b", "Power equation", "x^2|-10|10"},
    {kClassic, "Quadratic", "a+b*x+c*x^2", "Quadratic equation", "x^2|-10|10"},
    {kClassic, "Cubic", "a+b*x+c*x^2+d*x^3", "Cubic equation", "x^3-x^2+x|-4|4"},
    {kClassic, "Power series", "a*x^b+c*x^d", "Power series", "1*x^2-3*x^1.5|-3|3"},
    {kClassic, "Sine wave", "BaseLine + Amplitude*sin(Frequency*X+PhaseShift)", "Sine wave", "sin(X)|-6.3|6.3"},
    {kClassic, "Logistic regression", "a/(1+b*exp(c*x))+d", "Logistic regression", "1/(1+exp(x))|0|10"},
    {kClassic, "Gaussian distribution", "(AREA/(SD*(2*pi)^0.5))*exp(-0.5*((X-Mean)/SD)^2)", "Gaussian distribution", "(10/(3*(2*pi)^0.5))*exp(-0.5*((X-0)/3)^2)|-10|10"},
    {kClassic, "One site binding", "Bmax*X/(Kd+X)", kBinding, "10*x/(5+x)|0|20"},
    {kClassic, "Two site binding (hyperbola)", "Bmax1*X/(Kd1+X) + Bmax2*X/(Kd2+X)", kBinding, ""},
    {kClassic, "Sigmoidal dose-response", "Bottom + (Top-Bottom)/(1+10^((LogEC50-X)))", kSigmoid, "0+(10-0)/(1+10^((5-x)))|3|6"},
    {kClassic, "Sigmoidal dose-response (variable slope)", "Bottom + (Top-Bottom)/(1+10^((LogEC50-X)*HillSlope))", kVariableSlope, ""},
    {kClassic, "One site competition", "Bottom + (Top-Bottom)/(1+10^(X-LogEC50))", kCompetition, ""},
};

// Gompertz is written without a leading "Y=": the response is the model itself, and Y would be
// taken for a parameter of the fit.
constexpr FixedModel kGrowthModels[] = {
    {kGrowth, "Dval with shoulder", "LOG(10^N0*(2/(1+10^((X-Lag)/Dvalue))))", "For fitting first-order thermal inactivation data with a lag prior to inactivation", ""},
    {kGrowth, "Gompertz", "N0+C*exp(-exp((2.718*mue/C)*(Lag-X)+1))", "For fitting bacterial growth data (sigmoidal)", ""},
};
// clang-format on

constexpr int kMaxPolynomialOrder = 18;
constexpr char kCoefficientLetters[] = "abcdfghijklmnopqrsu";
static_assert(sizeof kCoefficientLetters - 1 == kMaxPolynomialOrder + 1);

ModelRecord ToRecord(const FixedModel& model)
{
    return {model.category, model.name, model.formula, model.description, model.preview};
}

CString PolynomialName(int order)
{
    static constexpr const char* kSuffixes[] = {"", " (line)", " (quadratic)", " (cubic)"};
    const char* ordinal = order == 1 ? "st" : order == 2 ? "nd" : order == 3 ? "rd" : "th";
    CString name;
    name.Format("%d%s order polynomial%s", order, ordinal, order <= 3 ? kSuffixes[order] : "");
    return name;
}

} // namespace

CString PolynomialFormula(int order)
{
    CString formula = "a+b*x";
    for (int power = 2; power <= order && power <= kMaxPolynomialOrder; ++power)
        formula.AppendFormat("+%c*x^%d", kCoefficientLetters[power], power);
    return formula;
}

const std::vector<ModelRecord>& BuiltinModels()
{
    static const std::vector<ModelRecord> models = [] {
        std::vector<ModelRecord> list;
        for (const FixedModel& model : kClassicModels)
            list.push_back(ToRecord(model));
        for (int order = 1; order <= kMaxPolynomialOrder; ++order)
            list.push_back({kPolynomial, PolynomialName(order), PolynomialFormula(order), "", ""});
        for (const FixedModel& model : kGrowthModels)
            list.push_back(ToRecord(model));
        return list;
    }();
    return models;
}
