#pragma once
// Recording doubles of the project's windows and prompts: every call is appended to a log as
// one bracketed line, and the prompts answer from queues the test fills.
#include "app/ProjectWindows.h"

#include <deque>
#include <string>

class RecordingPrompts : public IProjectPrompts {
public:
    void ShowMessage(const CString& text) override { Log("message", text); }
    int AskQuestion(const CString& text) override
    {
        Log("question", text);
        return Next();
    }
    int ConfirmDelete(const CString& name, BOOL& bDontAsk) override
    {
        Log("delete?", name);
        bDontAsk = bTickDontAsk;
        return Next();
    }
    int ConfirmOverwrite(const CString& name, BOOL& bDontAsk) override
    {
        Log("overwrite?", name);
        bDontAsk = bTickDontAsk;
        return Next();
    }

    int CountOf(const std::string& tag) const
    {
        int n = 0;
        for (std::size_t at = log.find(tag); at != std::string::npos; at = log.find(tag, at + 1))
            ++n;
        return n;
    }

    std::deque<int> answers; // 6 Yes, 7 No; Yes when empty
    BOOL bTickDontAsk = FALSE;
    std::string log;

private:
    void Log(const char* what, const CString& text)
    {
        log += std::string("[") + what + "] " + text.GetString() + "\n";
    }
    int Next()
    {
        if (answers.empty())
            return 6;
        const int answer = answers.front();
        answers.pop_front();
        return answer;
    }
};
