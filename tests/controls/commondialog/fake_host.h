#pragma once
// A host and a dialog library of our own for the control's rules: the host answers as a
// form would, the dialog function keeps what it was handed and answers as scripted.
#include <cstdint>
#include <functional>
#include <algorithm>
#include <string>
#include <vector>

#include "controls/commondialog/common_dialog.h"

namespace corvane::cdlg::test {

struct FakeHost final : CDlgHost {
    bool userMode = true;
    std::int32_t parent = 0x00010A2C;
    std::uintptr_t instance = 0x00400000;
    std::vector<std::string> changes;
    std::vector<std::pair<std::int32_t, std::int32_t>> extents;

    bool UserMode() const override { return userMode; }
    std::int32_t ParentWindow() const override { return parent; }
    std::uintptr_t InstanceHandle() const override { return instance; }
    void PropertyChanged(std::string_view key) override { changes.emplace_back(key); }
    void SetExtentTwips(std::int32_t w, std::int32_t h) override { extents.emplace_back(w, h); }
};

struct FakeDialogs final : CommonDialogApi {
    struct Call {
        FileDialogKind kind;
        OpenFileNameRecord record;   // as handed over
        OpenFileNameBytes bytes;     // its 32-bit form
        std::string fileBuffer;      // the file buffer's maxFile characters
        std::string titleBuffer;
        std::string filter;          // up to and including the first double NUL
    };
    // Acts as the dialog: writes into the record's buffers; returns whether a file was chosen.
    std::function<bool(OpenFileNameRecord&)> answer = [](OpenFileNameRecord&) { return false; };
    std::vector<Call> calls;

    bool GetFileName(FileDialogKind kind, OpenFileNameRecord& record) override {
        Call call{kind, record, PackOpenFileName32(record), {}, {}, {}};
        call.fileBuffer.assign(record.file, record.maxFile);
        call.titleBuffer.assign(record.fileTitle, record.maxFileTitle);
        for (const char* p = record.filter;; ++p) {
            call.filter += *p;
            if (p[0] == '\0' && p > record.filter && p[-1] == '\0') {
                break;
            }
        }
        calls.push_back(call);
        return answer(record);
    }
};

// Writes text and its NUL into a dialog buffer, as the dialog does.
inline void WriteResult(char* buffer, const std::string& text) {
    std::copy(text.begin(), text.end(), buffer);
    buffer[text.size()] = '\0';
}

} // namespace corvane::cdlg::test
