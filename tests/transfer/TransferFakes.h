// Local files held in memory, a collation for plain names, and a view that records what the
// workspace shows.
#pragma once

#include <algorithm>
#include <cwctype>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "FileList.h"
#include "LocalFiles.h"
#include "RuntimeError.h"
#include "Workspace.h"

namespace tonvale::testing {

class FakeLocalFiles final : public LocalFiles {
  public:
    std::map<std::wstring, std::string> contents;
    std::map<std::wstring, int64_t> reportedSizes;  // a size other than the contents' length
    std::vector<std::wstring> loaded;

    int64_t sizeOf(const std::wstring& path) override {
        const auto reported = reportedSizes.find(path);
        if (reported != reportedSizes.end()) {
            return reported->second;
        }
        return static_cast<int64_t>(find(path).size());
    }
    void load(const std::wstring& path, Contents& buffer) override {
        loaded.push_back(path);
        const std::string& bytes = find(path);
        buffer.assign(bytes.begin(), bytes.end());
    }

  private:
    const std::string& find(const std::wstring& path) const {
        const auto found = contents.find(path);
        if (found == contents.end()) {
            throw ioError(2);
        }
        return found->second;
    }
};

// Letters compare without regard to case first, and a lower-case letter sorts before its
// capital: the order of the system's collation for plain names.
inline Collation testCollation() {
    return [](std::wstring_view a, std::wstring_view b) {
        const auto folded = [](std::wstring_view text) {
            std::wstring lower(text);
            for (wchar_t& c : lower) {
                c = static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c)));
            }
            return lower;
        };
        const std::wstring x = folded(a);
        const std::wstring y = folded(b);
        if (x != y) {
            return x < y ? -1 : 1;
        }
        return a == b ? 0 : (a > b ? -1 : 1);  // the lower case letter, the greater code, first
    };
}

// Records what the workspace and its commands show, as readable lines.
class RecordingWorkspaceView final : public WorkspaceView, public FileListView {
  public:
    std::vector<std::wstring> log;
    std::wstring folder;
    std::wstring pending;
    std::wstring freeSpace;
    std::wstring panels[4];
    int progressMaximum = 100;
    int progressPosition = 0;
    int refreshes = 0;
    std::vector<std::string> bytesShown;  // "written/total"
    std::vector<std::wstring> rows;       // "name|type|size" as the list shows them
    std::vector<std::wstring> events;     // what changed besides the log, in order
    // What the window does while it shows the bytes written, where it answers the system.
    std::function<void()> whileShowingBytes;

    void setStatusPanel(int panel, const std::wstring& text) override { panels[panel] = text; }
    void appendLog(const std::wstring& line) override { log.push_back(line); }
    void resetProgress() override { progressMaximum = progressPosition = 0; }
    void setProgressMaximum(int maximum) override { progressMaximum = maximum; }
    void setProgressPosition(int position) override { progressPosition = position; }
    void refresh() override { ++refreshes; }
    void showBytesWritten(uint64_t written, uint64_t total) override {
        bytesShown.push_back(std::to_string(written) + "/" + std::to_string(total));
        if (whileShowingBytes) {
            whileShowingBytes();
        }
    }
    void showPhoneFolder(const std::wstring& text) override {
        folder = text;
        events.push_back(L"folder=" + text);
    }
    void showPendingTotal(const std::wstring& text) override {
        pending = text;
        events.push_back(L"pending=" + text);
    }
    void showFreeSpaceFigure(const std::wstring& text) override {
        freeSpace = text;
        events.push_back(L"free=" + text);
    }

    void insertRow(size_t index, const FileEntry& entry) override {
        rows.insert(rows.begin() + static_cast<std::ptrdiff_t>(index), row(entry));
    }
    void updateRow(size_t index, const FileEntry& entry) override { rows[index] = row(entry); }
    void removeRow(size_t index) override {
        rows.erase(rows.begin() + static_cast<std::ptrdiff_t>(index));
    }
    void removeAllRows() override {
        rows.clear();
        events.push_back(L"rows cleared");
    }

  private:
    static std::wstring row(const FileEntry& entry) {
        return entry.name + L"|" + entry.type + L"|" +
               (entry.sizeBytes ? std::to_wstring(kilobytesRoundedHalfEven(*entry.sizeBytes))
                                : std::wstring());
    }
};

}  // namespace tonvale::testing
