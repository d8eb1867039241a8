#include "app/UserDefinitions.h"

#include "app/DocumentSettings.h"
#include "engine/CalcEngine.h"
#include "engine/EngineNames.h"
#include "engine/EngineTablesArchive.h"
#include "engine/SolverModel.h"
#include "engine/UnitRegistry.h"
#include "framework/core/AsciiText.h"
#include "framework/core/AtomicFile.h"
#include "framework/core/CArchive.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <sys/stat.h>

const char kDefaultUserDataPath[] = "c:\\1temp\\users.dat";

namespace {

// The stored form of a solver model takes at least its flag, three texts, three doubles, the
// decimals and the variables section's flag and count.
constexpr ULONGLONG kSolverModelBytes = 4 + 3 + 24 + 4 + 8;
constexpr int kMaxSolverSteps = 10000;
constexpr int kMaxSolverDecimals = 16;
constexpr int kFallbackSolverDecimals = 2;

bool FileExists(const char* path)
{
    struct stat st {};
    return ::stat(path, &st) == 0;
}

// The text of a failure, naming the path rather than whatever the exception named.
CString DescribeFailure(const CException& e, const CString& path)
{
    if (auto* pArchive = dynamic_cast<const CArchiveException*>(&e))
        return CArchiveException(pArchive->m_cause, path).GetErrorMessage();
    if (auto* pFile = dynamic_cast<const CFileException*>(&e))
        return CFileException(pFile->m_cause, pFile->m_lOsError, path).GetErrorMessage();
    return e.GetErrorMessage();
}

void ClearEngineUserTables()
{
    while (GetUserFunctionCount() > 0)
        DeleteUserFunction(GetUserFunctionCount() - 1);
    ClearUnloadedUserFunctions();
    GetUserConstants().clear();
    TruncateUnitRegistry();
}

} // namespace

CString UserDataLockName(const CString& path)
{
    CString name = "Zivra.UserData." + path;
    name.Replace('\\', '/'); // a backslash would name a namespace
    return name;
}

UserDefinitions::UserDefinitions() : m_strPath(kDefaultUserDataPath) {}

UserDefinitions::~UserDefinitions() = default;

void UserDefinitions::Serialize(CArchive& ar)
{
    CCalcEngine::SerializeUserFunctions(ar);
    CCalcEngine::SerializeUserConstants(ar);
    CCalcEngine::SerializeUserUnits(ar);
    SerializeSolverModels(ar);
    m_userModels.Serialize(ar);
}

void UserDefinitions::SerializeSolverModels(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << std::int32_t(m_solverModels.size() + m_keptSolverModels.size());
        for (auto& model : m_solverModels)
            model->Serialize(ar);
        for (auto& model : m_keptSolverModels)
            model->Serialize(ar);
        return;
    }
    const int count = ar.ReadCollectionCount(kSolverModelBytes);
    std::vector<std::unique_ptr<CSolverModel>> loaded, kept;
    for (int i = 0; i < count; ++i) {
        auto model = std::make_unique<CSolverModel>();
        model->Serialize(ar);
        if (model->SetEquation(model->m_strEquation) == 0)
            loaded.push_back(std::move(model));
        else
            kept.push_back(std::move(model));
    }
    m_solverModels.swap(loaded);
    m_keptSolverModels.swap(kept);
}

UserDataNotices UserDefinitions::Read()
{
    UserDataNotices notices;
    Load(notices);
    m_Started = StoredNow();
    return notices;
}

void UserDefinitions::Load(UserDataNotices& notices)
{
    CFile file;
    CFileException error;
    if (!file.Open(m_strPath, CFile::modeRead | CFile::shareDenyWrite, &error)) {
        if (!FileExists(m_strPath))
            return; // no file yet: the run starts without user definitions
        // A file that is there but cannot be read must not be overwritten at the end.
        m_bWrite = FALSE;
        notices.push_back(
            "Your user definitions could not be read: " + DescribeFailure(error, m_strPath) +
            "\n\nDefinitions made in this session will not be saved.");
        return;
    }
    try {
        CArchive ar(&file, CArchive::load, 4096);
        Serialize(ar);
        ar.Close();
        file.Close();
    } catch (const CException& e) {
        file.Abort();
        Clear();
        const CString cause = DescribeFailure(e, m_strPath);
        CString bad, text;
        if (SetAside(bad)) {
            text.Format("Your user definitions could not be read: %s\n\nThe damaged file was "
                        "kept as %s.",
                        cause.GetString(), bad.GetString());
        } else {
            m_bWrite = FALSE;
            text.Format("Your user definitions could not be read: %s\n\nThe file was left as "
                        "it is, and definitions made in this session will not be saved.",
                        cause.GetString());
        }
        notices.push_back(text);
        return;
    }
    const CString unloaded = DescribeUnloaded();
    if (!unloaded.IsEmpty())
        notices.push_back("These definitions in " + m_strPath +
                          " no longer load; they are kept unchanged in the file:\n" + unloaded);
}

