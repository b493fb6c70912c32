#include "scripted_host.h"

#include <gtest/gtest.h>

void ScriptedHost::PumpOneMessage() {
    ++pumps;
    if (onPump) onPump(pumps);
}

void ScriptedHost::AddLogRow(const wchar_t* operation, const wchar_t* first, const wchar_t* second) {
    events.push_back(std::wstring(operation) + L"|" + first + L"|" + second);
}

int ScriptedHost::AskPrompt(const Prompt& prompt) {
    static const wchar_t* kinds[] = {L"Replace", L"FileDelete", L"FolderDelete"};
    events.push_back(std::wstring(L"prompt:") + kinds[static_cast<int>(prompt.kind)] + L"|" + prompt.message);
    prompts.push_back(prompt);
    if (answers.empty()) {
        ADD_FAILURE() << "unexpected prompt";
        return 2;
    }
    int answer = answers.front();
    answers.pop_front();
    return answer;
}

void ScriptedHost::ShowFolderNotice(const wchar_t* text) { events.push_back(std::wstring(L"notice:") + text); }

int ScriptedHost::AskCreateDestination(const wchar_t* text) {
    events.push_back(std::wstring(L"create:") + text);
    return createAnswer;
}

void ScriptedHost::ShowError(const wchar_t* text) { events.push_back(std::wstring(L"error:") + text); }

std::vector<std::wstring> ScriptedHost::Only(const std::wstring& kind) const {
    std::vector<std::wstring> out;
    for (const auto& e : events) {
        if (e.compare(0, kind.size(), kind) == 0 && e.size() > kind.size() && (e[kind.size()] == L'|' || e[kind.size()] == L':'))
            out.push_back(e);
        else if (e == kind)
            out.push_back(e);
    }
    return out;
}

std::vector<std::wstring> ScriptedHost::Rows() const {
    std::vector<std::wstring> out;
    for (const auto& e : events) {
        if (e.rfind(L"copy|", 0) == 0 || e.rfind(L"del|", 0) == 0 || e.rfind(L"rmdir|", 0) == 0) out.push_back(e);
    }
    return out;
}
