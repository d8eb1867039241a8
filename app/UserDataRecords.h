#pragma once
#include "framework/core/CString.h"

#include <vector>

class CArchive;

// The user-data file's sections as records under their names, so that what one run changed can
// be laid onto what the file holds when the run ends, and what other runs of the program wrote
// there in the meantime stays. Each record keeps its stored form in the current decimal
// convention.
enum UserDataSection : int {
    UserFunctionRecords,
    UserConstantRecords,
    UserUnitRecords,
    SolverModelRecords,
    ModelCategoryRecords,
    RegressionModelRecords,
    UserDataSectionCount
};

struct UserDataRecord {
    // The name without regard to case, unique within its section; empty for a record without a
    // name (a constant without a symbol, a conversion that lacks its name or its base).
    CString strKey;
    CString strLabel;    // the name as a message shows it
    CString strCategory; // a regression model: the name of the category that holds it
    std::vector<BYTE> bytes;
    unsigned nIdentity = 0; // which record of the run's engine tables this is; 0 for none
};

struct UserDataRecords {
    // The file's five sections; damaged bytes throw the archive exception.
    void Load(CArchive& ar);
    // The sections again; a regression model whose category has gone brings the category back.
    void Store(CArchive& ar) const;

    std::vector<UserDataRecord> sections[UserDataSectionCount];
};

// What a run did to one record: put it in place (added or changed), or took it out. A record
// the run started with is found again in the file by its key, or without a name by its bytes
// and the number of such records before it, so that other runs' changes never move it.
struct UserDataChange {
    int nSection = 0;
    bool bRemoved = false;
    UserDataRecord record;  // a removal keeps only the key and the label
    bool bReplaces = false; // the run started with the record: an edit or a removal
    UserDataRecord was;     // the record as the run started with it
    int nAlikeBefore = 0;   // records without a name and with its bytes before it then
};
using UserDataChanges = std::vector<UserDataChange>;

// What turned before into after: each record of after is the one of before with its identity,
// else with its key, else (without either) with its bytes, else a new one.
UserDataChanges FindUserDataChanges(const UserDataRecords& before, const UserDataRecords& after);
// A changed record keeps its place (goes last when another run took it out), an added one goes
// last, a removed one goes; a record put under a name that another run gave a record takes
// that record's place. The records of other names stay as they are.
void ApplyUserDataChanges(UserDataRecords& records, const UserDataChanges& changes);
// One line per change: "user function hb", "removal of constant k", ...
CString DescribeUserDataChanges(const UserDataChanges& changes);
