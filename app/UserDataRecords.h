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
    CString strKey;      // the name without regard to case, unique within its section
    CString strLabel;    // the name as a message shows it
    CString strCategory; // a regression model: the name of the category that holds it
    std::vector<BYTE> bytes;
};

struct UserDataRecords {
    // The file's five sections; damaged bytes throw the archive exception.
    void Load(CArchive& ar);
    // The sections again; a regression model whose category has gone brings the category back.
    void Store(CArchive& ar) const;

    std::vector<UserDataRecord> sections[UserDataSectionCount];
};

// What a run did to one name: put a record in place (added or changed), or took it out.
struct UserDataChange {
    int nSection = 0;
    bool bRemoved = false;
    UserDataRecord record; // a removal keeps only the key and the label
};
using UserDataChanges = std::vector<UserDataChange>;

// The records of after that before lacks or holds otherwise, and the names after lacks.
UserDataChanges FindUserDataChanges(const UserDataRecords& before, const UserDataRecords& after);
// A changed record keeps its place, an added one goes last, a removed one goes; the records
// of other names stay as they are.
void ApplyUserDataChanges(UserDataRecords& records, const UserDataChanges& changes);
// One line per change: "user function hb", "removal of constant k", ...
CString DescribeUserDataChanges(const UserDataChanges& changes);
