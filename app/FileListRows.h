// The file list as ListView1 shows it: a row per entry with its name, type and size in
// kilobytes, and the name column filling the width the other two leave.
#pragma once

#include "FileList.h"
#include "win/Controls.h"

namespace tonvale {

class FileListRows final : public FileListView {
  public:
    explicit FileListRows(const win::ListViewControl& list) : list_(list) {}

    // The three columns at `dpi`, once the list view exists.
    void addColumns(int dpi);
    // After the list view changed its size or its DPI.
    void fitNameColumn(int dpi) const;

    void insertRow(size_t index, const FileEntry& entry) override;
    void updateRow(size_t index, const FileEntry& entry) override;
    void removeRow(size_t index) override;
    void removeAllRows() override;

  private:
    const win::ListViewControl& list_;
};

}  // namespace tonvale
