#include "tools/root-truth/RootTruthCorpus.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

char RoadLetter(TruthRoad road)
{
    return road == TruthRoad::Model ? 'M' : road == TruthRoad::Zeros ? 'Z' : 'F';
}

bool TruthCase::Runs(TruthRoad road) const
{
    return roads.find(RoadLetter(road)) != std::string::npos;
}

std::string TruthCase::Expression() const
{
    const std::size_t equals = equation.find('=');
    if (equals == std::string::npos)
        return equation;
    const auto trim = [](std::string s) {
        s.erase(0, s.find_first_not_of(' '));
        s.erase(s.find_last_not_of(' ') + 1);
        return s;
    };
    return trim(equation.substr(0, equals)) + "-(" + trim(equation.substr(equals + 1)) + ")";
}

namespace {

double Number(const std::string& word) { return word == "-" ? 0.0 : std::stod(word); }

// One line of a case into c; false on a word it does not know.
bool ReadLine(const std::string& line, TruthCase& c)
{
    std::istringstream in(line);
    std::string word;
    in >> word;
    if (word == "equation") {
        std::getline(in >> std::ws, c.equation);
    } else if (word == "interval") {
        in >> c.a >> c.b;
    } else if (word == "roads") {
        in >> c.roads;
    } else if (word == "zero") {
        c.zero = true;
        in >> c.zeroLo >> c.zeroHi;
    } else if (word == "period") {
        std::string p;
        in >> p;
        c.period = std::stold(p);
        while (in >> p)
            c.offsets.push_back(std::stold(p));
    } else if (word == "cut") {
        c.cut = true;
    } else if (word == "root") {
        TruthRoot r;
        std::string value, lo, hi;
        in >> value >> r.noise >> r.mask[0] >> r.mask[1] >> r.mask[2] >> lo >> hi;
        r.value = std::stold(value);
        r.bracketed = lo != "-";
        r.lo = Number(lo);
        r.hi = Number(hi);
        c.roots.push_back(r);
    } else if (word == "bracket") {
        double lo = 0, hi = 0;
        in >> lo >> hi;
        c.brackets.emplace_back(lo, hi);
    } else {
        return false;
    }
    return !in.bad();
}

bool ReadFile(const std::filesystem::path& path, std::vector<TruthCase>& cases, std::string& error)
{
    std::ifstream in(path);
    const std::string cls = path.stem().string();
    std::string line;
    TruthCase* open = nullptr;
    for (int number = 1; std::getline(in, line); ++number) {
        if (line.empty() || line[0] == '#')
            continue;
        bool ok = true;
        try {
            if (line.rfind("case ", 0) == 0) {
                cases.push_back(TruthCase{});
                open = &cases.back();
                open->name = line.substr(5);
                open->cls = cls;
            } else if (line == "end") {
                open = nullptr;
            } else {
                ok = open && ReadLine(line, *open);
            }
        } catch (const std::exception&) {
            ok = false;
        }
        if (!ok) {
            error = path.string() + ":" + std::to_string(number) + ": " + line;
            return false;
        }
    }
    return true;
}

} // namespace

std::vector<TruthCase> ReadTruthCorpus(const std::string& folder, std::string& error)
{
    std::vector<std::filesystem::path> files;
    std::error_code code;
    for (const auto& entry : std::filesystem::directory_iterator(folder, code))
        if (entry.path().extension() == ".txt")
            files.push_back(entry.path());
    if (code || files.empty()) {
        error = folder + ": no corpus there";
        return {};
    }
    std::sort(files.begin(), files.end());
    std::vector<TruthCase> cases;
    for (const auto& file : files)
        if (!ReadFile(file, cases, error))
            return {};
    return cases;
}
