#pragma once
#include "framework/core/CString.h"

// What a link tells the user when the shell could not open its address: "Unable to open
// hyperlink:" and the reason for the shell's result (32 or less; larger results are success).
CString LinkOpenErrorMessage(INT_PTR result);

// The command line that opens address with the program registered for web pages, made from
// that program's "open" command: the command is cut before its "%1" placeholder (quoted or
// not) and the address follows as one quoted argument. FALSE when the address holds a quote or
// a control character, which could break out of its argument.
BOOL MakeBrowserCommand(const CString& openCommand, const CString& address, CString& command);
