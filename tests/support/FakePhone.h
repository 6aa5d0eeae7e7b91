// A phone that answers from fields, keeps the files written to it, and records every call in
// order.
#pragma once

#include <deque>
#include <map>
#include <string>
#include <vector>

#include "Phone.h"
#include "PhoneStatusView.h"

namespace tonvale::testing {

class FakePhone : public Phone {
  public:
    bool connected = true;
    std::vector<int32_t> freeBytesAnswers{0};  // answered in turn; the last one repeats
    unsigned char seem[7] = {};
    std::map<std::string, int> deleteResults;  // otherwise 0 for a file it holds, else 1
    int fileCountAnswer = 0;
    std::deque<int> createResults;             // answered in turn, then 0
    std::deque<int> writeResults;              // answered in turn, then 0
    std::map<std::string, std::string> files;  // phone path to contents
    int writesBeforeDetach = -1;  // the phone goes away after this many writes; -1: never
    std::vector<std::string> calls;

    void registerConnectionHandler() override { calls.push_back("P2K_Init"); }
    bool isConnected() override {
        calls.push_back("P2K_GetStatus");
        return connected;
    }
    void restart() override {
        calls.push_back("P2K_Restart");
        connected = false;
    }
    int32_t freeBytes() override {
        calls.push_back("File_VolInfo");
        const int32_t answer = freeBytesAnswers.front();
        if (freeBytesAnswers.size() > 1) {
            freeBytesAnswers.erase(freeBytesAnswers.begin());
        }
        return answer;
    }
    void readLabelSeem(unsigned char (&buffer)[7]) override {
        calls.push_back("Seem_Read");
        std::copy(std::begin(seem), std::end(seem), buffer);
    }
    int fileCount() override {
        calls.push_back("File_Count");
        return fileCountAnswer;
    }
    void resetFilePointer() override { calls.push_back("File_SetPointer"); }
    int deleteFile(const std::string& phonePath) override {
        calls.push_back("File_Delete " + phonePath);
        const auto found = deleteResults.find(phonePath);
        if (found != deleteResults.end()) {
            return found->second;
        }
        return files.erase(phonePath) == 1 ? 0 : 1;
    }
    int createFile(const std::string& phonePath) override {
        calls.push_back("File_Create " + phonePath);
        const int result = connected ? next(createResults) : -1;
        if (result != -1) {
            files[phonePath].clear();
            openFile_ = phonePath;
        }
        return result;
    }
    int writeFile(const void* data, uint32_t length) override {
        calls.push_back("File_Write " + std::to_string(length));
        // As a library that checks its arguments: no null address, whatever the length.
        const int result = connected && data != nullptr ? next(writeResults) : 1;
        if (result == 0 && !openFile_.empty()) {
            files[openFile_].append(static_cast<const char*>(data), length);
        }
        if (writesBeforeDetach > 0 && --writesBeforeDetach == 0) {
            connected = false;
        }
        return result;
    }
    void closeFile() override {
        calls.push_back("File_Close");
        openFile_.clear();
    }

  private:
    static int next(std::deque<int>& answers) {
        if (answers.empty()) {
            return 0;
        }
        const int answer = answers.front();
        answers.pop_front();
        return answer;
    }
    std::string openFile_;
};

// Records what the commands show, in order, as readable lines.
class RecordingView : public PhoneStatusView {
  public:
    std::wstring panels[4];
    std::vector<std::wstring> log;
    int progressResets = 0;
    std::vector<std::wstring> events;

    void setStatusPanel(int panel, const std::wstring& text) override {
        panels[panel] = text;
        events.push_back(L"panel" + std::to_wstring(panel) + L"=" + text);
    }
    void appendLog(const std::wstring& line) override {
        log.push_back(line);
        events.push_back(L"log=" + line);
    }
    void resetProgress() override {
        ++progressResets;
        events.push_back(L"progress=0/0");
    }
};

}  // namespace tonvale::testing