CString UserDefinitions::DescribeUnloaded() const
{
    CString text;
    for (const UnloadedUserFunction& function : GetUnloadedUserFunctions())
        text += "\n" + DescribeUnloadedUserFunction(function);
    for (const auto& model : m_keptSolverModels)
        text += "\nSolver model " + model->m_strEquation;
    return text;
}

BOOL UserDefinitions::SetAside(CString& bad) const
{
    bad = m_strPath + ".bad";
    for (int n = 2; FileExists(bad); ++n)
        bad.Format("%s.bad%d", m_strPath.GetString(), n);
    try {
        CFile::Rename(m_strPath, bad);
        return TRUE;
    } catch (const CFileException&) {
        return FALSE;
    }
}

UserDataRecords UserDefinitions::StoredNow()
{
    CMemFile file;
    CArchive out(&file, CArchive::store);
    Serialize(out);
    out.Close();
    file.Seek(0, CFile::begin);
    CArchive in(&file, CArchive::load);
    UserDataRecords records;
    records.Load(in);
    // The sections hold the engine's tables in their order, one record per entry.
    std::vector<UserDataRecord>& constants = records.sections[UserConstantRecords];
    for (std::size_t i = 0; i < constants.size() && i < GetUserConstants().size(); ++i)
        constants[i].nIdentity = GetUserConstants()[i].nIdentity;
    std::vector<UserDataRecord>& units = records.sections[UserUnitRecords];
    for (std::size_t i = 0; i < units.size(); ++i)
        units[i].nIdentity = GetUserUnit(int(i)).nIdentity;
    return records;
}

BOOL UserDefinitions::ReadStoredFile(UserDataRecords& records, CString& reason,
                                     UserDataNotices& notices)
{
    CFile file;
    CFileException error;
    if (!file.Open(m_strPath, CFile::modeRead | CFile::shareDenyWrite, &error)) {
        // A file deleted during the run takes nothing the run started with along.
        records = m_Started;
        reason = DescribeFailure(error, m_strPath);
        return !FileExists(m_strPath);
    }
    try {
        CArchive ar(&file, CArchive::load, 4096);
        records.Load(ar);
        ar.Close();
        file.Close();
        return TRUE;
    } catch (const CException& e) {
        file.Abort();
        reason = DescribeFailure(e, m_strPath);
    }
    CString bad;
    if (!SetAside(bad))
        return FALSE;
    notices.push_back("Your user definitions could not be read again before saving: " + reason +
                      "\n\nThe damaged file was kept as " + bad + ".");
    records = m_Started;
    return TRUE;
}

UserDataNotices UserDefinitions::Write()
{
    UserDataNotices notices;
    if (!m_bWrite)
        return notices;
    UserDataRecords now = StoredNow();
    const UserDataChanges changes = FindUserDataChanges(m_Started, now);
    if (changes.empty())
        return notices;
    UserDataRecords records;
    CString reason;
    if (ReadStoredFile(records, reason, notices)) {
        ApplyUserDataChanges(records, changes);
        try {
            ReplaceFileAtomically(
                m_strPath,
                [&records](CFile& file) {
                    CArchive ar(&file, CArchive::store, 4096);
                    records.Store(ar);
                    ar.Close();
                },
                TRUE);
            m_Started = std::move(now);
            return notices;
        } catch (const CException& e) {
            reason = DescribeFailure(e, m_strPath);
        }
    }
    notices.push_back("Your user definitions could not be saved: " + reason + "\n\nNot saved:\n" +
                      DescribeUserDataChanges(changes));
    return notices;
}

void UserDefinitions::Clear()
{
    m_solverModels.clear();
    m_keptSolverModels.clear();
    m_userModels.RemoveAll();
    ClearEngineUserTables();
}

int UserDefinitions::FindSolverModel(const CString& equation) const
{
    for (std::size_t i = 0; i < m_solverModels.size(); ++i)
        if (ascii::EqualNoCase(m_solverModels[i]->m_strEquation, equation))
            return int(i);
    return -1;
}

int UserDefinitions::AddSolverModel(const CString& equation, const CString& label,
                                    const DocumentSettings& settings)
{
    CString text = equation;
    text.Trim();
    if (text.IsEmpty())
        return ErrInvalidEquation;
    if (FindSolverModel(text) >= 0)
        return ErrNameExists;
    auto model = std::make_unique<CSolverModel>();
    if (const int code = model->SetEquation(text))
        return code;
    model->m_strLabel = label;
    if (settings.dSolverMin < settings.dSolverMax) {
        model->m_dMinimum = settings.dSolverMin;
        model->m_dMaximum = settings.dSolverMax;
    }
    model->m_nSolverSteps = std::clamp(settings.nSolverSteps, 1, kMaxSolverSteps);
    int decimals = settings.nSolverDecimals;
    if (decimals < 0 || decimals > kMaxSolverDecimals)
        decimals = kFallbackSolverDecimals;
    model->m_SolverFormat.SetDecimals(decimals);
    m_solverModels.push_back(std::move(model));
    return 0;
}

void UserDefinitions::DeleteSolverModel(int i)
{
    if (i >= 0 && i < GetSolverModelCount())
        m_solverModels.erase(m_solverModels.begin() + i);
}
