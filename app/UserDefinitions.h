#pragma once
#include "analysis/ModelLibrary.h"
#include "app/UserDataRecords.h"
#include "framework/core/CString.h"

#include <memory>
#include <vector>

class CArchive;
class CSolverModel;
struct DocumentSettings;

// What reading or writing the file has to tell the user, shown by the caller once other
// windows may take their turn with the file again.
using UserDataNotices = std::vector<CString>;

// The user's own definitions that every project shares, and the user-data file that keeps them
// from one run to the next: the engine's user functions, constants and conversions (program-wide
// tables), the solver models and the user's regression models. Read once at start-up; at the
// end of the run only what the run changed is laid onto what the file holds by then, so that
// several windows of the program can each keep their own definitions.
class UserDefinitions {
public:
    UserDefinitions();
    ~UserDefinitions();
    UserDefinitions(const UserDefinitions&) = delete;
    UserDefinitions& operator=(const UserDefinitions&) = delete;

    void SetPath(const CString& path) { m_strPath = path; }
    const CString& GetPath() const { return m_strPath; }

    // Functions, constants, conversions, solver models, regression models, in the archive's
    // direction. Loading throws the archive error for damaged bytes (what was read of the
    // engine's tables by then stays; Read undoes it).
    void Serialize(CArchive& ar);
    // Count and each model; loaded models whose equation no longer sets are kept aside and
    // written back after the others, unchanged.
    void SerializeSolverModels(CArchive& ar);

    // Reads the file when there is one. A damaged file loads nothing, is renamed to the first
    // free "<name>.bad", "<name>.bad2", ... and reported; when it cannot be renamed, nothing is
    // written at the end of the run. Definitions that no longer load are reported once.
    UserDataNotices Read();
    // Reads the file again, puts in place the definitions the run added or changed and takes
    // out those it removed, and writes the file atomically, making its folder when missing; a
    // file gone in the meantime counts as what the run started from. A run that changed
    // nothing leaves the file alone. A failure is reported with the path, its cause and what
    // was not saved, and the old file stays.
    UserDataNotices Write();
    BOOL WillWrite() const { return m_bWrite; }
    // Deletes the solver models and the user's regression models and empties the engine's
    // user tables.
    void Clear();

    int GetSolverModelCount() const { return int(m_solverModels.size()); }
    CSolverModel* GetSolverModel(int i) const { return m_solverModels[std::size_t(i)].get(); }
    // Index of the model whose equation text equals the text (no case), -1 when none.
    int FindSolverModel(const CString& equation) const;
    // 28 for an empty equation, 22 when a model has it, else the code of setting it; a new
    // model takes the settings' interval, steps (1..10000) and decimals (0..16, else 2).
    int AddSolverModel(const CString& equation, const CString& label,
                       const DocumentSettings& settings);
    void DeleteSolverModel(int i);
    int GetKeptSolverModelCount() const { return int(m_keptSolverModels.size()); }

    CModelLibrary& GetUserModels() { return m_userModels; }

private:
    void Load(UserDataNotices& notices);
    // The run's definitions in their stored form.
    UserDataRecords StoredNow();
    // What the file holds now; a missing file, or a damaged one (set aside), gives what the
    // run started from. FALSE, with the reason, when the file cannot be read.
    BOOL ReadStoredFile(UserDataRecords& records, CString& reason, UserDataNotices& notices);
    // Renames a damaged file to the first free "<name>.bad", "<name>.bad2", ...; FALSE when it
    // cannot be renamed.
    BOOL SetAside(CString& bad) const;
    CString DescribeUnloaded() const;

    CString m_strPath;
    BOOL m_bWrite = TRUE;
    std::vector<std::unique_ptr<CSolverModel>> m_solverModels;
    std::vector<std::unique_ptr<CSolverModel>> m_keptSolverModels;
    CModelLibrary m_userModels;
    UserDataRecords m_Started; // what the run started from
};

// Where the user-data file lives unless a caller sets another path.
extern const char kDefaultUserDataPath[];
// The name of the lock that windows of the program take turns with on the file at the path.
CString UserDataLockName(const CString& path);
