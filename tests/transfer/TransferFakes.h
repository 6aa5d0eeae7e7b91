// Local files held in memory, and a view that records what Open and Upload show.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "FileList.h"
#include "LocalFiles.h"
#include "RuntimeError.h"
#include "TransferView.h"

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
    void load(const std::wstring& path, std::vector<unsigned char>& buffer) override {
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

class RecordingTransferView final : public TransferView, public FileListView {
  public:
    std::vector<std::wstring> log;
    std::wstring folder = L"/a/mobile/audio/";
    std::wstring pending;
    std::wstring freeSpace;
    int progressMaximum = 100;
    int progressPosition = 0;
    int refreshes = 0;
    std::vector<std::wstring> rows;  // "name|type|size" as the list shows them

    void setStatusPanel(int, const std::wstring&) override {}
    void appendLog(const std::wstring& line) override { log.push_back(line); }
    void setFreeSpaceFigure(const std::wstring& text) override { freeSpace = text; }
    void resetProgress() override { progressMaximum = progressPosition = 0; }
    std::wstring phoneFolder() const override { return folder; }
    std::wstring pendingTotal() const override { return pending; }
    void setPendingTotal(const std::wstring& text) override { pending = text; }
    std::wstring freeSpaceFigure() const override { return freeSpace; }
    void setProgressMaximum(int maximum) override { progressMaximum = maximum; }
    void setProgressPosition(int position) override { progressPosition = position; }
    void refresh() override { ++refreshes; }
    void showBytesWritten(uint64_t written, uint64_t total) override {
        bytesShown.push_back(std::to_string(written) + "/" + std::to_string(total));
    }
    std::vector<std::string> bytesShown;  // "written/total"

    void insertRow(size_t index, const FileEntry& entry) override {
        rows.insert(rows.begin() + static_cast<std::ptrdiff_t>(index), row(entry));
    }
    void updateRow(size_t index, const FileEntry& entry) override { rows[index] = row(entry); }
    void removeRow(size_t index) override {
        rows.erase(rows.begin() + static_cast<std::ptrdiff_t>(index));
    }
    void removeAllRows() override { rows.clear(); }

  private:
    static std::wstring row(const FileEntry& entry) {
        return entry.name + L"|" + entry.type + L"|" +
               (entry.sizeBytes ? std::to_wstring(kilobytesRoundedHalfEven(*entry.sizeBytes))
                                : std::wstring());
    }
};

}  // namespace tonvale::testing
